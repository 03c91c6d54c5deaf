// Loaded into the program before its entry runs: every function of the
// table that the program imports, or looks up at run time, is routed
// through a counting stand-in, and the one named in QUORBEL_REFUSE
// ("Function:n") answers its n-th call as Windows does when it refuses it.
// What happened goes line by line into the file named in QUORBEL_FAULT_LOG:
//   refused F n | box CAPTION<TAB>TEXT | box-closed | tick | uncovered LIB!F
//   calls F n (at the end, for each function called) | end
// Only the program's own calls count: the system's libraries call each
// other directly, not through the program's import table.

#include "Refusals.h"

#include <windows.h>

#include "../win32/ImportTable.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace {

enum SlotId : unsigned {
#define QUORBEL_ID(library, function, ...) Id_##function,
    QUORBEL_REFUSALS(QUORBEL_ID, QUORBEL_ID)
#undef QUORBEL_ID
        SlotCount
};

struct Slot {
    const char* library;
    const char* name;
    bool refusable;
    LONG_PTR failure;
    DWORD lastError;
    void* thunk;
    void* real;
    LONG calls;
    bool logReturn; // a modal dialog: the sweep waits for its end
};

Slot slots[SlotCount];

struct Target {
    unsigned slot = SlotCount;
    LONG call = 0;
} target;

wchar_t logPath[MAX_PATH];
unsigned timerScale = 1;

void Log(const char* line) {
    if (!logPath[0])
        return;
    const DWORD error = GetLastError(); // the program may read it next
    const HANDLE file = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
        WriteFile(file, "\n", 1, &written, nullptr);
        CloseHandle(file);
    }
    SetLastError(error);
}

// Counts the call; true when it is the one to refuse.
bool Refuse(unsigned id) {
    Slot& slot = slots[id];
    const LONG call = InterlockedIncrement(&slot.calls);
    if (id != target.slot || call != target.call || !slot.refusable)
        return false;
    char line[128];
    std::snprintf(line, sizeof line, "refused %s %ld", slot.name, call);
    Log(line);
    return true;
}

void LogReturn(unsigned id) {
    if (!slots[id].logReturn)
        return;
    char line[128];
    std::snprintf(line, sizeof line, "returned %s", slots[id].name);
    Log(line);
}

template <class R> R FailureValue(LONG_PTR value) {
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<R>(value);
    else
        return static_cast<R>(value);
}

template <class Function> struct Hook;
template <class R, class... A> struct Hook<R(WINAPI*)(A...)> {
    using Real = R(WINAPI*)(A...);

    template <unsigned Id> static R WINAPI Thunk(A... arguments) {
        if constexpr (!std::is_void_v<R>) {
            if (Refuse(Id)) {
                LogReturn(Id);
                SetLastError(slots[Id].lastError);
                return FailureValue<R>(slots[Id].failure);
            }
            const R result = reinterpret_cast<Real>(slots[Id].real)(arguments...);
            LogReturn(Id);
            return result;
        } else {
            Refuse(Id);
            reinterpret_cast<Real>(slots[Id].real)(arguments...);
        }
    }
};

// The real function of a slot, typed as the declaration names it: only its
// type is taken, so the injector itself imports nothing of the libraries.
template <unsigned Id, class Function> Function Real() {
    return reinterpret_cast<Function>(slots[Id].real);
}

// --- Stand-ins that also watch ----------------------------------------------

std::string_view LogText(char* buffer, size_t size, const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text ? text : L"", -1, buffer,
                                      static_cast<int>(size), nullptr, nullptr);
    for (char* c = buffer; *c; ++c)
        if (*c == '\r' || *c == '\n' || *c == '\t')
            *c = ' ';
    return std::string_view(buffer, n > 0 ? n - 1 : 0);
}

void LogBox(const wchar_t* caption, const wchar_t* text) {
    char line[2048] = "box ";
    char captionText[256], bodyText[1536];
    LogText(captionText, sizeof captionText, caption);
    LogText(bodyText, sizeof bodyText, text);
    std::snprintf(line, sizeof line, "box %s\t%s", captionText, bodyText);
    Log(line);
}

std::wstring_view Widen(wchar_t* buffer, int size, const char* text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, buffer, size);
    return std::wstring_view(buffer, n > 0 ? n - 1 : 0);
}

int WINAPI MessageBoxAWatched(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    wchar_t wideText[1024], wideCaption[128];
    Widen(wideText, 1024, text);
    Widen(wideCaption, 128, caption);
    LogBox(wideCaption, wideText);
    if (Refuse(Id_MessageBoxA)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    const int answer = Real<Id_MessageBoxA, decltype(&MessageBoxA)>()(owner, text, caption, type);
    Log("box-closed");
    return answer;
}

int WINAPI MessageBoxWWatched(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    LogBox(caption, text);
    if (Refuse(Id_MessageBoxW)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    const int answer = Real<Id_MessageBoxW, decltype(&MessageBoxW)>()(owner, text, caption, type);
    Log("box-closed");
    return answer;
}

// The sweep has the program's first two ticks come ten times sooner, so
// that they cost less of the run; what a tick does is unchanged. After the
// second, every timer runs at its own pace again: with all ticks a fifth of
// a second apart, a key after a failed load was lost under Wine in every
// other run, which at the program's own pace it never is.
LONG ticks = 0;

struct ScaledTimer {
    HWND window;
    UINT_PTR id;
    UINT milliseconds;
    TIMERPROC proc;
};
ScaledTimer scaledTimers[16];
unsigned scaledCount = 0;

void ForgetScaled(HWND window, UINT_PTR id) {
    for (unsigned i = 0; i < scaledCount; ++i)
        if (scaledTimers[i].window == window && scaledTimers[i].id == id)
            scaledTimers[i--] = scaledTimers[--scaledCount];
}

void RestorePace() {
    for (unsigned i = 0; i < scaledCount; ++i) {
        const ScaledTimer& timer = scaledTimers[i];
        Real<Id_SetTimer, decltype(&SetTimer)>()(timer.window, timer.id, timer.milliseconds,
                                                 timer.proc);
    }
    scaledCount = 0;
}

LRESULT Dispatch(const MSG* message, LRESULT (*dispatch)(const MSG*)) {
    const bool tick = message && message->message == WM_TIMER;
    if (tick)
        Log("tick");
    const LRESULT result = dispatch(message);
    if (tick && InterlockedIncrement(&ticks) == 2)
        RestorePace();
    return result;
}

LRESULT WINAPI DispatchMessageAWatched(const MSG* message) {
    Refuse(Id_DispatchMessageA);
    return Dispatch(message, [](const MSG* m) {
        return Real<Id_DispatchMessageA, decltype(&DispatchMessageA)>()(m);
    });
}

LRESULT WINAPI DispatchMessageWWatched(const MSG* message) {
    Refuse(Id_DispatchMessageW);
    return Dispatch(message, [](const MSG* m) {
        return Real<Id_DispatchMessageW, decltype(&DispatchMessageW)>()(m);
    });
}

UINT_PTR WINAPI SetTimerScaled(HWND window, UINT_PTR id, UINT milliseconds, TIMERPROC proc) {
    if (Refuse(Id_SetTimer)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    if (timerScale <= 1 || ticks >= 2)
        return Real<Id_SetTimer, decltype(&SetTimer)>()(window, id, milliseconds, proc);
    const UINT sooner = milliseconds / timerScale > 10 ? milliseconds / timerScale : 10;
    const UINT_PTR made = Real<Id_SetTimer, decltype(&SetTimer)>()(window, id, sooner, proc);
    if (made && scaledCount < 16) {
        const UINT_PTR timerId = window ? id : made;
        ForgetScaled(window, timerId);
        scaledTimers[scaledCount++] = {window, timerId, milliseconds, proc};
    }
    return made;
}

BOOL WINAPI KillTimerWatched(HWND window, UINT_PTR id) {
    if (Refuse(Id_KillTimer)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ForgetScaled(window, id);
    return Real<Id_KillTimer, decltype(&KillTimer)>()(window, id);
}

// --- Which libraries are covered ----------------------------------------------

// "user32" for "C:\windows\system32\USER32.dll", in lower case.
void LibraryOf(const char* path, char* library, size_t size) {
    const char* name = path;
    for (const char* c = path; *c; ++c)
        if (*c == '\\' || *c == '/')
            name = c + 1;
    size_t n = 0;
    for (; name[n] && name[n] != '.' && n + 1 < size; ++n)
        library[n] = static_cast<char>(name[n] >= 'A' && name[n] <= 'Z' ? name[n] + 32 : name[n]);
    library[n] = '\0';
}

bool IsCoveredLibrary(const char* library) {
    static const char* const covered[] = {"user32",   "gdi32",   "advapi32", "comctl32",
                                          "comdlg32", "shell32", "ole32"};
    for (const char* name : covered)
        if (std::strcmp(library, name) == 0)
            return true;
    return false;
}

bool IsCoveredModule(HMODULE module) {
    char path[MAX_PATH], library[64];
    if (!module || !GetModuleFileNameA(module, path, MAX_PATH))
        return false;
    LibraryOf(path, library, sizeof library);
    return IsCoveredLibrary(library);
}

bool NamesCoveredLibrary(const char* file) {
    char library[64];
    LibraryOf(file ? file : "", library, sizeof library);
    return IsCoveredLibrary(library);
}

bool NamesCoveredLibrary(const wchar_t* file) {
    char narrow[MAX_PATH] = "";
    WideCharToMultiByte(CP_UTF8, 0, file ? file : L"", -1, narrow, MAX_PATH, nullptr, nullptr);
    return NamesCoveredLibrary(narrow);
}

unsigned SlotOf(const char* library, const char* name) {
    for (unsigned id = 0; id < SlotCount; ++id)
        if (std::strcmp(slots[id].name, name) == 0 && std::strcmp(slots[id].library, library) == 0)
            return id;
    return SlotCount;
}

void LogUncovered(const char* library, const char* name) {
    char line[192];
    std::snprintf(line, sizeof line, "uncovered %s!%s", library, name);
    Log(line);
}

// --- Run-time look-ups ------------------------------------------------------

// A covered function looked up by name gets its stand-in, as an imported one.
FARPROC WINAPI GetProcAddressWatched(HMODULE module, LPCSTR name) {
    const bool covered = IsCoveredModule(module) && reinterpret_cast<UINT_PTR>(name) > 0xFFFF;
    if (covered && Refuse(Id_GetProcAddress)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    const FARPROC function = Real<Id_GetProcAddress, decltype(&GetProcAddress)>()(module, name);
    if (!covered || !function)
        return function;
    char path[MAX_PATH], library[64];
    GetModuleFileNameA(module, path, MAX_PATH);
    LibraryOf(path, library, sizeof library);
    const unsigned id = SlotOf(library, name);
    if (id == SlotCount) {
        LogUncovered(library, name);
        return function;
    }
    slots[id].real = reinterpret_cast<void*>(function);
    return reinterpret_cast<FARPROC>(slots[id].thunk);
}

HMODULE WINAPI LoadLibraryAWatched(LPCSTR file) {
    if (NamesCoveredLibrary(file) && Refuse(Id_LoadLibraryA)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return Real<Id_LoadLibraryA, decltype(&LoadLibraryA)>()(file);
}

HMODULE WINAPI LoadLibraryWWatched(LPCWSTR file) {
    if (NamesCoveredLibrary(file) && Refuse(Id_LoadLibraryW)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return Real<Id_LoadLibraryW, decltype(&LoadLibraryW)>()(file);
}

// --- The table and the program's imports --------------------------------------

template <unsigned Id, class Function> void* GenericThunk() {
    return reinterpret_cast<void*>(&Hook<Function>::template Thunk<Id>);
}

void FillSlots() {
#define QUORBEL_REFUSE(library, function, failure, error, allowed, rule)                           \
    slots[Id_##function] = {#library, #function,                                                   \
                            true,     static_cast<LONG_PTR>(failure),                              \
                            error,    GenericThunk<Id_##function, decltype(&::function)>(),        \
                            nullptr,  0,                                                           \
                            false};
#define QUORBEL_COUNT(library, function, reason)                                                   \
    slots[Id_##function] = {                                                                       \
        #library, #function, false, 0, 0, GenericThunk<Id_##function, decltype(&::function)>(),    \
        nullptr,  0,         false};
    QUORBEL_REFUSALS(QUORBEL_REFUSE, QUORBEL_COUNT)
#undef QUORBEL_REFUSE
#undef QUORBEL_COUNT
    slots[Id_MessageBoxA].thunk = reinterpret_cast<void*>(&MessageBoxAWatched);
    slots[Id_MessageBoxW].thunk = reinterpret_cast<void*>(&MessageBoxWWatched);
    slots[Id_DispatchMessageA].thunk = reinterpret_cast<void*>(&DispatchMessageAWatched);
    slots[Id_DispatchMessageW].thunk = reinterpret_cast<void*>(&DispatchMessageWWatched);
    slots[Id_SetTimer].thunk = reinterpret_cast<void*>(&SetTimerScaled);
    slots[Id_KillTimer].thunk = reinterpret_cast<void*>(&KillTimerWatched);
    for (unsigned id : {Id_ChooseFontA, Id_ChooseFontW, Id_ChooseColorA, Id_ChooseColorW})
        slots[id].logReturn = true;
    slots[Id_GetProcAddress].thunk = reinterpret_cast<void*>(&GetProcAddressWatched);
    slots[Id_LoadLibraryA].thunk = reinterpret_cast<void*>(&LoadLibraryAWatched);
    slots[Id_LoadLibraryW].thunk = reinterpret_cast<void*>(&LoadLibraryWWatched);
}

void Point(void** entry, void* target) {
    DWORD protection;
    if (VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection)) {
        *entry = target;
        VirtualProtect(entry, sizeof *entry, protection, &protection);
    }
}

// Routes one import: every one of a covered library, and of kernel32 only
// those in the table (the rest is the process's plumbing).
void RouteImport(const char* module, const char* name, void** entry) {
    char library[64];
    LibraryOf(module, library, sizeof library);
    const bool covered = IsCoveredLibrary(library);
    if (!covered && std::strcmp(library, "kernel32") != 0)
        return;
    const unsigned id = name ? SlotOf(library, name) : SlotCount;
    if (id == SlotCount) {
        if (covered)
            LogUncovered(library, name ? name : "(by ordinal)");
        return;
    }
    slots[id].real = *entry;
    Point(entry, slots[id].thunk);
}

void ReadConfiguration() {
    GetEnvironmentVariableW(L"QUORBEL_FAULT_LOG", logPath, MAX_PATH);
    char value[128];
    if (GetEnvironmentVariableA("QUORBEL_TIMER_SCALE", value, sizeof value))
        timerScale = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
    if (!GetEnvironmentVariableA("QUORBEL_REFUSE", value, sizeof value))
        return;
    char* colon = std::strrchr(value, ':');
    if (!colon)
        return;
    *colon = '\0';
    target.call = std::strtol(colon + 1, nullptr, 10);
    for (unsigned id = 0; id < SlotCount; ++id)
        if (std::strcmp(slots[id].name, value) == 0)
            target.slot = id;
    if (target.slot == SlotCount || !slots[target.slot].refusable) {
        char line[192];
        std::snprintf(line, sizeof line, "unknown %s", value);
        Log(line);
    }
}

void LogCalls() {
    for (const Slot& slot : slots)
        if (slot.calls) {
            char line[128];
            std::snprintf(line, sizeof line, "calls %s %ld", slot.name, slot.calls);
            Log(line);
        }
    Log("end");
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        FillSlots();
        ReadConfiguration();
        Log("attached");
        ForEachImport(GetModuleHandleW(nullptr), RouteImport);
    } else if (reason == DLL_PROCESS_DETACH) {
        LogCalls();
    }
    return TRUE;
}
