#pragma once
// Colours and the font object shared by the settings record and the controls.

#include <cstdint>
#include <functional>
#include <string>

// 0x00BBGGRR; values with the top bit set name a system colour (index in the
// low byte), resolved when drawn.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnFace = clSystemColor | 15;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// Designs, and font heights given in pixels, are for 96 pixels per inch;
// the framework converts them at each window's own resolution.
constexpr int DesignPixelsPerInch = 96;

// A font description owned by a control. Every change is announced through
// OnChange, so the owner can re-measure or repaint.
class TFont {
  public:
    const std::string& Name() const { return name_; }
    // Negative: character height without internal leading, in pixels at 96
    // per inch.
    int Height() const { return height_; }
    // In points: as set, or from the height.
    int Size() const;
    // The height to ask of Windows at that resolution. A size set in points
    // converts from the points, so it is that size at every resolution.
    int PixelHeight(int dpi) const;
    TColor Color() const { return color_; }
    TFontStyles Style() const { return style_; }
    int Charset() const { return charset_; }

    void SetName(const std::string& name);
    void SetHeight(int height);
    void SetSize(int points);
    void SetColor(TColor color);
    void SetStyle(TFontStyles style);
    void SetCharset(int charset);
    void Assign(const TFont& other);

    bool operator==(const TFont& other) const;
    bool operator!=(const TFont& other) const { return !(*this == other); }

    std::function<void()> OnChange;

  private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    int points_ = 0; // 0: the height was set, not a size
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    int charset_ = 1; // DEFAULT_CHARSET
};
