#include "framework/Forms.h"

#include "framework/Errors.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <typeinfo>

TApplication Application;

namespace {

const char* const ApplicationClass = "QuorbelApplication";

TShiftState KeyShiftState() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= MK_CONTROL;
    return shift;
}

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE && Application.OnSettingChange)
        Application.Guard([] { Application.OnSettingChange(); });
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string ModuleName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    return name ? name + 1 : path;
}

std::string StartupErrorText(const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    const std::string className = own ? own->ClassName() : typeid(error).name();
    char text[512];
    std::snprintf(text, sizeof text, "Exception %s in Modul %s bei %p.\n", className.c_str(),
                  ModuleName().c_str(), own ? own->Address() : nullptr);
    return text + std::string(error.what());
}

} // namespace

std::string ErrorDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

// --- TForm ---------------------------------------------------------------

TForm::TForm(const char* name) : TWinControl(nullptr, name) {
    Visible = false;
}

TForm::~TForm() {
    DestroyHandle();
}

TObject* TForm::FindComponent(const std::string& name) const {
    for (TObject* component : components_) {
        if (auto* control = dynamic_cast<TControl*>(component); control && control->Name == name)
            return control;
        if (auto* timer = dynamic_cast<TTimer*>(component); timer && timer->Name == name)
            return timer;
    }
    return nullptr;
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

DWORD TForm::WindowExStyle() const {
    return FormStyle == TFormStyle::StayOnTop ? WS_EX_TOPMOST : 0;
}

HWND TForm::WindowParent() const {
    return Application.Handle();
}

void TForm::SetBounds(int left, int top, int width, int height) {
    clientWidth_ = clientHeight_ = -1;
    TWinControl::SetBounds(left, top, width, height);
}

void TForm::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
    TWinControl::SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
    clientWidth_ = width;
    clientHeight_ = height;
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!HandleAllocated() || !IsWindowVisible(handle_))
        return;
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, commands[static_cast<int>(state)]);
}

// Centring happens when the window is first made, with the size FormCreate
// left it.
void TForm::PlaceOnScreen() {
    if (clientWidth_ >= 0) // the border may have changed since the size was set
        SetClientSize(clientWidth_, clientHeight_);
    if (Position != TPosition::ScreenCenter)
        return;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
    TWinControl::SetBounds(left < 0 ? 0 : left, top < 0 ? 0 : top, Width(), Height());
}

void TForm::ApplyStayOnTop() {
    SetWindowPos(handle_, FormStyle == TFormStyle::StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
                 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::Show() {
    if (!HandleAllocated()) {
        PlaceOnScreen();
        Visible = false; // made visible below, in its window state
        CreateHandle();
        Realign();
    }
    Visible = true;
    static const int commands[] = {SW_SHOW, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, commands[static_cast<int>(windowState_)]);
    ApplyStayOnTop();
    SetForegroundWindow(handle_);
}

void TForm::Hide() {
    Visible = false;
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

bool TForm::PreviewKey(UINT message, WPARAM wParam) {
    if (!KeyPreview)
        return false;
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

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR: {
        const bool preview = KeyPreview;
        KeyPreview = true; // the form's own keys always reach its handlers
        const bool handled = PreviewKey(message, wParam);
        KeyPreview = preview;
        if (handled)
            return 0;
        break;
    }
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

// --- TApplication --------------------------------------------------------

TApplication::TApplication()
    : ShowMessageBox([](HWND owner, const std::string& text, const std::string& caption,
                        UINT flags) { MessageBoxA(owner, text.c_str(), caption.c_str(), flags); }) {
}

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

void TApplication::CreateHandle() {
    if (handle_)
        return;
    // Registers the themed controls of the manifest's common controls.
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
    wc.lpszClassName = ApplicationClass;
    RegisterClassA(&wc);
    // Stands for the program: forms are owned by it, and its caption is the title.
    handle_ = CreateWindowExA(0, ApplicationClass, Title.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, wc.hInstance, nullptr);
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
    CreateHandle();
    TForm* created = form.get();
    forms_.push_back(std::move(form));
    if (!mainForm_)
        mainForm_ = created;
    Guard([&] {
        if (created->OnCreate)
            created->OnCreate(created);
    });
    if (created->Visible)
        created->Show();
}

void TApplication::Run() {
    if (!mainForm_)
        return;
    if (showCommand_ == SW_SHOWMAXIMIZED)
        mainForm_->SetWindowState(TWindowState::Maximized);
    else if (showCommand_ == SW_SHOWMINNOACTIVE)
        mainForm_->SetWindowState(TWindowState::Minimized);
    mainForm_->Show();
    MSG message;
    while (!terminated_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void TApplication::ProcessMessages() {
    MSG message;
    while (!terminated_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void TApplication::Terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::ShowException(const std::exception& error) {
    ShowMessageBox(GetActiveWindow(), ErrorDisplayText(error.what()), Title, MB_OK | MB_ICONERROR);
}

void TApplication::DestroyForms() {
    while (!forms_.empty())
        forms_.pop_back();
    mainForm_ = nullptr;
    terminated_ = false;
    if (handle_) {
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
}
