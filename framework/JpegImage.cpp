#include "framework/JpegImage.h"

#include "framework/Errors.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <cstring>
#include <string>
#include <utility>

#include <jpeglib.h>
#include <jerror.h>

namespace {

#ifdef JCS_EXTENSIONS
constexpr J_COLOR_SPACE ColourOutput = JCS_EXT_BGR;
constexpr bool LibraryOrdersBgr = true;
#else
constexpr J_COLOR_SPACE ColourOutput = JCS_RGB;
constexpr bool LibraryOrdersBgr = false;
#endif

// libjpeg's own error handler ends the process. Ours jumps back into the
// decoder, since a C++ exception must not unwind through libjpeg's C frames.
struct ErrorTrap {
    jpeg_error_mgr manager; // first, so that libjpeg's pointer is ours too
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void TrapError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings mean damaged data, which libjpeg would patch up with grey or
// garbage; such a picture is refused rather than shown.
void TrapWarning(j_common_ptr info, int level) {
    if (level < 0)
        (*info->err->error_exit)(info);
}

// The whole file lies in one buffer. Running past its end is an error here,
// where libjpeg's own sources insert an end marker and carry on.
void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
    ERREXIT(info, JERR_INPUT_EOF);
    return FALSE;
}

void SkipInput(j_decompress_ptr info, long count) {
    jpeg_source_mgr* source = info->src;
    if (count <= 0)
        return;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer)
        ERREXIT(info, JERR_INPUT_EOF);
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

// One decompressor with its error trap; destroying it is safe whatever
// state an error left it in.
class Decompressor {
  public:
    Decompressor() {
        info_.err = jpeg_std_error(&trap_.manager);
        trap_.manager.error_exit = TrapError;
        trap_.manager.emit_message = TrapWarning;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info_); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    void Open(const std::uint8_t* data, std::size_t size);
    void Start(bool grey);
    void ReadRows(std::vector<JSAMPROW>& rows);
    void Finish() {
        Guarded([this] { jpeg_finish_decompress(&info_); });
    }
    const jpeg_decompress_struct& Info() const { return info_; }

  private:
    // Runs libjpeg calls; an error inside jumps back here and leaves as an
    // exception. The call must own nothing that needs destroying.
    template <typename Call> void Guarded(Call call) {
        if (setjmp(trap_.jump) != 0)
            throw EJpegError(trap_.message);
        call();
    }

    ErrorTrap trap_{};
    jpeg_decompress_struct info_{};
    jpeg_source_mgr source_{};
};

void Decompressor::Open(const std::uint8_t* data, std::size_t size) {
    Guarded([this] { jpeg_create_decompress(&info_); });
    source_.next_input_byte = data;
    source_.bytes_in_buffer = data ? size : 0;
    source_.init_source = InitSource;
    source_.fill_input_buffer = FillInput;
    source_.skip_input_data = SkipInput;
    source_.resync_to_restart = jpeg_resync_to_restart;
    source_.term_source = TermSource;
    info_.src = &source_;
    Guarded([this] { jpeg_read_header(&info_, TRUE); });
}

void Decompressor::Start(bool grey) {
    info_.out_color_space = grey ? JCS_GRAYSCALE : ColourOutput;
    Guarded([this] { jpeg_start_decompress(&info_); });
    if (info_.output_components != (grey ? 1 : 3) || info_.output_width != info_.image_width ||
        info_.output_height != info_.image_height)
        throw EJpegError("Unerwartetes Ausgabeformat des JPEG-Bildes");
}

void Decompressor::ReadRows(std::vector<JSAMPROW>& rows) {
    JDIMENSION read = 1;
    Guarded([this, &rows, &read] {
        while (read > 0 && info_.output_scanline < info_.output_height)
            read = jpeg_read_scanlines(&info_, rows.data() + info_.output_scanline,
                                       info_.output_height - info_.output_scanline);
    });
    if (info_.output_scanline < info_.output_height)
        throw EJpegError("JPEG-Bild unvollständig");
}

void CheckSize(const jpeg_decompress_struct& info) {
    if (info.image_width > MaxJpegSide || info.image_height > MaxJpegSide)
        throw EJpegError("JPEG-Bild zu groß (" + std::to_string(info.image_width) + " x " +
                         std::to_string(info.image_height) + " Pixel)");
}

// Widens each row's leading grey bytes to blue, green, red in place, from
// the right so that nothing is overwritten before it is read.
void ExpandGrey(DecodedImage& image) {
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.bgr.data() + y * image.Stride();
        for (int x = image.width - 1; x >= 0; --x)
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = row[x];
    }
}

void SwapRedBlue(DecodedImage& image) {
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.bgr.data() + y * image.Stride();
        for (int x = 0; x < image.width; ++x)
            std::swap(row[3 * x], row[3 * x + 2]);
    }
}

} // namespace

DecodedImage DecodeJpeg(const std::uint8_t* data, std::size_t size) {
    Decompressor jpeg;
    jpeg.Open(data, size);
    CheckSize(jpeg.Info());
    const bool grey = jpeg.Info().jpeg_color_space == JCS_GRAYSCALE;
    jpeg.Start(grey);

    DecodedImage image;
    image.width = static_cast<int>(jpeg.Info().output_width);
    image.height = static_cast<int>(jpeg.Info().output_height);
    image.bgr.resize(image.Stride() * image.height);
    std::vector<JSAMPROW> rows(image.height);
    for (int y = 0; y < image.height; ++y)
        rows[y] = image.bgr.data() + y * image.Stride();
    jpeg.ReadRows(rows);
    jpeg.Finish();

    if (grey)
        ExpandGrey(image);
    else if (!LibraryOrdersBgr)
        SwapRedBlue(image);
    return image;
}

#ifdef _WIN32

BitmapHandle CreateDibFromImage(const DecodedImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.bgr.size() != image.Stride() * image.height)
        throw ERangeError("Bilddaten passen nicht zur Bildgröße");

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down, like the decoded rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.Get() || !bits)
        throw EOutOfResources("Zu wenig Speicher für ein Bild mit " + std::to_string(image.width) +
                              " x " + std::to_string(image.height) + " Pixeln");
    std::memcpy(bits, image.bgr.data(), image.bgr.size());
    return bitmap;
}

#endif
