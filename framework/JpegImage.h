#pragma once
// JPEG pictures decoded into pixel rows that a 24-bit DIB takes as they are.

#include <cstddef>
#include <cstdint>
#include <vector>

#ifdef _WIN32
#include "framework/Gdi.h"
#endif

// Refused before any pixel memory is reserved, so that a damaged header
// cannot make us allocate gigabytes.
constexpr int MaxJpegSide = 8192;

// Top-down rows of blue, green and red bytes, each row padded with zeros to
// a multiple of four bytes.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;

    std::size_t Stride() const {
        return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
    }
};

// Colour and greyscale pictures. Anything libjpeg cannot decode in full,
// warnings included, raises EJpegError with libjpeg's message: a picture
// is never returned half decoded.
DecodedImage DecodeJpeg(const std::uint8_t* data, std::size_t size);

#ifdef _WIN32

// A 24-bit DIB section with a copy of the pixels. Raises ERangeError for
// an image whose buffer does not match its size, EOutOfResources when
// Windows cannot make the bitmap.
BitmapHandle CreateDibFromImage(const DecodedImage& image);

#endif
