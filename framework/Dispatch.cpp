#include "framework/Dispatch.h"

#include "framework/Errors.h"

#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>
#include <typeinfo>
#include <utility>

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

void TDispatcher::ShowError(const char* message) {
    ShowMessageBox(GetActiveWindow(), ErrorDisplayText(message), Title, MB_OK | MB_ICONERROR);
}

UINT_PTR TDispatcher::AddTimer(unsigned milliseconds, TimerTick tick, void* context) {
    const UINT_PTR id = SetTimer(nullptr, 0, milliseconds, &TDispatcher::TimerProc);
    if (id)
        timers_.push_back({id, tick, context});
    return id;
}

void TDispatcher::RemoveTimer(UINT_PTR id) {
    KillTimer(nullptr, id);
    for (auto timer = timers_.begin(); timer != timers_.end(); ++timer)
        if (timer->id == id) {
            timers_.erase(timer);
            return;
        }
}

// A tick already taken from the queue when its timer went finds nothing here.
void CALLBACK TDispatcher::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    TDispatcher& dispatcher = Instance();
    for (const Timer& timer : dispatcher.timers_)
        if (timer.id == id) {
            const Timer ticking = timer; // the tick may stop its timer
            dispatcher.Guard([&ticking] { ticking.tick(ticking.context); });
            return;
        }
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

// What the standard library raises (a position past the end, a string too
// long) reaches the boundary like the program's own errors. The library's
// own versions of these functions build std::logic_error and its kin, whose
// text lives in a string of the old ABI: with that string's code they weigh
// more than 40 KiB. All of them are here, so the library's are never linked
// beside them.
namespace {

// The library's formatted texts use %s, %zu and %% alone.
std::string FormatLibraryText(const char* format, va_list arguments) {
    std::string text;
    for (const char* c = format; *c; ++c) {
        if (c[0] == '%' && c[1] == 's')
            text += va_arg(arguments, const char*), ++c;
        else if (c[0] == '%' && c[1] == 'z' && c[2] == 'u')
            text += std::to_string(va_arg(arguments, std::size_t)), c += 2;
        else if (c[0] == '%' && c[1] == '%')
            text += '%', ++c;
        else
            text += *c;
    }
    return text;
}

} // namespace

// clang-format off
namespace std {
void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* text) { throw ELibraryError(text); }
void __throw_domain_error(const char* text) { throw ELibraryError(text); }
void __throw_invalid_argument(const char* text) { throw ELibraryError(text); }
void __throw_length_error(const char* text) { throw ELibraryError(text); }
void __throw_out_of_range(const char* text) { throw ELibraryError(text); }
void __throw_runtime_error(const char* text) { throw ELibraryError(text); }
void __throw_range_error(const char* text) { throw ELibraryError(text); }
void __throw_overflow_error(const char* text) { throw ELibraryError(text); }
void __throw_underflow_error(const char* text) { throw ELibraryError(text); }
// clang-format on

void __throw_out_of_range_fmt(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string text = FormatLibraryText(format, arguments);
    va_end(arguments);
    throw ELibraryError(std::move(text));
}
} // namespace std
