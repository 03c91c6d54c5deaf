#include "framework/Form.h"

#include "framework/Application.h"

#include <algorithm>
#include <utility>

namespace {

// Sent by Windows 8.1 and later, whose headers the program does not build for.
constexpr UINT WmDpiChanged = 0x02E0;
constexpr UINT WmGetDpiScaledSize = 0x02E4;

// What ShowWindow is asked for each window state, by showing and by a change
// of state alike.
constexpr int ShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};

int ShowCommandOf(TWindowState state) {
    return ShowCommands[static_cast<int>(state)];
}

} // namespace

TForm::TForm() : TWinContainer(nullptr) {
    TControl::SetVisible(false);
}

TForm::~TForm() {
    DestroyHandle();
}

DWORD TForm::WindowStyle() const {
    DWORD style = WS_CLIPCHILDREN;
    switch (BorderStyle) {
    case TBorderStyle::None:
        return style | WS_POPUP;
    case TBorderStyle::Single:
        style |= WS_CAPTION | WS_BORDER;
        break;
    case TBorderStyle::Sizeable:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    }
    if (BorderIcons & biSystemMenu)
        style |= WS_SYSMENU;
    if (BorderIcons & biMinimize)
        style |= WS_MINIMIZEBOX;
    if (BorderIcons & biMaximize)
        style |= WS_MAXIMIZEBOX;
    return style;
}

// A borderless form keeps out of the taskbar and the task switcher, owned
// or not.
DWORD TForm::WindowExStyle() const {
    return (FormStyle == TFormStyle::StayOnTop ? WS_EX_TOPMOST : 0) |
           (BorderStyle == TBorderStyle::None ? WS_EX_TOOLWINDOW : 0);
}

HWND TForm::WindowParent() const {
    return Application.Handle();
}

// The window may have come up on a screen of another scale than the
// system's; its children are made after this, already at the right one.
void TForm::HandleCreated() {
    const int dpi = WindowDpi(handle_);
    if (dpi != dpi_) {
        dpi_ = dpi;
        DpiChanged();
        if (clientWidth_ >= 0)
            SetClientSize(clientWidth_, clientHeight_);
        else
            SetBounds(Left(), Top(), Width(), Height());
    }
    SetIcons();
}

// The title bar's icon and the big one, drawn for the sizes of this scale;
// a borderless form shows neither, and spares itself loading them.
void TForm::SetIcons() {
    if (BorderStyle == TBorderStyle::None)
        return;
    // Not shared: a shared icon is the first one loaded of that name,
    // whatever size is asked for.
    const auto set = [this](IconHandle& owned, WPARAM kind, int metric) {
        const int size = SystemMetricForDpi(metric, dpi_);
        IconHandle icon(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), L"SMALLICON", IMAGE_ICON, size, size, 0)));
        if (!icon)
            return;
        SendMessageW(handle_, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon.get()));
        owned = std::move(icon); // the old one only now, when the window has let go of it
    };
    set(smallIcon_, ICON_SMALL, SM_CXSMICON);
    set(bigIcon_, ICON_BIG, SM_CXICON);
}

void TForm::Place(const RECT& bounds, const RECT& pixels) {
    clientWidth_ = clientHeight_ = -1;
    TWinContainer::Place(bounds, pixels);
}

// The window's size in pixels for a client area of width x height units at dpi.
SIZE TForm::OuterSize(int width, int height, int dpi) const {
    RECT r{0, 0, ScaleToDpi(width, dpi), ScaleToDpi(height, dpi)};
    AdjustWindowRectForDpi(r, WindowStyle(), WindowExStyle(), dpi);
    return {r.right - r.left, r.bottom - r.top};
}

void TForm::SetClientSize(int width, int height) {
    const SIZE size = OuterSize(width, height, dpi_);
    const RECT& at = PixelBounds();
    const RECT pixels{at.left, at.top, at.left + size.cx, at.top + size.cy};
    TWinContainer::Place(ScaleRectFromDpi(pixels, dpi_), pixels);
    clientWidth_ = width;
    clientHeight_ = height;
}

void TForm::ChangeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    DpiChanged();
    SetPixelBounds(suggested);
    SetIcons();
    Invalidate();
}

RECT TForm::ClientRect() const {
    if (!HandleAllocated() && clientWidth_ >= 0)
        return {0, 0, clientWidth_, clientHeight_};
    return TWinContainer::ClientRect();
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (HandleAllocated() && IsWindowVisible(handle_))
        ShowWindow(handle_, ShowCommandOf(state));
}

// Centring happens when the window is first shown, with the size FormCreate
// left it.
void TForm::PlaceOnScreen() {
    if (clientWidth_ >= 0) // the border may have changed since the size was set
        SetClientSize(clientWidth_, clientHeight_);
    if (Position != TPosition::ScreenCenter)
        return;
    const RECT& r = PixelBounds();
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    const RECT centred{left, top, left + width, top + height};
    TWinContainer::Place(ScaleRectFromDpi(centred, dpi_), centred);
}

void TForm::ApplyStayOnTop() {
    const bool onTop = FormStyle == TFormStyle::StayOnTop;
    // A window made top-most is top-most already; restacking it again would
    // cost the screen saver's start a round to the X server under Wine.
    if (onTop == ((GetWindowLongW(handle_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0))
        return;
    SetWindowPos(handle_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::ApplyStackingOrder() {
    for (TWinControl* control : StackingOrder)
        SetWindowPos(control->Handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::Show() {
    if (!HandleAllocated())
        CreateHandle();
    if (!placed_) {
        placed_ = true;
        ApplyStackingOrder();
        PlaceOnScreen();
        Realign();
        // Themed controls hide the accelerators' underlines until Alt is
        // pressed; the captions here always show them.
        SendMessageW(handle_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    }
    TControl::SetVisible(true);
    if (HasTaskbarEntry())
        Application.ShowTaskbarEntry();
    ShowWindow(handle_, ShowCommandOf(windowState_));
    ApplyStayOnTop();
    SetForegroundWindow(handle_);
    if (ActiveControl && ActiveControl->Reachable())
        ActiveControl->SetFocus();
}

void TForm::Hide() {
    TControl::SetVisible(false);
    if (HandleAllocated())
        ShowWindow(handle_, SW_HIDE);
}

void TForm::Close() {
    const bool isMain = this == Application.MainForm();
    TCloseAction action = isMain ? TCloseAction::Free : TCloseAction::Hide;
    if (OnClose)
        OnClose(this, action);
    if (action == TCloseAction::None)
        return;
    if (isMain)
        Application.Terminate();
    else
        Hide();
}

// The application window stands for the main form in the taskbar; the
// full-screen display, which hides the taskbar, has no entry.
bool TForm::HasTaskbarEntry() const {
    return this == Application.MainForm() && BorderStyle != TBorderStyle::None;
}

// Back to the control that had the focus when the form was last left, if
// it can still take it.
void TForm::RestoreFocus() {
    if (IsChild(handle_, lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
        ::SetFocus(lastFocus_);
    else
        RecoverFocus();
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WmGetDpiScaledSize: {
        // The size the 96-ppi client size asks for at the new resolution, so
        // that the rectangle WM_DPICHANGED suggests fits the layout exactly.
        const RECT client = ClientRect();
        *reinterpret_cast<SIZE*>(lParam) =
            OuterSize(client.right, client.bottom, static_cast<int>(wParam));
        return TRUE;
    }
    case WmDpiChanged:
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ENDSESSION:
        // The session ends without a close request; the main form closes
        // all the same, so that what its OnClose restores is restored.
        if (wParam && this == Application.MainForm())
            Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(handle_, focus))
                lastFocus_ = focus;
        } else if (lastFocus_) {
            RestoreFocus();
            return 0;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
        if (keyboard_.FormKey(message, wParam, lParam))
            return 0;
        break;
    default:
        break;
    }
    return TWinContainer::WndProc(message, wParam, lParam);
}
