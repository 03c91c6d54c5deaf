// Any command line the system may hand over: each argument is found without
// reading past the end and holds no quote, nor a blank or control character
// where nothing was quoted; only "/c" and "/s" in either case pick a mode.
//   input: the command line, up to its first NUL.
#include "core/uStartup.h"

#include "FuzzInput.h"

#include <cstring>
#include <vector>

namespace {

void CheckArgument(const std::string& argument, bool quoted) {
    for (char c : argument)
        FUZZ_CHECK(c != '"' && (quoted || static_cast<unsigned char>(c) > ' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    // In a buffer of its exact size, so that reading past its end is seen.
    const std::string text = in.Rest();
    std::vector<char> commandLine(text.begin(), text.end());
    commandLine.push_back('\0');
    const bool quoted = std::strchr(commandLine.data(), '"') != nullptr;
    for (int index = 0; index < 4; ++index)
        CheckArgument(CommandLineArgument(commandLine.data(), index), quoted);

    const std::string first = CommandLineArgument(commandLine.data(), 1);
    const TRunMode mode = RunModeOf(first);
    const bool slash = first.size() >= 2 && first[0] == '/';
    const char letter = slash ? static_cast<char>(first[1] | 0x20) : '\0';
    FUZZ_CHECK((mode == TRunMode::Configuration) == (letter == 'c'));
    FUZZ_CHECK((mode == TRunMode::Display) == (letter == 's'));
    return 0;
}
