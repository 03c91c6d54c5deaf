// The C++ library's own error paths, replaced. They mirror the symbols of
// libstdc++ 12 (GCC 12, as MinGW-w64 ships it in Debian 12): its
// functexcept.o defines exactly the fifteen __throw_* functions below, and
// vterminate.o the terminate handler. A library that adds a function to
// functexcept.o, once the program calls it, links that object for it, and
// with it its fifteen definitions beside these: the link fails loudly with
// "multiple definition", never quietly with the library's code and size.

#include "framework/Errors.h"

#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>
#include <typeinfo>
#include <utility>

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
