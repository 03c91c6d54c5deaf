// Starts a program and prints the milliseconds from its start to the first
// visible top-level window of it, looked for every millisecond: a finer
// clock than a script's polling of the X server. Prints; never fails.
//   starter.exe PROGRAM [ARGS...]

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK IsShownWindowOf(HWND window, LPARAM process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return !(owner == static_cast<DWORD>(process) && IsWindowVisible(window));
}

} // namespace

int main() {
    // The program's own command line, less this program's name.
    std::string command = GetCommandLineA();
    const bool quoted = command[0] == '"';
    std::size_t rest = quoted ? command.find('"', 1) + 1 : command.find(' ');
    command = command.substr(command.find_first_not_of(' ', rest));

    LARGE_INTEGER frequency, started;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&started);
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 1;
    LARGE_INTEGER shownAt{};
    for (int tries = 0; tries < 20000 && !shownAt.QuadPart; ++tries) {
        if (!EnumWindows(IsShownWindowOf, process.dwProcessId))
            QueryPerformanceCounter(&shownAt);
        else
            Sleep(1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!shownAt.QuadPart)
        return 1;
    std::printf("%.1f\n", (shownAt.QuadPart - started.QuadPart) * 1000.0 / frequency.QuadPart);
    return 0;
}
