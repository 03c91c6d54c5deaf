#include "framework/Application.h"

#include "framework/Errors.h"
#include "framework/WideText.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdint>
#include <cwchar>
#include <typeinfo>
#include <utility>

TApplication Application;

namespace {

const wchar_t* const ApplicationClass = L"QuorbelApplication";

std::string ModuleName() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* name = std::wcsrchr(path, L'\\');
    return Narrow(name ? name + 1 : path);
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

// --- TApplication --------------------------------------------------------

TApplication::TApplication() = default;

TApplication::~TApplication() {
    DestroyForms();
}

int TApplication::Execute(const std::function<void()>& startup) {
    const bool comReady = SUCCEEDED(CoInitialize(nullptr));
    STARTUPINFOW info{};
    info.cb = sizeof info;
    GetStartupInfoW(&info);
    showCommand_ = info.dwFlags & STARTF_USESHOWWINDOW ? info.wShowWindow : SW_SHOWDEFAULT;

    int exitCode = 0;
    try {
        startup();
        Run();
    } catch (const std::exception& error) {
        // The main form closes as it would, so that what its close handler
        // restores is restored, and its windows go before the box: the
        // full-screen display would cover it.
        if (mainForm_)
            Guard([this] { mainForm_->Close(); });
        DestroyForms();
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
    return DefWindowProcW(window, message, wParam, lParam);
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
    RegisterClassOnce(ApplicationClass, WindowProc, L"MAINICON");
    // Stands for the program: forms are owned by it, and its caption is the title.
    handle_.reset(CreateWindowExW(0, ApplicationClass, Wide(Title).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!handle_)
        throw EOutOfResources(WindowRefused);
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
    try {
        if (created->HasTaskbarEntry() || created != mainForm_)
            CreateHandle();
        created->CreateHandle();
    } catch (...) {
        // Not kept half made: the next CreateForm makes it anew.
        if (mainForm_ == created)
            mainForm_ = nullptr;
        forms_.back().reference.clear(forms_.back().reference.reference);
        forms_.pop_back();
        throw;
    }
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
    if (TKeyboardModel::LooksAt(message.message)) {
        if (TWinControl* top = TWinControl::FromHandle(GetAncestor(message.hwnd, GA_ROOT))) {
            handled = true; // an error in the look swallows the message
            Guard([&] { handled = top->PreTranslateMessage(message); });
        }
    }
    if (handled)
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void TApplication::Run() {
    if (!mainForm_)
        return;
    MSG message;
    while (!terminated_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return; // WM_QUIT
        // Not an end like a close, with the main form's close handler not run.
        if (got == -1)
            throw EOutOfResources("Nachrichten können nicht abgerufen werden");
        HandleMessage(message);
    }
}

void TApplication::ProcessMessages() {
    MSG message;
    while (!terminated_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
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
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        ;
    terminated_ = false;
}
