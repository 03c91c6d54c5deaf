#include "framework/StdControls.h"

#include "framework/WideText.h"

// --- TLabel --------------------------------------------------------------

UINT TLabel::DrawFlags() const {
    return (Centered ? DT_CENTER : DT_LEFT) | DT_EXPANDTABS | (ShowAccelChar ? 0 : DT_NOPREFIX);
}

void TLabel::AdjustSize() {
    if (!AutoSize)
        return;
    ScreenDC dc;
    const SelectedObject selected(dc, FontHandleOf());
    // An empty caption still measures as one blank.
    const TWideText text = Wide(Caption().empty() ? std::string(" ") : Caption());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), text.size(), &r, DrawFlags() | DT_CALCRECT);
    // Rounded up to whole 1/96 inch, so that no resolution cuts the text.
    const int dpi = Dpi();
    const auto units = [dpi](LONG pixels) {
        return static_cast<int>((pixels * DesignPixelsPerInch + dpi - 1) / dpi);
    };
    SetBounds(Left(), Top(), units(r.right), units(r.bottom));
}

void TLabel::CaptionChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    TakeFont();
    AdjustSize();
    Invalidate();
}

void TLabel::Paint(HDC dc) {
    const SelectedObject selected(dc, FontHandleOf());
    RECT r = PixelBounds();
    const BrushHandle background(CreateSolidBrush(ColorToRGB(Parent()->Self().Color())));
    FillRect(dc, &r, background.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    const TWideText text = Wide(Caption());
    DrawTextW(dc, text.c_str(), text.size(), &r, DrawFlags());
}

// --- TPanel --------------------------------------------------------------

void TPanel::ApplyOptions(const Options& options) {
    BevelOuter = options.bevelOuter;
    BevelInner = options.bevelInner;
}

HWND TPanel::HostHandle() const {
    return Parent() ? Parent()->HostHandle() : nullptr;
}

RECT TPanel::ToHost(RECT inside) const {
    OffsetRect(&inside, PixelBounds().left, PixelBounds().top);
    return Parent() ? Parent()->ToHost(inside) : inside;
}

bool TPanel::ShowsInside() const {
    return Visible() && (!Parent() || Parent()->ShowsInside());
}

bool TPanel::EnablesInside() const {
    return Enabled() && (!Parent() || Parent()->EnablesInside());
}

RECT TPanel::PixelClientRect() const {
    const RECT& at = PixelBounds();
    return {0, 0, at.right - at.left, at.bottom - at.top};
}

void TPanel::Place(const RECT& bounds, const RECT& pixels) {
    TGraphicControl::Place(bounds, pixels);
    Realign(); // first: a window inside then moves once
    InsideChanged();
}

void TPanel::SetVisible(bool visible) {
    TGraphicControl::SetVisible(visible);
    InsideChanged();
}

void TPanel::SetEnabled(bool enabled) {
    TGraphicControl::SetEnabled(enabled);
    InsideChanged();
}

void TPanel::DpiChanged() {
    InsideDpiChanged();
    TGraphicControl::DpiChanged();
}

// Offset and clipped, so that it and what it holds paint at their own pixel
// bounds, as they would in a window of their own.
void TPanel::Paint(HDC dc) {
    const int saved = SaveDC(dc);
    const RECT& at = PixelBounds();
    IntersectClipRect(dc, at.left, at.top, at.right, at.bottom);
    OffsetViewportOrgEx(dc, at.left, at.top, nullptr);
    PaintFace(dc);
    PaintControls(dc);
    RestoreDC(dc, saved);
}

void TPanel::PaintFace(HDC dc) {
    PaintBackground(dc);
    RECT area = PixelClientRect();
    if (BevelOuter != TPanelBevel::None)
        DrawEdge(dc, &area, BevelOuter == TPanelBevel::Raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER,
                 BF_RECT | BF_ADJUST);
    if (BevelInner != TPanelBevel::None)
        DrawEdge(dc, &area, BevelInner == TPanelBevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENINNER,
                 BF_RECT | BF_ADJUST);
    PaintCaption(dc, area);
}

// On one line, centred both ways in a line box as high as a "W"; a caption
// wider than the panel is cut off at both sides.
void TPanel::PaintCaption(HDC dc, const RECT& area) {
    if (Caption().empty())
        return;
    const SelectedObject selected(dc, FontHandleOf());
    SIZE w;
    GetTextExtentPoint32W(dc, L"W", 1, &w);
    RECT line = area;
    line.top = area.top + (area.bottom - area.top - w.cy) / 2;
    line.bottom = line.top + w.cy;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const TWideText text = Wide(Caption());
    DrawTextW(dc, text.c_str(), text.size(), &line,
              DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
    RestoreDC(dc, saved);
}

// --- TGroupBox -----------------------------------------------------------

void TGroupBox::Paint(HDC dc) {
    PaintBackground(dc);
    const SelectedObject selected(dc, FontHandleOf());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT frame = PixelClientRect();
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!Caption().empty()) {
        RECT text{Scaled(8), 0, frame.right - Scaled(8), metrics.tmHeight};
        const TWideText caption = Wide(Caption());
        DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
        text.right += Scaled(4);
        text.left -= Scaled(2);
        const BrushHandle background(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(dc, &text, background.Get());
        text.left += Scaled(2);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font.Color()));
        DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
    }
    PaintControls(dc);
}
