#pragma once
// Text inside the program is std::string holding UTF-8; Windows speaks
// UTF-16, and these are the only conversions between them. Byte strings keep
// the portable core testable where wchar_t is 32 bits. Strictly it is WTF-8:
// an unpaired surrogate from Windows (a registry value may hold one) is kept
// as its three-byte form and comes back unit for unit, where
// WideCharToMultiByte(CP_UTF8) would turn it into U+FFFD for good.

#include <cstddef>
#include <string>
#include <string_view>

// Each surrogate pair becomes one four-byte sequence, an unpaired surrogate
// its three-byte form ED A0..BF xx.
std::string FromUtf16(std::u16string_view units);
// The inverse of FromUtf16, also for a lone high and a lone low surrogate
// written one after the other. Bytes that are no such text become U+FFFD,
// one for each maximal subpart of an ill-formed sequence.
std::u16string ToUtf16(std::string_view wtf8);

// The first character of text when it is one UTF-16 unit, a well-formed
// character of the BMP other than NUL and U+FFFD; 0 otherwise.
char16_t FirstBmpCharacter(std::string_view wtf8);

#ifdef _WIN32
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t is a UTF-16 unit");

inline std::wstring Wide(std::string_view text) {
    const std::u16string units = ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

// Copied unit by unit: wchar_t and char16_t may not alias.
inline std::string Narrow(const wchar_t* text, std::size_t length) {
    return FromUtf16(std::u16string(text, text + length));
}

inline std::string Narrow(const std::wstring& text) {
    return Narrow(text.data(), text.size());
}
#endif
