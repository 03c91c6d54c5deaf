#pragma once
// The settings store: each call opens HKCU\SOFTWARE\Quorbel\<section>, reads
// or writes one value and closes the key again. Nothing is cached.

#include <cstdint>
#include <string>

void RegWriteString(const std::string& section, const std::string& name, const std::string& value);
std::string RegReadString(const std::string& section, const std::string& name,
                          const std::string& defaultValue);
void RegWriteInteger(const std::string& section, const std::string& name, std::int32_t value);
std::int32_t RegReadInteger(const std::string& section, const std::string& name,
                            std::int32_t defaultValue);
void RegWriteBool(const std::string& section, const std::string& name, bool value);
bool RegReadBool(const std::string& section, const std::string& name, bool defaultValue);
