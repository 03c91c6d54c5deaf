#include "framework/Controls.h"

#include "framework/Dispatch.h"
#include "framework/Errors.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>

namespace {

const char* const ControlClass = "QuorbelControl";
// The window property that binds a window to its control object. A
// property, not GWLP_USERDATA, so that a foreign window is never mistaken
// for one of ours.
const char* const BindingProperty = "Quorbel.Control";
const char* const TimerRefused = "Nicht genügend Timer verfügbar";

void ForEachWinControl(const std::vector<TControl*>& controls, void (*action)(TWinControl&)) {
    for (TControl* child : controls)
        if (auto* container = dynamic_cast<TWinControl*>(child))
            action(*container);
}

// The control as a windowless container that can be seen, or nullptr.
TWinControl* ShownWindowless(TControl* control) {
    auto* container = dynamic_cast<TWinControl*>(control);
    return container && container->Windowless() && container->Visible() ? container : nullptr;
}

} // namespace

TShiftState KeyShiftState() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= MK_CONTROL;
    return shift;
}

void RegisterClassOnce(const char* name, WNDPROC proc, const char* icon) {
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &existing))
        return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = icon ? LoadIconA(wc.hInstance, icon) : nullptr;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

// --- TComponent ----------------------------------------------------------

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_)
        owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    for (TComponent* owned : components_)
        owned->owner_ = nullptr; // one that outlives its owner must not reach back
    if (owner_) {
        auto& siblings = owner_->components_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

// --- TControl ------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
    Font.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_) {
        parent_->controls_.push_back(this);
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
    return parent_ ? parent_->Dpi() : ScreenDpi();
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
    for (const TControl* c = this; c; c = c->parent_)
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

// --- TWinControl ---------------------------------------------------------

TWinControl::TWinControl(TComponent* owner, bool windowless)
    : TControl(owner), windowless_(windowless) {}

TWinControl::~TWinControl() {
    DestroyHandle();
    for (TControl* child : controls_)
        child->parent_ = nullptr; // one that outlives its parent must not reach back
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window ? static_cast<TWinControl*>(GetPropA(window, BindingProperty)) : nullptr;
}

HWND TWinControl::WindowParent() const {
    return Parent() ? Parent()->HostHandle() : nullptr;
}

HWND TWinControl::HostHandle() const {
    return Windowless() && Parent() ? Parent()->HostHandle() : handle_;
}

RECT TWinControl::ToHost(RECT pixels) const {
    if (Windowless() && Parent()) {
        OffsetRect(&pixels, PixelBounds().left, PixelBounds().top);
        return Parent()->ToHost(pixels);
    }
    return pixels;
}

RECT TWinControl::RectInHost() const {
    return Parent() ? Parent()->ToHost(PixelBounds()) : PixelBounds();
}

bool TWinControl::ShownInHost() const {
    return Visible() && (!Parent() || !Parent()->Windowless() || Parent()->ShownInHost());
}

bool TWinControl::EnabledInHost() const {
    return Enabled() && (!Parent() || !Parent()->Windowless() || Parent()->EnabledInHost());
}

void TWinControl::CreateHandle() {
    if (!handle_ && !Windowless())
        CreateOwnWindow();
    ForEachWinControl(controls_, [](TWinControl& child) { child.CreateHandle(); });
}

void TWinControl::CreateOwnWindow() {
    RegisterClassOnce(ControlClass, FrameworkWindowProc);
    const char* systemClass = SystemClass();
    // A top-level window appears only when its form is shown, after its
    // creation handler, not behind an error box raised there.
    const bool shown = Parent() && ShownInHost();
    const DWORD style =
        WindowStyle() | (shown ? WS_VISIBLE : 0) | (EnabledInHost() ? 0 : WS_DISABLED);
    const RECT at = RectInHost();
    const HWND created = CreateWindowExA(WindowExStyle(), systemClass ? systemClass : ControlClass,
                                         Caption().c_str(), style, at.left, at.top,
                                         at.right - at.left, at.bottom - at.top, WindowParent(),
                                         nullptr, GetModuleHandleA(nullptr), this);
    if (!created)
        throw EOutOfResources("Fenster kann nicht erstellt werden");
    if (systemClass) { // the system's procedure stays behind ours
        Bind(created);
        systemProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            created, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWindowProc)));
    }
    SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleOf()), FALSE);
    HandleCreated();
}

void TWinControl::Bind(HWND handle) {
    handle_ = handle;
    SetPropA(handle, BindingProperty, this);
}

void TWinControl::Unbind() {
    RemovePropA(handle_, BindingProperty);
    handle_ = nullptr;
}

void TWinControl::CaptionChanged() {
    if (handle_)
        SetWindowTextA(handle_, Caption().c_str());
    Invalidate();
}

LRESULT TWinControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (systemProc_)
        return CallWindowProcA(systemProc_, handle_, message, wParam, lParam);
    return DefWindowProcA(handle_, message, wParam, lParam);
}

void TWinControl::DestroyHandle() {
    if (handle_)
        DestroyWindow(handle_); // WM_NCDESTROY unbinds
}

namespace {

// Whether the window is there already, in its parent's client coordinates.
bool HasBounds(HWND window, const RECT& wanted) {
    RECT bounds;
    if (!GetWindowRect(window, &bounds))
        return false;
    MapWindowPoints(HWND_DESKTOP, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&bounds),
                    2);
    return EqualRect(&bounds, &wanted);
}

} // namespace

void TWinControl::Place(const RECT& bounds, const RECT& pixels) {
    const RECT old = PixelBounds();
    TControl::Place(bounds, pixels);
    // Layout passes set most bounds again unchanged; each move of a window
    // costs messages and, under Wine, a round to the X server.
    MoveWindowInHost();
    Realign();
    if (Windowless())
        InvalidateMoved(old);
}

// Also where only a windowless container around it moved, at any depth.
void TWinControl::MoveWindowInHost() {
    const RECT at = RectInHost();
    if (handle_ && !HasBounds(handle_, at))
        SetWindowPos(handle_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    if (Windowless())
        ForEachWinControl(controls_, [](TWinControl& child) { child.MoveWindowInHost(); });
}

void TWinControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
    if (Windowless()) {
        Invalidate();
        ForEachWinControl(controls_, [](TWinControl& child) { child.SetVisible(child.Visible()); });
        return;
    }
    if (!handle_ || !Parent())
        return;
    const HWND focus = GetFocus();
    const bool hadFocus = focus == handle_ || IsChild(handle_, focus);
    const bool shown = ShownInHost();
    ShowWindow(handle_, shown ? SW_SHOWNA : SW_HIDE);
    if (hadFocus && !shown) // Windows leaves the focus on the hidden window
        if (TWinControl* top = FromHandle(GetAncestor(handle_, GA_ROOT)))
            top->RecoverFocus();
}

void TWinControl::SetEnabled(bool enabled) {
    TControl::SetEnabled(enabled);
    if (handle_)
        EnableWindow(handle_, EnabledInHost());
    if (Windowless())
        ForEachWinControl(controls_, [](TWinControl& child) { child.SetEnabled(child.Enabled()); });
}

char TWinControl::Accelerator() const {
    const std::string& caption = Caption();
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return 0;
}

void TWinControl::SetFocus() {
    if (handle_)
        ::SetFocus(handle_);
}

RECT TWinControl::ClientRect() const {
    if (!handle_)
        return {0, 0, Width(), Height()};
    return ScaleRectFromDpi(PixelClientRect(), Dpi());
}

RECT TWinControl::PixelClientRect() const {
    const RECT& at = PixelBounds();
    if (Windowless())
        return {0, 0, at.right - at.left, at.bottom - at.top};
    if (!handle_)
        return ScaleRectToDpi(ClientRect(), Dpi());
    RECT client{};
    GetClientRect(handle_, &client);
    return client;
}

// Aligned children fill the inside to the pixel, whatever the resolution. A
// strip keeps its height in 1/96 inch as it was set: taken back from the
// rounded pixels, it could creep by a unit at every change of scale.
void TWinControl::AlignStrip(TControl& child, RECT& free) {
    const int dpi = Dpi();
    const int height = ScaleToDpi(child.Height(), dpi);
    const bool top = child.Align() == TAlign::Top;
    const RECT pixels{free.left, top ? free.top : free.bottom - height, free.right,
                      top ? free.top + height : free.bottom};
    RECT bounds = ScaleRectFromDpi(pixels, dpi);
    bounds.bottom = bounds.top + child.Height();
    child.Place(bounds, pixels);
    if (top)
        free.top += height;
    else
        free.bottom -= height;
}

void TWinControl::Realign() {
    const RECT client = ClientRect();
    RECT free = PixelClientRect();
    for (TControl* child : controls_) {
        if (child->Align() == TAlign::Top || child->Align() == TAlign::Bottom)
            AlignStrip(*child, free);
        else if (child->Align() == TAlign::None)
            child->FollowAnchors(client);
    }
    free.bottom = std::max(free.top, free.bottom);
    for (TControl* child : controls_)
        if (child->Align() == TAlign::Client)
            child->SetPixelBounds(free);
}

void TWinControl::DpiChanged() {
    for (TControl* child : controls_)
        child->DpiChanged();
    TControl::DpiChanged();
}

void TWinControl::Invalidate() {
    InvalidateArea(PixelClientRect());
}

void TWinControl::InvalidateArea(const RECT& area) {
    const RECT inHost = ToHost(area);
    if (const HWND host = HostHandle())
        InvalidateRect(host, &inHost, TRUE);
}

void TWinControl::FontChanged() {
    const FontHandle old = TakeFont(); // deleted only after the window has the new one
    if (handle_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleOf()), TRUE);
    Invalidate();
}

// Not under the windowless children: each area is filled once, so nothing
// flickers in another colour first.
void TWinControl::Paint(HDC dc) {
    const int saved = SaveDC(dc);
    for (TControl* child : controls_)
        if (ShownWindowless(child)) {
            const RECT& area = child->PixelBounds();
            ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
        }
    const BrushHandle background(CreateSolidBrush(ColorToRGB(Color())));
    const RECT client = PixelClientRect();
    FillRect(dc, &client, background.Get());
    RestoreDC(dc, saved);
}

void TWinControl::PaintChildren(HDC dc) {
    RECT clip;
    GetClipBox(dc, &clip);
    for (TControl* child : controls_) {
        RECT visible;
        if (!child->Visible() || !IntersectRect(&visible, &clip, &child->PixelBounds()))
            continue;
        if (auto* graphic = dynamic_cast<TGraphicControl*>(child))
            graphic->Paint(dc);
        else if (TWinControl* container = ShownWindowless(child))
            container->PaintOnHost(dc);
    }
}

// Offset and clipped, so that it and what it holds paint at their own pixel
// bounds, as they would in a window of their own.
void TWinControl::PaintOnHost(HDC dc) {
    const int saved = SaveDC(dc);
    const RECT& at = PixelBounds();
    IntersectClipRect(dc, at.left, at.top, at.right, at.bottom);
    OffsetViewportOrgEx(dc, at.left, at.top, nullptr);
    Paint(dc);
    PaintChildren(dc);
    RestoreDC(dc, saved);
}

TWinControl& TWinControl::ContainerAt(POINT& pixel) {
    for (auto child = controls_.rbegin(); child != controls_.rend(); ++child)
        if (TWinControl* container = ShownWindowless(*child);
            container && container->Enabled() && PtInRect(&container->PixelBounds(), pixel)) {
            pixel.x -= container->PixelBounds().left;
            pixel.y -= container->PixelBounds().top;
            return container->ContainerAt(pixel);
        }
    return *this;
}

// Notifications name the child's window: its object answers them.
bool TWinControl::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->Notify(HIWORD(wParam));
            return true;
        }
        return false;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (TWinControl* child = FromHandle(header->hwndFrom)) {
            result = child->NotifyEx(header);
            return true;
        }
        return false;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam))) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
        return false;
    default:
        return false;
    }
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    if (ReflectToChild(message, wParam, lParam, reflected))
        return reflected;
    switch (message) {
    case WM_ERASEBKGND:
        if (systemProc_)
            break;
        return 1; // WM_PAINT fills everything
    case WM_PAINT: {
        if (systemProc_)
            break; // the system draws its own controls
        const PaintDC dc(handle_);
        Paint(dc);
        PaintChildren(dc);
        return 0;
    }
    case WM_SIZE:
        Realign();
        break;
    case WM_MOUSEMOVE: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        TWinControl& target = ContainerAt(at);
        if (target.OnMouseMove)
            target.OnMouseMove(&target, static_cast<TShiftState>(wParam), ScaleFromDpi(at.x, Dpi()),
                               ScaleFromDpi(at.y, Dpi()));
        break; // a system control still needs it: hover looks, drag-selection
    }
    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT)
            break;
        // Over a child window, which asks its parent first, this control's own.
        const TWinControl* under = this;
        if (reinterpret_cast<HWND>(wParam) == handle_) {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(handle_, &at);
            under = &ContainerAt(at);
        }
        if (under->Cursor == crNone) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    }
    case WM_NCDESTROY: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        Unbind();
        return result;
    }
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control =
            static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        control->Bind(window);
    }
    TWinControl* control = TWinControl::FromHandle(window);
    if (!control) // messages before WM_NCCREATE, or after WM_NCDESTROY
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    TDispatcher::Instance().Guard([&] { result = control->WndProc(message, wParam, lParam); });
    return result;
}

// --- TLabel --------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {}

UINT TLabel::DrawFlags() const {
    return (Centered ? DT_CENTER : DT_LEFT) | DT_EXPANDTABS | (ShowAccelChar ? 0 : DT_NOPREFIX);
}

void TLabel::AdjustSize() {
    if (!AutoSize)
        return;
    ScreenDC dc;
    const SelectedObject selected(dc, FontHandleOf());
    // An empty caption still measures as one blank.
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
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
    const BrushHandle background(CreateSolidBrush(ColorToRGB(Parent()->Color())));
    FillRect(dc, &r, background.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    DrawTextA(dc, Caption().c_str(), static_cast<int>(Caption().size()), &r, DrawFlags());
}

// --- TPanel --------------------------------------------------------------

void TPanel::ApplyOptions(const Options& options) {
    BevelOuter = options.bevelOuter;
    BevelInner = options.bevelInner;
}

void TPanel::Paint(HDC dc) {
    TWinControl::Paint(dc);
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
    GetTextExtentPoint32A(dc, "W", 1, &w);
    RECT line = area;
    line.top = area.top + (area.bottom - area.top - w.cy) / 2;
    line.bottom = line.top + w.cy;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    DrawTextA(dc, Caption().c_str(), static_cast<int>(Caption().size()), &line,
              DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
    RestoreDC(dc, saved);
}

// --- TGroupBox -----------------------------------------------------------

void TGroupBox::Paint(HDC dc) {
    TWinControl::Paint(dc);
    const SelectedObject selected(dc, FontHandleOf());
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    RECT frame = PixelClientRect();
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty())
        return;
    RECT text{Scaled(8), 0, frame.right - Scaled(8), metrics.tmHeight};
    DrawTextA(dc, Caption().c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    text.right += Scaled(4);
    text.left -= Scaled(2);
    const BrushHandle background(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &text, background.Get());
    text.left += Scaled(2);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    DrawTextA(dc, Caption().c_str(), -1, &text, DT_SINGLELINE);
}

// --- TTimer --------------------------------------------------------------

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    Update();
}

TTimer::~TTimer() {
    Stop();
}

void TTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void TTimer::Tick() {
    if (OnTimer)
        OnTimer(this);
}

void TTimer::Stop() {
    if (!id_)
        return;
    TDispatcher::Instance().RemoveTimer(id_);
    id_ = 0;
}

void TTimer::Update() {
    Stop();
    if (!enabled_ || interval_ == 0)
        return;
    id_ = TDispatcher::Instance().AddTimer(
        interval_, [](void* timer) { static_cast<TTimer*>(timer)->Tick(); }, this);
    if (!id_)
        throw EOutOfResources(TimerRefused);
}
