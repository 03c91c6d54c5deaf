#include "framework/WinControl.h"

#include "framework/Accessible.h"
#include "framework/Dispatch.h"
#include "framework/Errors.h"
#include "framework/WideText.h"

#include <windowsx.h>

#include <cctype>

namespace {

const wchar_t* const ControlClass = L"QuorbelControl";
// The window property that binds a window to its control object. A
// property, not GWLP_USERDATA, so that a foreign window is never mistaken
// for one of ours.
const wchar_t* const BindingProperty = L"Quorbel.Control";

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

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, const wchar_t* icon) {
    WNDCLASSW existing;
    if (GetClassInfoW(GetModuleHandleW(nullptr), name, &existing))
        return;
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = icon ? LoadIconW(wc.hInstance, icon) : nullptr;
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

// --- TWinControl ---------------------------------------------------------

TWinControl::~TWinControl() {
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window ? static_cast<TWinControl*>(GetPropW(window, BindingProperty)) : nullptr;
}

HWND TWinControl::WindowParent() const {
    return Parent() ? Parent()->HostHandle() : nullptr;
}

RECT TWinControl::RectInHost() const {
    return Parent() ? Parent()->ToHost(PixelBounds()) : PixelBounds();
}

bool TWinControl::ShownInHost() const {
    return Visible() && (!Parent() || Parent()->ShowsInside());
}

bool TWinControl::EnabledInHost() const {
    return Enabled() && (!Parent() || Parent()->EnablesInside());
}

void TWinControl::CreateHandle() {
    if (!handle_)
        CreateOwnWindow();
}

void TWinControl::CreateOwnWindow() {
    RegisterClassOnce(ControlClass, FrameworkWindowProc);
    const wchar_t* systemClass = SystemClass();
    // A top-level window appears only when its form is shown, after its
    // creation handler, not behind an error box raised there.
    const bool shown = Parent() && ShownInHost();
    const DWORD style =
        WindowStyle() | (shown ? WS_VISIBLE : 0) | (EnabledInHost() ? 0 : WS_DISABLED);
    const RECT at = RectInHost();
    const HWND created = CreateWindowExW(WindowExStyle(), systemClass ? systemClass : ControlClass,
                                         Wide(Caption()).c_str(), style, at.left, at.top,
                                         at.right - at.left, at.bottom - at.top, WindowParent(),
                                         nullptr, GetModuleHandleW(nullptr), this);
    if (!created)
        throw EOutOfResources(WindowRefused);
    if (systemClass && !Subclass(created)) {
        Unbind();
        DestroyWindow(created);
        throw EOutOfResources(WindowRefused);
    }
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleOf()), FALSE);
    HandleCreated();
}

// A window whose control cannot be found from it again would get none of
// its messages: it is as good as not made.
bool TWinControl::Bind(HWND handle) {
    if (!SetPropW(handle, BindingProperty, this))
        return false;
    handle_ = handle;
    return true;
}

// The system's procedure stays behind ours.
bool TWinControl::Subclass(HWND handle) {
    if (!Bind(handle))
        return false;
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWindowProc)));
    return systemProc_ != nullptr;
}

void TWinControl::Unbind() {
    RemovePropW(handle_, BindingProperty);
    handle_ = nullptr;
}

void TWinControl::CaptionChanged() {
    if (handle_)
        SetWindowTextW(handle_, Wide(Caption()).c_str());
    Invalidate();
}

LRESULT TWinControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (systemProc_)
        return CallWindowProcW(systemProc_, handle_, message, wParam, lParam);
    return DefWindowProcW(handle_, message, wParam, lParam);
}

void TWinControl::DestroyHandle() {
    if (handle_)
        DestroyWindow(handle_); // WM_NCDESTROY unbinds
}

// Layout passes set most bounds again unchanged; each move of a window
// costs messages and, under Wine, a round to the X server.
void TWinControl::Place(const RECT& bounds, const RECT& pixels) {
    TControl::Place(bounds, pixels);
    MoveWindowInHost();
}

void TWinControl::MoveWindowInHost() {
    const RECT at = RectInHost();
    if (handle_ && !HasBounds(handle_, at))
        SetWindowPos(handle_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
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
}

// A panel around it moved, or was shown or enabled, at any depth.
void TWinControl::ContainerChanged() {
    MoveWindowInHost();
    if (handle_ && ShownInHost() != ((GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE) != 0))
        SetVisible(Visible());
    SetEnabled(Enabled());
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

RECT TWinControl::PixelClientArea() const {
    RECT client{};
    if (handle_)
        GetClientRect(handle_, &client);
    return client;
}

void TWinControl::Invalidate() {
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::FontChanged() {
    const FontHandle old = TakeFont(); // deleted only after the window has the new one
    if (handle_)
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleOf()), TRUE);
    Invalidate();
}

void TWinControl::Paint(HDC dc) {
    const BrushHandle background(CreateSolidBrush(ColorToRGB(Color())));
    const RECT client = PixelClientArea();
    FillRect(dc, &client, background.Get());
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
        return 0;
    }
    case WM_GETOBJECT:
        // As a 64-bit lParam the object id is zero-extended.
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
            const std::string name = NameForReaders();
            if (!name.empty())
                return AnswerWithName(handle_, wParam, DefaultProc(message, wParam, lParam), name);
        }
        break;
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

std::string TWinControl::NameForReaders() const {
    if (!AccessibleName.empty())
        return AccessibleName;
    return Label ? AccessibleText(Label->Caption()) : std::string();
}

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control =
            static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (!control->Bind(window))
            return FALSE; // CreateWindowEx fails
    }
    TWinControl* control = TWinControl::FromHandle(window);
    if (!control) // messages before WM_NCCREATE, or after WM_NCDESTROY
        return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    TDispatcher::Instance().Guard([&] { result = control->WndProc(message, wParam, lParam); });
    return result;
}

// --- TWinContainer -------------------------------------------------------

RECT TWinContainer::ClientRect() const {
    if (!HandleAllocated())
        return {0, 0, Width(), Height()};
    return ScaleRectFromDpi(PixelClientArea(), Dpi());
}

RECT TWinContainer::PixelClientRect() const {
    if (!HandleAllocated())
        return ScaleRectToDpi(ClientRect(), Dpi());
    return PixelClientArea();
}

void TWinContainer::CreateHandle() {
    TWinControl::CreateHandle();
    CreateWindowsInside();
}

void TWinContainer::DpiChanged() {
    InsideDpiChanged();
    TWinControl::DpiChanged();
}

void TWinContainer::Place(const RECT& bounds, const RECT& pixels) {
    TWinControl::Place(bounds, pixels);
    Realign();
}

void TWinContainer::Paint(HDC dc) {
    PaintBackground(dc);
    PaintControls(dc);
}

void TWinContainer::MouseMove(WPARAM keys, LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TContainer& target = ContainerAt(at);
    if (target.OnMouseMove)
        target.OnMouseMove(&target.Self(), static_cast<TShiftState>(keys),
                           ScaleFromDpi(at.x, Dpi()), ScaleFromDpi(at.y, Dpi()));
}

// Over a window inside, which asks its parent first, this container's own
// pointer; over its own inside, that of the panel under the pointer.
bool TWinContainer::SetPointer(HWND over) {
    const TContainer* under = this;
    if (over == handle_) {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(handle_, &at);
        under = &ContainerAt(at);
    }
    if (under->Cursor != crNone)
        return false;
    SetCursor(nullptr);
    return true;
}

LRESULT TWinContainer::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        Realign();
        break;
    case WM_MOUSEMOVE:
        MouseMove(wParam, lParam);
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetPointer(reinterpret_cast<HWND>(wParam)))
            return TRUE;
        break;
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
