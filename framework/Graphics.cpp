#include "framework/Graphics.h"

#include <climits>

namespace {

// number * numerator / denominator, rounded half away from zero like the
// Windows MulDiv (denominator positive here), and like it -1 where the
// result does not fit; nor does INT_MIN here, whose negation sizes need.
int RoundedMulDiv(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    const long long result =
        product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return result > INT_MAX || result <= INT_MIN ? -1 : static_cast<int>(result);
}

} // namespace

int TFont::Size() const {
    return points_ ? points_ : -RoundedMulDiv(height_, 72, DesignPixelsPerInch);
}

int TFont::PixelHeight(int dpi) const {
    return points_ ? -RoundedMulDiv(points_, dpi, 72)
                   : RoundedMulDiv(height_, dpi, DesignPixelsPerInch);
}

void TFont::SetName(const std::string& name) {
    if (name == name_)
        return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_ && points_ == 0)
        return;
    height_ = height;
    points_ = 0;
    Changed();
}

void TFont::SetSize(int points) {
    const int height = -RoundedMulDiv(points, DesignPixelsPerInch, 72);
    if (points == points_ && height == height_)
        return;
    height_ = height;
    points_ = points;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == charset_)
        return;
    charset_ = charset;
    Changed();
}

// Copies everything but OnChange; one announcement, and none if nothing differs.
void TFont::Assign(const TFont& other) {
    if (*this == other)
        return;
    name_ = other.name_;
    height_ = other.height_;
    points_ = other.points_;
    color_ = other.color_;
    style_ = other.style_;
    charset_ = other.charset_;
    Changed();
}

bool TFont::operator==(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && points_ == other.points_ &&
           color_ == other.color_ && style_ == other.style_ && charset_ == other.charset_;
}

void TFont::Changed() {
    if (OnChange)
        OnChange();
}
