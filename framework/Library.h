#pragma once
// Functions found at run time: in a library loaded with its first use, or
// in one that an older Windows lacks.

#include <windows.h>

// The function, or nullptr where the library or the function is not there.
template <class Function> Function LibraryFunction(HMODULE library, const char* name) {
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}
