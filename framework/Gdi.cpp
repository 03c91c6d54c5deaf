#include "framework/Gdi.h"

#include <cstring>

COLORREF ColorToRGB(TColor color) {
    if (color & clSystemColor)
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

LOGFONTA LogFontOf(const TFont& font) {
    LOGFONTA lf{};
    lf.lfHeight = font.Height();
    lf.lfWeight = font.Style() & fsBold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style() & fsItalic) != 0;
    lf.lfUnderline = (font.Style() & fsUnderline) != 0;
    lf.lfStrikeOut = (font.Style() & fsStrikeOut) != 0;
    lf.lfCharSet = static_cast<BYTE>(font.Charset());
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, font.Name().c_str(), LF_FACESIZE - 1);
    return lf;
}

void AssignLogFont(TFont& font, const LOGFONTA& logFont, TColor color) {
    TFont chosen;
    chosen.SetName(std::string(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE)));
    chosen.SetHeight(logFont.lfHeight);
    TFontStyles style = 0;
    if (logFont.lfWeight >= FW_BOLD)
        style |= fsBold;
    if (logFont.lfItalic)
        style |= fsItalic;
    if (logFont.lfUnderline)
        style |= fsUnderline;
    if (logFont.lfStrikeOut)
        style |= fsStrikeOut;
    chosen.SetStyle(style);
    chosen.SetCharset(logFont.lfCharSet);
    chosen.SetColor(color);
    font.Assign(chosen); // one announcement
}

FontHandle CreateFontHandle(const TFont& font) {
    const LOGFONTA lf = LogFontOf(font);
    return FontHandle(CreateFontIndirectA(&lf));
}
