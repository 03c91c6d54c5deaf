#include "core/uTools.h"

namespace {

bool OpenOnce(const std::string& target, TShellExecute shellExecute) {
    const HINSTANCE result =
        shellExecute(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<UINT_PTR>(result) > 32; // compared without sign
}

} // namespace

// A refusal is tried once more, straight away.
bool ShellOpen(const std::string& target, TShellExecute shellExecute) {
    return OpenOnce(target, shellExecute) || OpenOnce(target, shellExecute);
}
