// Starts the program file as the screen-saver host does, with the injector
// loaded before the program's entry runs, and reports how the run ended:
//   launcher [--refuse F:n] [--log FILE] [--seconds S] [--timer-scale K]
//            [--seed] PROGRAM [ARGUMENTS...]
//   launcher --table
// It prints "exit CODE" or "exit hung", "taskbar shown|hidden" for its own
// stand-in taskbar after the end, and "settings ..." for the program's key.
// The program's file is not touched: the injector is loaded by an
// asynchronous call queued to the program's first thread while it is still
// suspended, which the loader runs once the program's imports are bound and
// before its entry point.

#include "Refusals.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t* const SettingsKey = L"Software\\Quorbel";

struct Options {
    std::wstring refuse, log, timerScale, commandLine;
    DWORD seconds = 15;
    bool seed = false, table = false;
};

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

// The program's command line as the host writes it: its path in quotes,
// then the switches.
std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    int i = 1;
    for (; i < argc && argv[i][0] == L'-' && argv[i][1] == L'-'; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--table") {
            options.table = true;
        } else if (option == L"--seed") {
            options.seed = true;
        } else if (i + 1 < argc && option == L"--refuse") {
            options.refuse = argv[++i];
        } else if (i + 1 < argc && option == L"--log") {
            options.log = argv[++i];
        } else if (i + 1 < argc && option == L"--timer-scale") {
            options.timerScale = argv[++i];
        } else if (i + 1 < argc && option == L"--seconds") {
            options.seconds = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
        } else {
            return false;
        }
    }
    if (options.table)
        return true;
    if (i >= argc)
        return false;
    options.commandLine = Quoted(argv[i]);
    for (++i; i < argc; ++i)
        options.commandLine += std::wstring(L" ") + argv[i];
    return true;
}

// --- The table, for the sweep ------------------------------------------------

std::string AllowedNames(unsigned allowed) {
    if (allowed == Any)
        return "any";
    if (allowed == Sound)
        return "sound";
    static const struct {
        unsigned flag;
        const char* name;
    } names[] = {{Quiet, "quiet"},
                 {ErrorBox, "error-box"},
                 {Store, "store"},
                 {AppError, "app-error"},
                 {TimerBox, "timer"}};
    std::string text;
    for (const auto& name : names)
        if (allowed & name.flag)
            text += (text.empty() ? "" : ",") + std::string(name.name);
    return text;
}

void PrintTable() {
#define QUORBEL_REFUSE(library, function, failure, error, allowed, rule)                           \
    std::printf("%s\t%s\t%lld\t%s\t%s\t%s\n", #library, #function,                                 \
                static_cast<long long>(failure), #error, AllowedNames(allowed).c_str(), rule);
#define QUORBEL_COUNT(library, function, reason)                                                   \
    std::printf("%s\t%s\t-\t-\tnever\t%s\n", #library, #function, reason);
    QUORBEL_REFUSALS(QUORBEL_REFUSE, QUORBEL_COUNT)
#undef QUORBEL_REFUSE
#undef QUORBEL_COUNT
}

// --- The stored settings -----------------------------------------------------

// Each of the nine values as the dialog's OK does not write it back, so that
// a save shows in every one it rewrites: a date to be written with leading
// zeros, a face name of the other string kind, flags other than 0 and 1.
void SeedSettings() {
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey);
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    const auto text = [key](const wchar_t* name, DWORD type, const wchar_t* value) {
        RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t)));
    };
    const auto number = [key](const wchar_t* name, DWORD value) {
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
    };
    text(L"ende", REG_SZ, L"1.2.2030");
    text(L"text", REG_SZ, L"Noch %days% Tage");
    text(L"fontname", REG_EXPAND_SZ, L"Arial");
    number(L"fontsize", 30);
    number(L"fontcolor", 0x00FFFF);
    number(L"backgroundcolor", 0x800080);
    number(L"workweek", 5);
    number(L"fontbold", 2);
    number(L"fontitalic", 3);
    RegCloseKey(key);
}

std::string ValueText(DWORD type, const std::vector<BYTE>& data) {
    if (type == REG_DWORD && data.size() == 4)
        return "dword:" + std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                          data.size() / sizeof(wchar_t));
        text.resize(std::wcslen(text.c_str()));
        std::string value = Utf8(text);
        std::replace(value.begin(), value.end(), ';', ',');
        return (type == REG_SZ ? "sz:" : "expand:") + value;
    }
    return "type" + std::to_string(type) + ":" + std::to_string(data.size()) + " bytes";
}

// "name=kind:value;..." in the order of the names, or "none" without the key.
std::string SettingsText() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "none";
    std::vector<std::string> values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size);
        nameLength = 256;
        RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size);
        data.resize(size);
        values.push_back(Utf8(name) + "=" + ValueText(type, data));
    }
    RegCloseKey(key);
    std::sort(values.begin(), values.end());
    std::string text;
    for (const std::string& value : values)
        text += (text.empty() ? "" : ";") + value;
    return text.empty() ? "empty" : text;
}

// --- The stand-in taskbar ----------------------------------------------------

// Top-most, so that the program's search finds it before any of the
// session's own; disabled, so that it never becomes the active window when
// a box of the program's closes, and the keys go to the program.
HWND MakeTaskbar() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&wc);
    const HWND taskbar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                                         L"Shell_TrayWnd", L"", WS_POPUP | WS_DISABLED, 0, 0, 4, 4,
                                         nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(taskbar, SW_SHOWNOACTIVATE);
    return taskbar;
}

// --- Starting the program with the injector --------------------------------

std::wstring InjectorPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring injector = path;
    return injector.substr(0, injector.find_last_of(L"\\/") + 1) + L"injector.dll";
}

void SetEnvironment(const Options& options) {
    const auto set = [](const wchar_t* name, const std::wstring& value) {
        SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
    };
    set(L"QUORBEL_REFUSE", options.refuse);
    set(L"QUORBEL_FAULT_LOG", options.log);
    set(L"QUORBEL_TIMER_SCALE", options.timerScale);
}

// The loader runs an asynchronous call queued to the first thread before
// that thread reaches the program's entry: the injector's DllMain then sees
// every import bound and no code of the program run yet.
bool QueueInjector(const PROCESS_INFORMATION& process) {
    const std::wstring injector = InjectorPath();
    const SIZE_T size = (injector.size() + 1) * sizeof(wchar_t);
    void* remote =
        VirtualAllocEx(process.hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(process.hProcess, remote, injector.c_str(), size, nullptr))
        return false;
    const auto loadLibrary = reinterpret_cast<PAPCFUNC>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    return QueueUserAPC(loadLibrary, process.hThread, reinterpret_cast<ULONG_PTR>(remote)) != 0;
}

// Waits for the end, handing the stand-in taskbar its messages meanwhile:
// the program hides and shows it by messages this thread must answer.
void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

bool WaitForEnd(HANDLE process, DWORD seconds) {
    const ULONGLONG deadline = GetTickCount64() + seconds * 1000ULL;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        if (MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(deadline - now),
                                      QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        PumpMessages();
    }
}

std::string ExitText(DWORD code) {
    char text[32];
    std::snprintf(text, sizeof text, code < 256 ? "%lu" : "0x%08lX", code);
    return text;
}

int Launch(const Options& options) {
    if (options.seed)
        SeedSettings();
    const HWND taskbar = MakeTaskbar();
    SetEnvironment(options);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = options.commandLine;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "launcher: cannot start the program (error %lu)\n", GetLastError());
        return 2;
    }
    if (!QueueInjector(process)) {
        std::fprintf(stderr, "launcher: cannot load the injector (error %lu)\n", GetLastError());
        TerminateProcess(process.hProcess, 2);
        return 2;
    }
    ResumeThread(process.hThread);
    std::string ended = "hung";
    if (WaitForEnd(process.hProcess, options.seconds)) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        ended = ExitText(code);
    } else {
        TerminateProcess(process.hProcess, 124);
        WaitForSingleObject(process.hProcess, 5000);
    }
    PumpMessages(); // the last of the program's messages to the stand-in
    std::printf("exit %s\ntaskbar %s\nsettings %s\n", ended.c_str(),
                IsWindowVisible(taskbar) ? "shown" : "hidden", SettingsText().c_str());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DestroyWindow(taskbar);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: launcher [--refuse F:n] [--log FILE] [--seconds S] "
                             "[--timer-scale K] [--seed] PROGRAM [ARGUMENTS...] | --table\n");
        return 2;
    }
    if (options.table) {
        PrintTable();
        return 0;
    }
    return Launch(options);
}
