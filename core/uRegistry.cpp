#include "core/uRegistry.h"

#include "framework/Errors.h"
#include "framework/WideText.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

const char* const KeyPath = "SOFTWARE\\Quorbel\\";

// The messages name the value between single quotes in place of %s.
std::string Message(std::string format, const std::string& name) {
    return format.replace(format.find("%s"), 2, name);
}

[[noreturn]] void RaiseReadError(const std::string& name) {
    throw ERegistryException(Message("Ungültiger Datentyp für '%s'", name));
}

[[noreturn]] void RaiseGetDataError(const std::string& name) {
    throw ERegistryException(Message("Fehler beim Holen der Daten für '%s'", name));
}

[[noreturn]] void RaiseSetDataError(const std::string& name) {
    throw ERegistryException(Message("Fehler beim Setzen der Daten für '%s'", name));
}

// One open key, closed when the operation ends. A key that failed to open
// stays null: writes fail; reads find no value where there is no key, and
// fail where Windows refused it, so that no default is taken, and saved,
// for a value that may be there.
class RegistryKey {
  public:
    enum Mode { OpenExisting, CreateIfMissing };

    RegistryKey(const std::string& section, Mode mode) {
        const TWideText path = Wide(KeyPath + section);
        if (mode == CreateIfMissing)
            RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        else
            opened_ = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key_);
    }
    ~RegistryKey() {
        if (key_)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Type and size of a value, or false when there is none.
    bool QueryInfo(const std::string& name, DWORD& type, DWORD& size) const {
        const LONG result =
            key_ ? RegQueryValueExW(key_, Wide(name).c_str(), nullptr, &type, nullptr, &size)
                 : opened_;
        if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
            RaiseGetDataError(name);
        return result == ERROR_SUCCESS;
    }

    LONG Query(const std::string& name, DWORD& type, void* data, DWORD& size) const {
        return RegQueryValueExW(key_, Wide(name).c_str(), nullptr, &type, static_cast<BYTE*>(data),
                                &size);
    }

    void Set(const std::string& name, DWORD type, const void* data, DWORD size) const {
        if (!key_ || RegSetValueExW(key_, Wide(name).c_str(), 0, type,
                                    static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
            RaiseSetDataError(name);
    }

  private:
    HKEY key_ = nullptr;
    LONG opened_ = ERROR_SUCCESS;
};

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The stored text need not end in a NUL, may have an odd number of bytes,
// and may grow between the size query and the read: read into a buffer of
// whole UTF-16 units, one unit longer than the data, and retry while it
// keeps growing. The text ends at its first NUL or its last whole unit: the
// half of one that an odd length leaves is no character.
std::string ReadStringValue(const RegistryKey& key, const std::string& name, DWORD size) {
    std::vector<wchar_t> buffer;
    for (;;) {
        buffer.assign(size / sizeof(wchar_t) + 2, L'\0');
        DWORD type = REG_NONE;
        DWORD read = size;
        const LONG result = key.Query(name, type, buffer.data(), read);
        if (result == ERROR_MORE_DATA) {
            size = read;
            continue;
        }
        if (result != ERROR_SUCCESS)
            RaiseGetDataError(name);
        if (!IsStringType(type))
            RaiseReadError(name);
        return Narrow(buffer.data(), wcsnlen(buffer.data(), read / sizeof(wchar_t)));
    }
}

} // namespace

void RegWriteString(const std::string& section, const std::string& name, const std::string& value) {
    const RegistryKey key(section, RegistryKey::CreateIfMissing);
    const TWideText text = Wide(value);
    key.Set(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::string RegReadString(const std::string& section, const std::string& name,
                          const std::string& defaultValue) {
    const RegistryKey key(section, RegistryKey::OpenExisting);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key.QueryInfo(name, type, size))
        return defaultValue;
    if (!IsStringType(type))
        RaiseReadError(name); // an empty value of another kind is no empty text
    if (size == 0)
        return std::string();
    return ReadStringValue(key, name, size);
}

void RegWriteInteger(const std::string& section, const std::string& name, std::int32_t value) {
    const RegistryKey key(section, RegistryKey::CreateIfMissing);
    key.Set(name, REG_DWORD, &value, sizeof value);
}

std::int32_t RegReadInteger(const std::string& section, const std::string& name,
                            std::int32_t defaultValue) {
    const RegistryKey key(section, RegistryKey::OpenExisting);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key.QueryInfo(name, type, size))
        return defaultValue;
    std::int32_t value = 0;
    size = sizeof value;
    if (key.Query(name, type, &value, size) != ERROR_SUCCESS)
        RaiseGetDataError(name);
    if (type != REG_DWORD || size != sizeof value)
        RaiseReadError(name); // a shorter integer is as damaged as another kind
    return value;
}

void RegWriteBool(const std::string& section, const std::string& name, bool value) {
    RegWriteInteger(section, name, value ? 1 : 0);
}

bool RegReadBool(const std::string& section, const std::string& name, bool defaultValue) {
    return RegReadInteger(section, name, defaultValue ? 1 : 0) == 1;
}
