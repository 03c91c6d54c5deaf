// Any command line the system may hand over: each argument is found without
// reading past the end and holds no quote, nor a blank or control character
// where nothing was quoted; only "/c" and "/s" in either case pick a mode.
//   input: the command line, up to its first NUL.
#include "core/uStartup.h"

#include "FuzzInput.h"

#include <cstring>

namespace {

void CheckArgument(const std::string& argument, bool quoted) {
    for (char c : argument)
        FUZZ_CHECK(c != '"' && (quoted || static_cast<unsigned char>(c) > ' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string commandLine = in.Rest(); // c_str() ends at its first NUL
    const bool quoted = std::strchr(commandLine.c_str(), '"') != nullptr;
    for (int index = 0; index < 4; ++index)
        CheckArgument(CommandLineArgument(commandLine.c_str(), index), quoted);

    const std::string first = CommandLineArgument(commandLine.c_str(), 1);
    const TRunMode mode = RunModeOf(first);
    const bool slash = first.size() >= 2 && first[0] == '/';
    const char letter = slash ? static_cast<char>(first[1] | 0x20) : '\0';
    FUZZ_CHECK((mode == TRunMode::Configuration) == (letter == 'c'));
    FUZZ_CHECK((mode == TRunMode::Display) == (letter == 's'));
    return 0;
}
