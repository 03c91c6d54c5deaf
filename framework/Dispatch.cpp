#include "framework/Dispatch.h"

#include <cstdlib>
#include <stdexcept>

TDispatcher* TDispatcher::instance_ = nullptr;

TDispatcher::TDispatcher()
    : ShowMessageBox([](HWND owner, const std::string& text, const std::string& caption,
                        UINT flags) { MessageBoxA(owner, text.c_str(), caption.c_str(), flags); }) {
    instance_ = this;
}

TDispatcher::~TDispatcher() {
    if (instance_ == this)
        instance_ = nullptr;
}

void TDispatcher::ShowException(const std::exception& error) {
    ShowMessageBox(GetActiveWindow(), ErrorDisplayText(error.what()), Title, MB_OK | MB_ICONERROR);
}

std::string ErrorDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

// An error that escapes everything ends the program in std::terminate. The
// library's own handler would print the error's demangled type to a console
// this program does not have, and its demangler alone weighs 46 KiB.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
