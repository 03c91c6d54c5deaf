#include "framework/Forms.h"

#include "framework/Errors.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <typeinfo>
#include <utility>

TApplication Application;

namespace {

const char* const ApplicationClass = "QuorbelApplication";
// Sent by Windows 8.1 and later, whose headers the program does not build for.
constexpr UINT WmDpiChanged = 0x02E0;
constexpr UINT WmGetDpiScaledSize = 0x02E4;

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// The presses that move the focus to a control.
bool IsMousePress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
}

// The windowed controls below parent in tab order, depth first; those
// hidden or disabled are left out with everything inside them.
void CollectTabStops(const TWinControl& parent, std::vector<TWinControl*>& stops) {
    std::vector<TWinControl*> children;
    for (TControl* child : parent.Controls())
        if (auto* windowed = dynamic_cast<TWinControl*>(child);
            windowed && windowed->TabOrder >= 0 && windowed->Visible() && windowed->Enabled())
            children.push_back(windowed);
    std::stable_sort(
        children.begin(), children.end(),
        [](const TWinControl* a, const TWinControl* b) { return a->TabOrder < b->TabOrder; });
    for (TWinControl* child : children) {
        if (child->TakesFocus())
            stops.push_back(child);
        CollectTabStops(*child, stops);
    }
}

std::string ModuleName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    return name ? name + 1 : path;
}

// All the address's hex digits in upper case, as the system's printf shows
// it; C++'s printf here is MinGW's own, which would add 20 KiB.
std::string HexAddress(const void* address) {
    auto value = reinterpret_cast<std::uintptr_t>(address);
    std::string digits(2 * sizeof value, '0');
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit, value >>= 4)
        *digit = "0123456789ABCDEF"[value & 15];
    return digits;
}

std::string StartupErrorText(const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    const std::string className = own ? own->ClassName() : typeid(error).name();
    return "Exception " + className + " in Modul " + ModuleName() + " bei " +
           HexAddress(own ? own->Address() : nullptr) + ".\n" + error.what();
}

} // namespace

// --- TForm ---------------------------------------------------------------

TForm::TForm() : TWinControl(nullptr) {
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
            LoadImageA(GetModuleHandleA(nullptr), "SMALLICON", IMAGE_ICON, size, size, 0)));
        if (!icon)
            return;
        SendMessageA(handle_, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon.get()));
        owned = std::move(icon); // the old one only now, when the window has let go of it
    };
    set(smallIcon_, ICON_SMALL, SM_CXSMICON);
    set(bigIcon_, ICON_BIG, SM_CXICON);
}

void TForm::Place(const RECT& bounds, const RECT& pixels) {
    clientWidth_ = clientHeight_ = -1;
    TWinControl::Place(bounds, pixels);
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
    TWinControl::Place(ScaleRectFromDpi(pixels, dpi_), pixels);
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
    return TWinControl::ClientRect();
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!HandleAllocated() || !IsWindowVisible(handle_))
        return;
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, commands[static_cast<int>(state)]);
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
    TWinControl::Place(ScaleRectFromDpi(centred, dpi_), centred);
}

void TForm::ApplyStayOnTop() {
    const bool onTop = FormStyle == TFormStyle::StayOnTop;
    // A window made top-most is top-most already; restacking it again would
    // cost the screen saver's start a round to the X server under Wine.
    if (onTop == ((GetWindowLongA(handle_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0))
        return;
    SetWindowPos(handle_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A windowless control lies under every window; it has no place here.
void TForm::ApplyStackingOrder() {
    for (TWinControl* control : StackingOrder)
        if (control->HandleAllocated())
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
        SendMessageA(handle_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    }
    TControl::SetVisible(true);
    if (HasTaskbarEntry())
        Application.ShowTaskbarEntry();
    static const int commands[] = {SW_SHOW, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, commands[static_cast<int>(windowState_)]);
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

TWinControl* TForm::ReachableDefaultButton() const {
    for (TComponent* component : Components())
        if (auto* button = dynamic_cast<TWinControl*>(component);
            button && button->IsButton() && button->IsDefault() && button->Reachable())
            return button;
    return nullptr;
}

TWinControl* TForm::FocusedControl() const {
    const HWND focus = GetFocus();
    if (!focus || !IsChild(handle_, focus))
        return nullptr; // in another window: no control of this form is left
    for (HWND window = focus; window && window != handle_; window = GetParent(window))
        if (TWinControl* control = FromHandle(window))
            return control;
    return nullptr;
}

std::vector<TWinControl*> TForm::TabList() const {
    std::vector<TWinControl*> stops;
    CollectTabStops(*this, stops);
    return stops;
}

void TForm::FocusControl(TWinControl* target) {
    TWinControl* focused = FocusedControl();
    if (focused && focused != target)
        focused->BeforeLeave();
    target->SetFocus();
}

bool TForm::SelectNext(bool forward) {
    const std::vector<TWinControl*> stops = TabList();
    if (stops.empty())
        return false;
    const auto at = std::find(stops.begin(), stops.end(), FocusedControl());
    const int count = static_cast<int>(stops.size());
    int index;
    if (at == stops.end())
        index = forward ? 0 : count - 1;
    else
        index = (static_cast<int>(at - stops.begin()) + (forward ? 1 : count - 1)) % count;
    FocusControl(stops[index]);
    stops[index]->EnteredByTab();
    return true;
}

void TForm::RecoverFocus() {
    const std::vector<TWinControl*> stops = TabList();
    if (!stops.empty())
        stops.front()->SetFocus();
    else
        SetFocus();
}

// The display form's handlers see every key first.
bool TForm::PreviewKey(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(wParam);
        if (OnKeyDown)
            OnKeyDown(this, key, KeyShiftState());
        return key == 0;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        char key = static_cast<char>(wParam);
        if (OnKeyPress)
            OnKeyPress(this, key);
        return key == 0;
    }
    default:
        return false;
    }
}

// The full-screen display has no control at all: there these keys end it
// like every other key.
bool TForm::NavigationKey(WPARAM key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    TWinControl* focused = FocusedControl();
    switch (key) {
    case VK_TAB:
        return !ctrl && SelectNext(GetKeyState(VK_SHIFT) >= 0);
    case VK_RETURN:
        if (focused && focused->IsButton()) {
            focused->Click();
            return true;
        }
        if (TWinControl* button = ReachableDefaultButton()) {
            button->Click();
            return true;
        }
        [[fallthrough]];
    case VK_ESCAPE:
        return focused && !focused->WantsKey(static_cast<WORD>(key));
    default:
        return false;
    }
}

bool TForm::AcceleratorKey(WPARAM key) {
    if (!std::isalnum(static_cast<int>(key)))
        return false;
    for (TComponent* component : Components()) {
        auto* control = dynamic_cast<TWinControl*>(component);
        if (!control || !control->TakesFocus() || !control->Reachable() ||
            control->Accelerator() != static_cast<char>(key))
            continue;
        FocusControl(control);
        control->Click();
        return true;
    }
    return false;
}

// A press on another control that takes the focus is a focus move: the
// focused control may refuse it, and then the press goes nowhere.
bool TForm::MousePress(HWND target) {
    TWinControl* control = FromHandle(target);
    TWinControl* focused = FocusedControl();
    if (control && control->TakesFocus() && focused && focused != control)
        focused->BeforeLeave();
    return false;
}

bool TForm::PreTranslateMessage(MSG& message) {
    if (IsMousePress(message.message))
        return MousePress(message.hwnd);
    if (!IsKeyMessage(message.message))
        return false;
    if (KeyPreview && PreviewKey(message.message, message.wParam))
        return true;
    if (message.message == WM_KEYDOWN)
        return NavigationKey(message.wParam);
    if (message.message == WM_SYSKEYDOWN)
        return AcceleratorKey(message.wParam);
    return false;
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
            if (IsChild(handle_, lastFocus_) && IsWindowVisible(lastFocus_) &&
                IsWindowEnabled(lastFocus_))
                ::SetFocus(lastFocus_);
            else
                RecoverFocus();
            return 0;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
        // Keys that reach the form's own window go to its handlers.
        if (PreviewKey(message, wParam))
            return 0;
        break;
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

// --- TApplication --------------------------------------------------------

TApplication::TApplication() = default;

TApplication::~TApplication() {
    DestroyForms();
}

int TApplication::Execute(const std::function<void()>& startup) {
    const bool comReady = SUCCEEDED(CoInitialize(nullptr));
    STARTUPINFOA info{};
    info.cb = sizeof info;
    GetStartupInfoA(&info);
    showCommand_ = info.dwFlags & STARTF_USESHOWWINDOW ? info.wShowWindow : SW_SHOWDEFAULT;

    int exitCode = 0;
    try {
        startup();
        Run();
    } catch (const std::exception& error) {
        ShowMessageBox(nullptr, StartupErrorText(error), "Anwendungsfehler",
                       MB_OK | MB_ICONSTOP | MB_TASKMODAL);
        exitCode = 1;
    }
    DestroyForms();
    if (comReady)
        CoUninitialize();
    return exitCode;
}

// The application window is the program's taskbar entry: choosing the entry
// brings the main form to the front, and closing it closes the main form.
LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TForm* main = Application.mainForm_;
    switch (message) {
    case WM_SETTINGCHANGE:
        if (Application.OnSettingChange)
            Application.Guard([] { Application.OnSettingChange(); });
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && main && main->HandleAllocated() &&
            IsWindowVisible(main->Handle())) {
            SetActiveWindow(main->Handle());
            return 0;
        }
        break;
    case WM_CLOSE:
        if (main)
            Application.Guard([main] { main->Close(); });
        return 0;
    case WM_SIZE:
        // The entry of a minimised start comes back, by whatever way, with
        // the main form's first showing.
        if (wParam != SIZE_MINIMIZED && Application.mainShowPending_ && main) {
            Application.mainShowPending_ = false;
            Application.Guard([main] { main->Show(); });
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window with no size: it shows nothing but its taskbar entry, captioned
// with the title. The full-screen display hides the taskbar and needs none.
void TApplication::ShowTaskbarEntry() {
    if (handle_ && !IsWindowVisible(handle_.get()))
        ShowWindow(handle_.get(), SW_SHOWNOACTIVATE);
}

// The show request of the process is for the main form's one showing: 3
// maximises it, and 7 minimises the application to its taskbar entry,
// without activating it, until the user restores the entry. A main form
// without an entry shows as it is: minimised, it could be reached by nothing.
void TApplication::ShowMainForm() {
    if (showCommand_ == SW_SHOWMAXIMIZED)
        mainForm_->SetWindowState(TWindowState::Maximized);
    if (showCommand_ == SW_SHOWMINNOACTIVE && mainForm_->HasTaskbarEntry()) {
        mainShowPending_ = true;
        ShowWindow(handle_.get(), SW_SHOWMINNOACTIVE);
    } else
        mainForm_->Show();
}

void TApplication::CreateHandle() {
    if (handle_)
        return;
    RegisterClassOnce(ApplicationClass, WindowProc, "MAINICON");
    // Stands for the program: forms are owned by it, and its caption is the title.
    handle_.reset(CreateWindowExA(0, ApplicationClass, Title.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

void TApplication::Adopt(std::unique_ptr<TForm> form, TReference reference) {
    // The themed controls of the manifest's common controls, once a process.
    static const bool controlsRegistered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls,
                                      ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        return InitCommonControlsEx(&controls);
    }();
    static_cast<void>(controlsRegistered);
    TForm* created = form.get();
    forms_.push_back({std::move(form), reference});
    if (!mainForm_)
        mainForm_ = created;
    // The full-screen display stands alone: it has no taskbar entry for the
    // application window to carry, and one top-level window fewer is a
    // start some milliseconds sooner. Every other form is owned by it.
    if (created->HasTaskbarEntry() || created != mainForm_)
        CreateHandle();
    created->CreateHandle();
    Guard([&] {
        if (created->OnCreate)
            created->OnCreate(created);
    });
    if (!created->Visible())
        return;
    if (created == mainForm_)
        ShowMainForm();
    else
        created->Show();
}

void TApplication::HandleMessage(MSG& message) {
    bool handled = false;
    if (IsKeyMessage(message.message) || IsMousePress(message.message)) {
        if (TWinControl* top = TWinControl::FromHandle(GetAncestor(message.hwnd, GA_ROOT))) {
            handled = true; // an error in the look swallows the message
            Guard([&] { handled = top->PreTranslateMessage(message); });
        }
    }
    if (handled)
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void TApplication::Run() {
    if (!mainForm_)
        return;
    MSG message;
    while (!terminated_ && GetMessageA(&message, nullptr, 0, 0) > 0)
        HandleMessage(message);
}

void TApplication::ProcessMessages() {
    MSG message;
    while (!terminated_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        HandleMessage(message);
    }
}

void TApplication::Terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::DestroyForms() {
    mainForm_ = nullptr; // nothing may reach a form while it goes
    while (!forms_.empty()) {
        const TReference& reference = forms_.back().reference;
        reference.clear(reference.reference);
        forms_.pop_back();
    }
    handle_.reset();
    mainShowPending_ = false;
    // The closed main form's request to end the loop ends no later one.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        ;
    terminated_ = false;
}
