#include "framework/Dispatch.h"

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
