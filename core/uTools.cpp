#include "core/uTools.h"

#include "framework/Library.h"
#include "framework/WideText.h"

namespace {

bool OpenOnce(const TWideText& target, TShellExecute shellExecute) {
    const HINSTANCE result =
        shellExecute(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<UINT_PTR>(result) > 32; // compared without sign
}

} // namespace

// The shell's library is large, and most runs never open a link: it is
// loaded with the first one.
HINSTANCE WINAPI ShellExecuteOnDemand(HWND owner, LPCWSTR operation, LPCWSTR file,
                                      LPCWSTR parameters, LPCWSTR directory, INT show) {
    static const auto shellExecute =
        LibraryFunction<TShellExecute>(LoadLibraryW(L"shell32.dll"), "ShellExecuteW");
    if (!shellExecute)
        return nullptr; // refused, like any other failure
    return shellExecute(owner, operation, file, parameters, directory, show);
}

// A refusal is tried once more, straight away.
bool ShellOpen(const std::string& target, TShellExecute shellExecute) {
    const TWideText wide = Wide(target);
    return OpenOnce(wide, shellExecute) || OpenOnce(wide, shellExecute);
}
