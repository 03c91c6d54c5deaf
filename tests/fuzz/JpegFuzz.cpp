// Any data as the About dialog's picture: it decodes in full to the size
// its frame header gives, or raises the decoder's error; never a crash, a
// read past the data or an allocation beyond the size limit.
//   input: the JPEG file.
#include "framework/Errors.h"
#include "framework/JpegImage.h"

#include "FuzzInput.h"

namespace {

struct FrameSize {
    int width = 0, height = 0;
};

// The first frame header among the marker segments before the picture
// data, as a decoder meets it; none when the segments are damaged first.
FrameSize FirstFrameSize(const std::uint8_t* data, std::size_t size) {
    std::size_t pos = 2; // after the start of image
    while (pos + 4 <= size && data[pos] == 0xFF) {
        const std::uint8_t marker = data[pos + 1];
        if (marker == 0xFF) {
            ++pos; // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            pos += 2; // a marker without a segment
            continue;
        }
        const std::size_t length = data[pos + 2] << 8 | data[pos + 3];
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && pos + 9 <= size)
            return {data[pos + 7] << 8 | data[pos + 8], data[pos + 5] << 8 | data[pos + 6]};
        if (marker == 0xDA || length < 2)
            break;
        pos += 2 + length;
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedImage image;
    try {
        image = DecodeJpeg(data, size);
    } catch (const EJpegError&) {
        return 0;
    }
    FUZZ_CHECK(image.width > 0 && image.width <= MaxJpegSide);
    FUZZ_CHECK(image.height > 0 && image.height <= MaxJpegSide);
    const FrameSize header = FirstFrameSize(data, size);
    if (header.width > 0)
        FUZZ_CHECK(header.width == image.width && header.height == image.height);
    return 0;
}
