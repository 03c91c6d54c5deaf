// TFont: size and height at 96 pixels per inch, change announcements.
#include "framework/Graphics.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(TFont, SizeAndHeightConvertAt96Dpi) {
    TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    for (int points = 8; points <= 72; ++points) {
        font.SetSize(points);
        EXPECT_EQ(font.Size(), points);
        EXPECT_EQ(font.Height(), -(points * 4 + 1) / 3); // rounded 4/3, half up
    }
    struct {
        int height, size;
    } const cases[] = {{-43, 32}, {-16, 12}, {-10, 8}, {-13, 10}, {-14, 11}, {10, -8}, {0, 0}};
    for (const auto& c : cases) {
        font.SetHeight(c.height);
        EXPECT_EQ(font.Size(), c.size) << c.height;
    }
}

// What Windows is asked for: a size in points converts from the points at
// every resolution, a height from its 96-ppi pixels.
TEST(TFont, PixelHeightsFollowTheResolution) {
    struct {
        int size, height, dpi, pixels;
    } const cases[] = {{32, 0, 96, -43},  {32, 0, 144, -64},  {32, 0, 192, -85},  {11, 0, 144, -22},
                       {0, -37, 96, -37}, {0, -37, 144, -56}, {0, -37, 192, -74}, {0, 10, 144, 15}};
    for (const auto& c : cases) {
        TFont font;
        if (c.size)
            font.SetSize(c.size);
        else
            font.SetHeight(c.height);
        EXPECT_EQ(font.PixelHeight(c.dpi), c.pixels) << c.size << " " << c.height << " " << c.dpi;
    }
}

// A stored size of any number: where the height does not fit, it is what
// Windows' MulDiv answers on overflow, -1, so the font is one pixel high.
TEST(TFont, SizesBeyondTheHeightsRangeGiveOnePixel) {
    TFont font;
    for (int points : {1610612736, -1610612736, INT_MAX, INT_MIN}) {
        font.SetSize(points);
        EXPECT_EQ(font.Height(), 1) << points;
    }
    font.SetSize(1610612735); // the largest that fits
    EXPECT_EQ(font.Height(), -2147483647);
}

TEST(TFont, AnnouncesRealChangesOnly) {
    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };

    font.SetHeight(font.Height());
    font.SetName(font.Name());
    font.SetColor(font.Color());
    font.SetStyle(font.Style());
    font.SetCharset(font.Charset());
    EXPECT_EQ(changes, 0);

    font.SetName("Arial");
    font.SetSize(32);
    font.SetHeight(-20);
    font.SetColor(clWhite);
    font.SetStyle(fsBold | fsItalic);
    font.SetCharset(0);
    EXPECT_EQ(changes, 6);
    font.SetColor(clWhite);
    EXPECT_EQ(changes, 6);
}

TEST(TFont, AssignCopiesAllButOnChange) {
    TFont source;
    int sourceChanges = 0;
    source.OnChange = [&] { ++sourceChanges; };
    source.SetName("Arial");
    source.SetSize(32);
    source.SetColor(clPurple);
    source.SetStyle(fsItalic | fsUnderline);
    source.SetCharset(0);
    sourceChanges = 0;

    TFont target;
    int changes = 0;
    target.OnChange = [&] { ++changes; };
    EXPECT_NE(target, source);
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target, source);
    EXPECT_EQ(target.Name(), "Arial");
    EXPECT_EQ(target.Size(), 32);
    EXPECT_EQ(target.Color(), clPurple);
    EXPECT_EQ(target.Style(), fsItalic | fsUnderline);
    EXPECT_EQ(target.Charset(), 0);

    target.Assign(source); // nothing differs
    EXPECT_EQ(changes, 1);
    target.SetColor(clBlack); // target keeps its own handler
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(sourceChanges, 0);
}

} // namespace
