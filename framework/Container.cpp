#include "framework/Container.h"

#include "framework/WinControl.h"

#include <algorithm>

namespace {

// A container drawn on the same window as its parent, or nullptr.
TContainer* DrawnContainer(TControl* control) {
    return dynamic_cast<TGraphicControl*>(control) ? dynamic_cast<TContainer*>(control) : nullptr;
}

} // namespace

TContainer::~TContainer() {
    for (TControl* control : controls_)
        control->parent_ = nullptr; // one that outlives its parent must not reach back
}

void TContainer::Remove(TControl& control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

void TContainer::InvalidateArea(const RECT& inside) {
    const RECT inHost = ToHost(inside);
    if (const HWND host = HostHandle())
        InvalidateRect(host, &inHost, TRUE);
}

// Aligned controls fill the inside to the pixel, whatever the resolution. A
// strip keeps its height in 1/96 inch as it was set: taken back from the
// rounded pixels, it could creep by a unit at every change of scale.
void TContainer::AlignStrip(TControl& control, RECT& free) {
    const int dpi = self_.Dpi();
    const int height = ScaleToDpi(control.Height(), dpi);
    const bool top = control.Align() == TAlign::Top;
    const RECT pixels{free.left, top ? free.top : free.bottom - height, free.right,
                      top ? free.top + height : free.bottom};
    RECT bounds = ScaleRectFromDpi(pixels, dpi);
    bounds.bottom = bounds.top + control.Height();
    control.Place(bounds, pixels);
    if (top)
        free.top += height;
    else
        free.bottom -= height;
}

void TContainer::Realign() {
    const RECT client = ClientRect();
    RECT free = PixelClientRect();
    for (TControl* control : controls_) {
        if (control->Align() == TAlign::Top || control->Align() == TAlign::Bottom)
            AlignStrip(*control, free);
        else if (control->Align() == TAlign::None)
            control->FollowAnchors(client);
    }
    free.bottom = std::max(free.top, free.bottom);
    for (TControl* control : controls_)
        if (control->Align() == TAlign::Client)
            control->SetPixelBounds(free);
}

TContainer& TContainer::ContainerAt(POINT& pixel) {
    for (auto control = controls_.rbegin(); control != controls_.rend(); ++control) {
        TContainer* inner = DrawnContainer(*control);
        const TControl& at = **control;
        if (inner && at.Visible() && at.Enabled() && PtInRect(&at.PixelBounds(), pixel)) {
            pixel.x -= at.PixelBounds().left;
            pixel.y -= at.PixelBounds().top;
            return inner->ContainerAt(pixel);
        }
    }
    return *this;
}

void TContainer::PaintBackground(HDC dc) const {
    const int saved = SaveDC(dc);
    for (TControl* control : controls_)
        if (const auto* drawn = dynamic_cast<TGraphicControl*>(control);
            drawn && drawn->Opaque() && drawn->Visible()) {
            const RECT& area = drawn->PixelBounds();
            ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
        }
    const BrushHandle background(CreateSolidBrush(ColorToRGB(self_.Color())));
    const RECT inside = PixelClientRect();
    FillRect(dc, &inside, background.Get());
    RestoreDC(dc, saved);
}

void TContainer::PaintControls(HDC dc) const {
    RECT clip;
    GetClipBox(dc, &clip);
    for (TControl* control : controls_) {
        RECT meets;
        if (auto* drawn = dynamic_cast<TGraphicControl*>(control);
            drawn && drawn->Visible() && IntersectRect(&meets, &clip, &drawn->PixelBounds()))
            drawn->Paint(dc);
    }
}

void TContainer::InsideChanged() const {
    for (TControl* control : controls_)
        control->ContainerChanged();
}

void TContainer::InsideDpiChanged() const {
    for (TControl* control : controls_)
        control->DpiChanged();
}

void TContainer::CreateWindowsInside() const {
    for (TControl* control : controls_)
        if (auto* windowed = dynamic_cast<TWinControl*>(control))
            windowed->CreateHandle();
        else if (const TContainer* inner = DrawnContainer(control))
            inner->CreateWindowsInside();
}
