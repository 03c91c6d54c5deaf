#include "core/uStartup.h"

namespace {

bool IsSeparator(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}

// Reads one argument starting at p and returns where the next one starts.
const char* NextArgument(const char* p, std::string& argument) {
    for (;;) {
        while (IsSeparator(*p))
            ++p;
        if (p[0] == '"' && p[1] == '"')
            p += 2;
        else
            break;
    }
    argument.clear();
    while (*p != '\0' && !IsSeparator(*p)) {
        if (*p == '"') {
            for (++p; *p != '\0' && *p != '"'; ++p)
                argument += *p;
            if (*p != '\0')
                ++p;
        } else {
            argument += *p++;
        }
    }
    return p;
}

} // namespace

std::string CommandLineArgument(const char* commandLine, int index) {
    std::string argument;
    const char* p = commandLine ? commandLine : "";
    for (int i = 0; i <= index; ++i)
        p = NextArgument(p, argument);
    return argument;
}

TRunMode RunModeOf(const std::string& firstArgument) {
    std::string mode = firstArgument.substr(0, 2);
    for (char& c : mode)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (mode == "/C")
        return TRunMode::Configuration;
    if (mode == "/S")
        return TRunMode::Display;
    return TRunMode::None;
}
