#include "framework/Control.h"

#include "framework/Container.h"

TShiftState KeyShiftState() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= MK_CONTROL;
    return shift;
}

// --- TControl ------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
    Font.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    SetParent(nullptr);
}

void TControl::SetParent(TContainer* parent) {
    if (parent_)
        parent_->Remove(*this);
    parent_ = parent;
    if (parent_) {
        parent_->Add(*this);
        SetAnchors(anchors_);
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    const RECT bounds{left, top, left + width, top + height};
    Place(bounds, ScaleRectToDpi(bounds, Dpi()));
}

void TControl::SetPixelBounds(const RECT& pixels) {
    Place(ScaleRectFromDpi(pixels, Dpi()), pixels);
}

void TControl::Place(const RECT& bounds, const RECT& pixels) {
    bounds_ = bounds;
    pixels_ = pixels;
}

int TControl::Dpi() const {
    return parent_ ? parent_->Self().Dpi() : ScreenDpi();
}

HFONT TControl::FontHandleOf() {
    if (!font_.Get())
        font_ = CreateFontHandle(Font, Dpi());
    return font_.Get();
}

int TControl::Scaled(int value) const {
    return ScaleToDpi(value, Dpi());
}

void TControl::DpiChanged() {
    if (parent_) // a form's own place on the screen is the form's to say
        Place(bounds_, ScaleRectToDpi(bounds_, Dpi()));
    FontChanged();
}

void TControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_)
        parent_->Realign();
}

void TControl::SetAnchors(TAnchors anchors) {
    anchors_ = anchors;
    if (parent_) {
        const RECT client = parent_->ClientRect();
        anchorBase_ = {client.right, client.bottom};
    }
}

// A side anchored at both edges stretches; at the far edge only, it moves;
// otherwise it stays where it is.
void TControl::FollowAnchors(const RECT& parentClient) {
    const int dx = parentClient.right - anchorBase_.cx;
    const int dy = parentClient.bottom - anchorBase_.cy;
    anchorBase_ = {parentClient.right, parentClient.bottom};
    if (dx == 0 && dy == 0)
        return;
    RECT r = bounds_;
    if (anchors_ & akRight) {
        if (!(anchors_ & akLeft))
            r.left += dx;
        r.right += dx;
    }
    if (anchors_ & akBottom) {
        if (!(anchors_ & akTop))
            r.top += dy;
        r.bottom += dy;
    }
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    CaptionChanged();
}

void TControl::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    visible_ = visible;
}

void TControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
}

bool TControl::Reachable() const {
    for (const TControl* c = this; c; c = c->parent_ ? &c->parent_->Self() : nullptr)
        if (!c->visible_ || !c->enabled_)
            return false;
    return true;
}

void TControl::Invalidate() {}

// Only the two rectangles change: no full repaint, no flicker.
void TControl::InvalidateMoved(const RECT& old) {
    if (parent_ && !EqualRect(&old, &pixels_)) {
        parent_->InvalidateArea(old);
        parent_->InvalidateArea(pixels_);
    }
}

// --- TGraphicControl -----------------------------------------------------

void TGraphicControl::Place(const RECT& bounds, const RECT& pixels) {
    const RECT old = PixelBounds();
    TControl::Place(bounds, pixels);
    InvalidateMoved(old);
}

void TGraphicControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
    Invalidate();
}

void TGraphicControl::Invalidate() {
    if (Parent())
        Parent()->InvalidateArea(PixelBounds());
}
