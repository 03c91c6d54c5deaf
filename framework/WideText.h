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
#include <cwchar>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t is a UTF-16 unit");

// UTF-16 text for one call into Windows. Held as char16_t rather than in a
// std::wstring: the library's std::wstring brings all of its members along
// (22 KiB), a std::u16string only those used. Windows reads the units
// through its own pointer type.
class TWideText {
  public:
    explicit TWideText(std::string_view text) : units_(ToUtf16(text)) {}
    const wchar_t* c_str() const { return reinterpret_cast<const wchar_t*>(units_.c_str()); }
    int size() const { return static_cast<int>(units_.size()); }

  private:
    std::u16string units_;
};

inline TWideText Wide(std::string_view text) {
    return TWideText(text);
}

// Text from Windows, copied unit by unit: wchar_t and char16_t may not alias.
inline std::string Narrow(const wchar_t* text, std::size_t length) {
    return FromUtf16(std::u16string(text, text + length));
}

inline std::string Narrow(const wchar_t* text) {
    return Narrow(text, std::wcslen(text));
}
#endif
