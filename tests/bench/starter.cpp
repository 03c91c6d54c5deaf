// Starts a program and prints the milliseconds from its start to the first
// visible top-level window of it, looked for every millisecond: a finer
// clock than a script's polling of the X server. Then waits up to 20 s for
// the program to end, so that the next start has the machine to itself.
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
    const std::size_t rest =
        command.find_first_not_of(' ', quoted ? command.find('"', 1) + 1 : command.find(' '));
    if (rest == std::string::npos)
        return 2;
    command = command.substr(rest);

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
    if (shownAt.QuadPart) {
        std::printf("%.1f\n", (shownAt.QuadPart - started.QuadPart) * 1000.0 / frequency.QuadPart);
        std::fflush(stdout);
    }
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shownAt.QuadPart ? 0 : 1;
}
