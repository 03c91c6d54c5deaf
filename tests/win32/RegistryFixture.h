#pragma once
// Every test starts without the program's key, in the harness's own prefix.

#include "core/uConst.h"
#include "framework/Errors.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

inline const char* const ProgramKey = "SOFTWARE\\Quorbel";

inline bool ProgramKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Writes a value of any kind behind the store's back; `wide` writes the
// bytes as they are through the Unicode function, as other programs do.
inline void PutRaw(const std::string& name, DWORD type, const void* data, DWORD size,
                   bool wide = false) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, ProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const auto* bytes = static_cast<const BYTE*>(data);
    if (wide)
        RegSetValueExW(key, std::wstring(name.begin(), name.end()).c_str(), 0, type, bytes, size);
    else
        RegSetValueExA(key, name.c_str(), 0, type, bytes, size);
    RegCloseKey(key);
}

// As the program writes it: UTF-16 with its NUL.
inline void PutString(const std::string& name, const std::string& value) {
    const std::u16string text = ToUtf16(value);
    PutRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2), true);
}

inline void PutDword(const std::string& name, DWORD value) {
    PutRaw(name, REG_DWORD, &value, sizeof value);
}

struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

inline RawValue GetRaw(const std::string& name) {
    RawValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    char buffer[4096];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS)
        value.bytes.assign(buffer, size);
    RegCloseKey(key);
    return value;
}

// A text value's UTF-16 units as stored, its NUL included.
inline std::u16string GetUnits(const std::string& name) {
    HKEY key;
    std::u16string units(4096, u'\0');
    DWORD size = static_cast<DWORD>(units.size() * 2);
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    const std::u16string wideName = ToUtf16(name);
    if (RegQueryValueExW(key, reinterpret_cast<const wchar_t*>(wideName.c_str()), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(units.data()), &size) != ERROR_SUCCESS)
        size = 0;
    RegCloseKey(key);
    units.resize(size / 2);
    return units;
}

inline DWORD GetDword(const std::string& name) {
    const RawValue value = GetRaw(name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << name;
    DWORD number = 0;
    memcpy(&number, value.bytes.data(), std::min<size_t>(value.bytes.size(), sizeof number));
    return number;
}

// The message of the store's error that the operation raises; "" for none.
inline std::string ErrorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ERegistryException& e) {
        return e.what();
    }
    return "";
}

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, ProgramKey);
        SetDateFormatSettings("dd.MM.yyyy", ".");
    }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, ProgramKey); }
};
