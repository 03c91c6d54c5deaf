#include "framework/Controls.h"

#include "framework/Errors.h"
#include "framework/Forms.h"

#include <windowsx.h>

#include <algorithm>

namespace {

const char* const ControlClass = "QuorbelControl";
const char* const TimerClass = "QuorbelTimer";

void RegisterClassOnce(const char* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &existing))
        return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
    RegisterClassA(&wc);
}

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (timer && timer->OnTimer)
            Application.Guard([&] { timer->OnTimer(timer); });
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

// --- TControl ------------------------------------------------------------

TControl::TControl(TForm* owner, const char* name) : Name(name), owner_(owner) {
    if (owner_)
        owner_->Register(this);
    Font.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    SetParent(nullptr);
}

TForm* TControl::Form() const {
    return owner_ ? owner_ : dynamic_cast<TForm*>(const_cast<TControl*>(this));
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_)
        parent_->controls_.push_back(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    bounds_ = {left, top, left + width, top + height};
}

void TControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_)
        parent_->Realign();
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

void TControl::Invalidate() {}

// --- TGraphicControl -----------------------------------------------------

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
    const RECT old = BoundsRect();
    TControl::SetBounds(left, top, width, height);
    if (Parent() && !EqualRect(&old, &BoundsRect())) {
        // Only the two rectangles change: no full repaint, no flicker.
        Parent()->InvalidateArea(old);
        Parent()->InvalidateArea(BoundsRect());
    }
}

void TGraphicControl::Invalidate() {
    if (Parent())
        Parent()->InvalidateArea(BoundsRect());
}

// --- TWinControl ---------------------------------------------------------

TWinControl::TWinControl(TForm* owner, const char* name) : TControl(owner, name) {}

TWinControl::~TWinControl() {
    DestroyHandle();
}

HWND TWinControl::WindowParent() const {
    return Parent() ? Parent()->Handle() : nullptr;
}

void TWinControl::CreateHandle() {
    if (handle_)
        return;
    RegisterClassOnce(ControlClass, FrameworkWindowProc, nullptr);
    const char* systemClass = SystemClass();
    const HWND created = CreateWindowExA(
        WindowExStyle(), systemClass ? systemClass : ControlClass, Caption().c_str(),
        WindowStyle() | (Visible ? WS_VISIBLE : 0), Left(), Top(), Width(), Height(),
        WindowParent(), nullptr, GetModuleHandleA(nullptr), this);
    if (!created)
        throw EOutOfResources("Fenster kann nicht erstellt werden");
    if (systemClass) // the system's procedure stays behind ours
        systemProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            created, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWindowProc)));
    Bind(created);
    SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleOf()), FALSE);
    HandleCreated();
    CreateChildHandles();
}

void TWinControl::Bind(HWND handle) {
    handle_ = handle;
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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

void TWinControl::CreateChildHandles() {
    for (TControl* child : controls_)
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            windowed->CreateHandle();
}

void TWinControl::DestroyHandle() {
    if (handle_)
        DestroyWindow(handle_); // WM_NCDESTROY clears handle_
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    if (handle_)
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    Realign();
}

RECT TWinControl::ClientRect() const {
    RECT client{0, 0, Width(), Height()};
    if (handle_)
        GetClientRect(handle_, &client);
    return client;
}

void TWinControl::Realign() {
    RECT free = ClientRect();
    for (TControl* child : controls_) {
        switch (child->Align()) {
        case TAlign::Top:
            child->SetBounds(free.left, free.top, free.right - free.left, child->Height());
            free.top += child->Height();
            break;
        case TAlign::Bottom:
            child->SetBounds(free.left, free.bottom - child->Height(), free.right - free.left,
                             child->Height());
            free.bottom -= child->Height();
            break;
        default:
            break;
        }
    }
    for (TControl* child : controls_)
        if (child->Align() == TAlign::Client)
            child->SetBounds(free.left, free.top, free.right - free.left,
                             std::max(0L, free.bottom - free.top));
}

void TWinControl::Invalidate() {
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::InvalidateArea(const RECT& area) {
    if (handle_)
        InvalidateRect(handle_, &area, TRUE);
}

HFONT TWinControl::FontHandleOf() {
    if (!font_.Get())
        font_ = CreateFontHandle(Font);
    return font_.Get();
}

void TWinControl::FontChanged() {
    font_.Reset();
    if (handle_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleOf()), TRUE);
    Invalidate();
}

void TWinControl::Paint(HDC dc) {
    const BrushHandle background(CreateSolidBrush(ColorToRGB(Color())));
    const RECT client = ClientRect();
    FillRect(dc, &client, background.Get());
}

void TWinControl::PaintChildren(HDC dc) {
    for (TControl* child : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (!graphic || !graphic->Visible)
            continue;
        RECT visible;
        RECT clip;
        GetClipBox(dc, &clip);
        if (IntersectRect(&visible, &clip, &graphic->BoundsRect()))
            graphic->Paint(dc);
    }
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (systemProc_ && (message == WM_PAINT || message == WM_ERASEBKGND))
        return DefaultProc(message, wParam, lParam); // the system draws its own controls
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT fills everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        Paint(dc);
        PaintChildren(dc);
        EndPaint(handle_, &ps);
        return 0;
    }
    case WM_SIZE:
        Realign();
        break;
    case WM_MOUSEMOVE:
        if (OnMouseMove)
            OnMouseMove(this, static_cast<TShiftState>(wParam), GET_X_LPARAM(lParam),
                        GET_Y_LPARAM(lParam));
        return 0;
    case WM_SETCURSOR:
        if (Cursor == crNone && LOWORD(lParam) == HTCLIENT) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_COMMAND:
        for (TControl* child : controls_)
            if (auto* windowed = dynamic_cast<TWinControl*>(child);
                windowed && windowed->handle_ &&
                windowed->handle_ == reinterpret_cast<HWND>(lParam))
                windowed->Notify(HIWORD(wParam));
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        handle_ = nullptr;
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
        control->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control) // messages before WM_NCCREATE, or after WM_NCDESTROY
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);

    LRESULT result = 0;
    Application.Guard([&] {
        TForm* form = control->Form();
        if (form && form != control && form->PreviewKey(message, wParam))
            return;
        result = control->WndProc(message, wParam, lParam);
    });
    return result;
}

// --- TLabel --------------------------------------------------------------

TLabel::TLabel(TForm* owner, const char* name) : TGraphicControl(owner, name) {}

UINT TLabel::DrawFlags() const {
    return (Centered ? DT_CENTER : DT_LEFT) | DT_EXPANDTABS | (ShowAccelChar ? 0 : DT_NOPREFIX);
}

void TLabel::AdjustSize() {
    if (!AutoSize)
        return;
    ScreenDC dc;
    const FontHandle font = CreateFontHandle(Font);
    const SelectedObject selected(dc, font.Get());
    // An empty caption still measures as one blank.
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
    SetBounds(Left(), Top(), r.right, r.bottom);
}

void TLabel::CaptionChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::Paint(HDC dc) {
    const FontHandle font = CreateFontHandle(Font);
    const SelectedObject selected(dc, font.Get());
    RECT r = BoundsRect();
    const BrushHandle background(CreateSolidBrush(ColorToRGB(Parent()->Color())));
    FillRect(dc, &r, background.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    DrawTextA(dc, Caption().c_str(), static_cast<int>(Caption().size()), &r, DrawFlags());
}

// --- TPanel --------------------------------------------------------------

TPanel::TPanel(TForm* owner, const char* name) : TWinControl(owner, name) {}

void TPanel::Paint(HDC dc) {
    TWinControl::Paint(dc);
    RECT area = ClientRect();
    if (BevelOuter != TPanelBevel::None)
        DrawEdge(dc, &area, BevelOuter == TPanelBevel::Raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER,
                 BF_RECT | BF_ADJUST);
    if (BevelInner != TPanelBevel::None)
        DrawEdge(dc, &area, BevelInner == TPanelBevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENINNER,
                 BF_RECT | BF_ADJUST);
    PaintCaption(dc, area);
}

// Centred horizontally, in a line box as high as a "W", centred vertically.
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
    DrawTextA(dc, Caption().c_str(), static_cast<int>(Caption().size()), &line,
              DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
}

// --- TTimer --------------------------------------------------------------

TTimer::TTimer(TForm* owner, const char* name) : Name(name) {
    if (owner)
        owner->Register(this);
    RegisterClassOnce(TimerClass, TimerWindowProc, nullptr);
    window_ = CreateWindowExA(0, TimerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Update();
}

TTimer::~TTimer() {
    KillTimer(window_, 1);
    DestroyWindow(window_);
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

void TTimer::Update() {
    KillTimer(window_, 1);
    if (enabled_ && interval_ > 0 && !SetTimer(window_, 1, interval_, nullptr))
        throw EOutOfResources("Nicht genügend Timer verfügbar");
}
