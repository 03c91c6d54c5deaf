#include "framework/Gdi.h"

#include <cstring>

COLORREF ColorToRGB(TColor color) {
    if (color & clSystemColor)
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

FontHandle CreateFontHandle(const TFont& font) {
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
    return FontHandle(CreateFontIndirectA(&lf));
}
