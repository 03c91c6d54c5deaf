#include "framework/Gdi.h"

#include "framework/Library.h"
#include "framework/WideText.h"

#include <algorithm>
#include <cwchar>

COLORREF ColorToRGB(TColor color) {
    if (color & clSystemColor)
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

LOGFONTW LogFontOf(const TFont& font, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = font.PixelHeight(dpi);
    lf.lfWeight = font.Style() & fsBold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style() & fsItalic) != 0;
    lf.lfUnderline = (font.Style() & fsUnderline) != 0;
    lf.lfStrikeOut = (font.Style() & fsStrikeOut) != 0;
    lf.lfCharSet = static_cast<BYTE>(font.Charset());
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    // As much of the name as fits, never half a surrogate pair.
    const std::u16string face = ToUtf16(font.Name());
    std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    if (length < face.size() && IS_HIGH_SURROGATE(face[length - 1]))
        --length;
    std::copy_n(face.begin(), length, lf.lfFaceName);
    return lf;
}

void AssignLogFont(TFont& font, const LOGFONTW& logFont, int pointTenths, TColor color) {
    TFont chosen;
    chosen.SetName(Narrow(logFont.lfFaceName, wcsnlen(logFont.lfFaceName, LF_FACESIZE)));
    chosen.SetSize((pointTenths + 5) / 10);
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

FontHandle CreateFontHandle(const TFont& font, int dpi) {
    const LOGFONTW lf = LogFontOf(font, dpi);
    return FontHandle(CreateFontIndirectW(&lf));
}

// --- The display's scale -------------------------------------------------

namespace {

// A function of user32 that older Windows lacks, or nullptr there.
template <class Function> Function User32Function(const char* name) {
    return LibraryFunction<Function>(GetModuleHandleW(L"user32.dll"), name);
}

} // namespace

int ScreenDpi() {
    static const int dpi = [] {
        const ScreenDC dc;
        return DpiOf(dc);
    }();
    return dpi;
}

// A screen whose resolution cannot be read (no device context, say) is
// taken for one of the design's: nothing may divide by its 0.
int DpiOf(HDC dc) {
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : DesignPixelsPerInch;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const int dpi = getDpiForWindow && window ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

int ScaleToDpi(int value, int dpi) {
    return MulDiv(value, dpi, DesignPixelsPerInch);
}

int ScaleFromDpi(int pixels, int dpi) {
    return MulDiv(pixels, DesignPixelsPerInch, dpi);
}

// Edge by edge, so that controls that touch at one resolution touch at all.
RECT ScaleRectToDpi(const RECT& r, int dpi) {
    return {ScaleToDpi(r.left, dpi), ScaleToDpi(r.top, dpi), ScaleToDpi(r.right, dpi),
            ScaleToDpi(r.bottom, dpi)};
}

RECT ScaleRectFromDpi(const RECT& pixels, int dpi) {
    return {ScaleFromDpi(pixels.left, dpi), ScaleFromDpi(pixels.top, dpi),
            ScaleFromDpi(pixels.right, dpi), ScaleFromDpi(pixels.bottom, dpi)};
}

void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi) {
    using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = User32Function<AdjustFunction>("AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
    using MetricFunction = int(WINAPI*)(int, UINT);
    static const auto metric = User32Function<MetricFunction>("GetSystemMetricsForDpi");
    return metric ? metric(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}
