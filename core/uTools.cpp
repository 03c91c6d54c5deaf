#include "core/uTools.h"

namespace {

bool OpenOnce(const std::string& target, TShellExecute shellExecute) {
    const HINSTANCE result =
        shellExecute(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<UINT_PTR>(result) > 32; // compared without sign
}

} // namespace

// The shell's library is large, and most runs never open a link: it is
// loaded with the first one.
HINSTANCE WINAPI ShellExecuteOnDemand(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                      LPCSTR directory, INT show) {
    static const auto shellExecute = reinterpret_cast<TShellExecute>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("shell32.dll"), "ShellExecuteA")));
    if (!shellExecute)
        return nullptr; // refused, like any other failure
    return shellExecute(owner, operation, file, parameters, directory, show);
}

// A refusal is tried once more, straight away.
bool ShellOpen(const std::string& target, TShellExecute shellExecute) {
    return OpenOnce(target, shellExecute) || OpenOnce(target, shellExecute);
}
