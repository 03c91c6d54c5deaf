// The JPEG decoder against the About picture and against damaged data.
// QUORBEL_ABOUT_JPG names resources/about.jpg, QUORBEL_ABOUT_RGB the raw
// RGB bytes ImageMagick decodes from it at build time.

#include "framework/Errors.h"
#include "framework/JpegImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int AboutWidth = 388;
constexpr int AboutHeight = 580;

Bytes ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const Bytes& AboutJpeg() {
    static const Bytes data = ReadFile(QUORBEL_ABOUT_JPG);
    return data;
}

DecodedImage Decode(const Bytes& data) {
    return DecodeJpeg(data.data(), data.size());
}

// Pixel (x, y) of the decoded image as R, G, B, to compare with sources.
std::vector<int> RgbAt(const DecodedImage& image, int x, int y) {
    const std::uint8_t* p = image.bgr.data() + y * image.Stride() + 3 * x;
    return {p[2], p[1], p[0]};
}

// Test pictures come from libjpeg's own encoder, so damaged variants can be
// made from a known good file. sample(x, y, c) gives component c.
Bytes Encode(int width, int height, int components, J_COLOR_SPACE space,
             const std::function<std::uint8_t(int, int, int)>& sample) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * components);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                row[x * components + c] = sample(x, y, c);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    Bytes data(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return data;
}

Bytes SolidRgb(int width, int height, int r, int g, int b) {
    const int rgb[] = {r, g, b};
    return Encode(width, height, 3, JCS_RGB, [&](int, int, int c) { return rgb[c]; });
}

std::size_t FindMarker(const Bytes& data, std::uint8_t marker) {
    for (std::size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] == 0xFF && data[i + 1] == marker)
            return i;
    ADD_FAILURE() << "marker " << int(marker) << " missing";
    return 0;
}

void Put16(Bytes& data, std::size_t at, int value) {
    data[at] = static_cast<std::uint8_t>(value >> 8);
    data[at + 1] = static_cast<std::uint8_t>(value);
}

// Offsets of the frame header's fields from its marker.
constexpr std::size_t SofPrecision = 4;
constexpr std::size_t SofHeight = 5;
constexpr std::size_t SofWidth = 7;

Bytes WithFrameSize(int width, int height) {
    Bytes data = SolidRgb(16, 16, 10, 20, 30);
    const std::size_t sof = FindMarker(data, 0xC0);
    Put16(data, sof + SofWidth, width);
    Put16(data, sof + SofHeight, height);
    return data;
}

void ExpectRejected(const Bytes& data) {
    try {
        Decode(data);
        ADD_FAILURE() << "decoded without an error";
    } catch (const EJpegError& error) {
        EXPECT_STRNE("", error.what());
        EXPECT_STREQ("EJpegError", error.ClassName());
    }
}

TEST(JpegImage, AboutPictureHasItsSize) {
    ASSERT_FALSE(AboutJpeg().empty()) << QUORBEL_ABOUT_JPG;
    const DecodedImage image = Decode(AboutJpeg());
    EXPECT_EQ(AboutWidth, image.width);
    EXPECT_EQ(AboutHeight, image.height);
    EXPECT_EQ(image.Stride() * AboutHeight, image.bgr.size());
}

TEST(JpegImage, AboutPictureMatchesImageMagick) {
    const Bytes reference = ReadFile(QUORBEL_ABOUT_RGB);
    ASSERT_EQ(std::size_t{AboutWidth} * AboutHeight * 3, reference.size()) << QUORBEL_ABOUT_RGB;
    const DecodedImage image = Decode(AboutJpeg());
    ASSERT_EQ(AboutWidth, image.width);
    ASSERT_EQ(AboutHeight, image.height);

    int worst = 0;
    long off = 0;
    for (int y = 0; y < AboutHeight; ++y)
        for (int x = 0; x < AboutWidth; ++x) {
            const std::vector<int> got = RgbAt(image, x, y);
            for (int c = 0; c < 3; ++c) {
                const int diff = std::abs(got[c] - reference[(y * AboutWidth + x) * 3 + c]);
                worst = std::max(worst, diff);
                off += diff > 0;
            }
        }
    EXPECT_LE(worst, 1) << off << " samples differ";
}

struct ColourCase {
    int r, g, b;
};

class SolidColour : public testing::TestWithParam<ColourCase> {};

// Odd widths need row padding; a swapped channel or a misplaced row shows.
TEST_P(SolidColour, DecodesInBlueGreenRedOrderWithZeroPadding) {
    const ColourCase colour = GetParam();
    const DecodedImage image = Decode(SolidRgb(13, 7, colour.r, colour.g, colour.b));
    ASSERT_EQ(13, image.width);
    ASSERT_EQ(7, image.height);
    ASSERT_EQ(40u, image.Stride());
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::vector<int> got = RgbAt(image, x, y);
            EXPECT_NEAR(colour.r, got[0], 2) << x << "," << y;
            EXPECT_NEAR(colour.g, got[1], 2) << x << "," << y;
            EXPECT_NEAR(colour.b, got[2], 2) << x << "," << y;
        }
        EXPECT_EQ(0, image.bgr[y * image.Stride() + 39]) << "padding of row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Colours, SolidColour,
                         testing::Values(ColourCase{255, 0, 0}, ColourCase{0, 255, 0},
                                         ColourCase{0, 0, 255}, ColourCase{255, 255, 255},
                                         ColourCase{0, 0, 0}, ColourCase{200, 120, 40}));

TEST(JpegImage, GreyPictureBecomesEqualChannels) {
    auto level = [](int x, int y) { return static_cast<std::uint8_t>(x * 12 + y * 3); };
    const Bytes data =
        Encode(21, 9, 1, JCS_GRAYSCALE, [&](int x, int y, int) { return level(x, y); });
    const DecodedImage image = Decode(data);
    ASSERT_EQ(21, image.width);
    ASSERT_EQ(9, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::vector<int> got = RgbAt(image, x, y);
            EXPECT_EQ(got[0], got[1]) << x << "," << y;
            EXPECT_EQ(got[0], got[2]) << x << "," << y;
            EXPECT_NEAR(level(x, y), got[0], 3) << x << "," << y;
        }
}

TEST(JpegImage, CmykPictureIsRefused) {
    ExpectRejected(Encode(8, 8, 4, JCS_CMYK, [](int, int, int c) { return c * 40; }));
}

TEST(JpegImage, SideOfMaximumLengthIsAccepted) {
    const Bytes data = Encode(MaxJpegSide, 2, 1, JCS_GRAYSCALE, [](int, int, int) { return 7; });
    const DecodedImage image = Decode(data);
    EXPECT_EQ(MaxJpegSide, image.width);
    EXPECT_EQ(2, image.height);
}

TEST(JpegImage, LongerSideIsRefused) {
    ExpectRejected(Encode(MaxJpegSide + 1, 2, 1, JCS_GRAYSCALE, [](int, int, int) { return 7; }));
}

struct FrameSizeCase {
    int width, height;
};

class ImpossibleFrameSize : public testing::TestWithParam<FrameSizeCase> {};

// Headers claiming huge or empty pictures over a few bytes of data.
TEST_P(ImpossibleFrameSize, IsRefused) {
    ExpectRejected(WithFrameSize(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ImpossibleFrameSize,
                         testing::Values(FrameSizeCase{65500, 65500}, FrameSizeCase{9000, 16},
                                         FrameSizeCase{16, 9000}, FrameSizeCase{0, 16},
                                         FrameSizeCase{4096, 4096}));

class TruncatedAbout : public testing::TestWithParam<long> {};

// The bytes kept; a negative count drops that many from the end instead.
TEST_P(TruncatedAbout, IsRefused) {
    const Bytes& whole = AboutJpeg();
    ASSERT_FALSE(whole.empty());
    const long keep = GetParam() >= 0 ? GetParam() : static_cast<long>(whole.size()) + GetParam();
    ExpectRejected(Bytes(whole.begin(), whole.begin() + keep));
}

INSTANTIATE_TEST_SUITE_P(Lengths, TruncatedAbout,
                         testing::Values(0L, 2L, 20L, 600L, 30000L, -1L, -2L, -100L));

struct GarbageCase {
    const char* name;
    Bytes data;
};

class Garbage : public testing::TestWithParam<GarbageCase> {};

TEST_P(Garbage, IsRefused) {
    ExpectRejected(GetParam().data);
}

Bytes Noise(std::size_t count) {
    Bytes data(count);
    unsigned state = 12345;
    for (auto& byte : data) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    data[0] = 0xFF;
    data[1] = 0xD8;
    return data;
}

Bytes Png() {
    return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H'};
}

INSTANTIATE_TEST_SUITE_P(Inputs, Garbage,
                         testing::Values(GarbageCase{"text", Bytes{'h', 'e', 'l', 'l', 'o'}},
                                         GarbageCase{"png", Png()},
                                         GarbageCase{"start_then_noise", Noise(4000)}),
                         [](const testing::TestParamInfo<GarbageCase>& info) {
                             return std::string(info.param.name);
                         });

struct DamageCase {
    const char* name;
    std::function<void(Bytes&)> damage;
};

class DamagedHeader : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedHeader, IsRefused) {
    Bytes data = SolidRgb(16, 16, 90, 160, 220);
    GetParam().damage(data);
    ExpectRejected(data);
}

void SetSofByte(Bytes& data, std::size_t field, std::uint8_t value) {
    data[FindMarker(data, 0xC0) + field] = value;
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedHeader,
    testing::Values(DamageCase{"precision_12", [](Bytes& d) { SetSofByte(d, SofPrecision, 12); }},
                    DamageCase{"no_start_marker", [](Bytes& d) { d[1] = 0x00; }},
                    DamageCase{"scan_header_cut",
                               [](Bytes& d) { d.resize(FindMarker(d, 0xDA) + 6); }},
                    // Stray bytes between segments: libjpeg only warns.
                    DamageCase{"bytes_before_scan",
                               [](Bytes& d) {
                                   d.insert(d.begin() + FindMarker(d, 0xDA), {1, 2, 3});
                               }},
                    // A marker inside the entropy-coded data: also only a warning.
                    DamageCase{"marker_inside_scan",
                               [](Bytes& d) {
                                   const std::size_t at = FindMarker(d, 0xDA) + 20;
                                   d[at] = 0xFF;
                                   d[at + 1] = 0xD3;
                               }}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST(JpegImage, GoodPicturesStillDecodeAfterErrors) {
    const Bytes good = SolidRgb(9, 9, 1, 2, 3);
    const Bytes bad(good.begin(), good.begin() + good.size() / 2);
    for (int i = 0; i < 50; ++i) {
        EXPECT_THROW(Decode(bad), EJpegError);
        EXPECT_EQ(9, Decode(good).width);
    }
}

TEST(JpegImage, NullBufferIsRefused) {
    EXPECT_THROW(DecodeJpeg(nullptr, 0), EJpegError);
    EXPECT_THROW(DecodeJpeg(nullptr, 100), EJpegError);
}

// --- The bitmap -------------------------------------------------------------

TEST(JpegBitmap, HoldsThePixelsTopDown) {
    const DecodedImage image = Decode(AboutJpeg());
    const BitmapHandle bitmap = CreateDibFromImage(image);
    ASSERT_NE(nullptr, bitmap.Get());

    DIBSECTION section{};
    ASSERT_EQ(int(sizeof section), GetObject(bitmap.Get(), sizeof section, &section));
    EXPECT_EQ(AboutWidth, section.dsBm.bmWidth);
    EXPECT_EQ(AboutHeight, section.dsBm.bmHeight);
    EXPECT_EQ(24, section.dsBm.bmBitsPixel);
    ASSERT_NE(nullptr, section.dsBm.bmBits);
    const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    EXPECT_TRUE(std::equal(image.bgr.begin(), image.bgr.end(), bits));
}

// Red above blue, split on a block boundary so that no colour bleeds.
TEST(JpegBitmap, TopRowComesFirstThroughGdi) {
    const Bytes data = Encode(8, 16, 3, JCS_RGB, [](int, int y, int c) {
        return static_cast<std::uint8_t>((y < 8 ? c == 0 : c == 2) ? 255 : 0);
    });
    const BitmapHandle bitmap = CreateDibFromImage(Decode(data));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap.Get());
    const COLORREF top = GetPixel(dc, 3, 0);
    const COLORREF bottom = GetPixel(dc, 3, 15);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_NEAR(255, GetRValue(top), 2);
    EXPECT_NEAR(0, GetBValue(top), 2);
    EXPECT_NEAR(0, GetRValue(bottom), 2);
    EXPECT_NEAR(255, GetBValue(bottom), 2);
}

TEST(JpegBitmap, OwnerDeletesAndMoves) {
    const DecodedImage image = Decode(SolidRgb(4, 4, 0, 0, 0));
    HBITMAP handle = nullptr;
    {
        BitmapHandle first = CreateDibFromImage(image);
        handle = first.Get();
        ASSERT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(handle)));
        BitmapHandle second(std::move(first));
        EXPECT_EQ(nullptr, first.Get());
        EXPECT_EQ(handle, second.Get());
        BitmapHandle third;
        third = std::move(second);
        EXPECT_EQ(handle, third.Get());
        EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(handle)));
    }
    EXPECT_EQ(0u, GetObjectType(handle));
}

TEST(JpegBitmap, ImageWithWrongBufferIsRefused) {
    DecodedImage image = Decode(SolidRgb(5, 3, 1, 1, 1));
    image.bgr.pop_back();
    EXPECT_THROW(CreateDibFromImage(image), ERangeError);
    image.height = 0;
    EXPECT_THROW(CreateDibFromImage(image), ERangeError);
}

} // namespace
