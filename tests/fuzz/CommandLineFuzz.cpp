// Any command line the system may hand over, in any bytes or UTF-8: each
// argument is found without reading past the end and holds no quote, nor a
// blank or control character where nothing was quoted; arguments split only
// at ASCII, so each run of bytes beyond it, a UTF-8 character among them,
// stays whole inside one argument; only "/c" and "/s" in either case pick a
// mode.
//   input: the command line, up to its first NUL.
#include "core/uStartup.h"

#include "FuzzInput.h"

#include <cstring>
#include <vector>

namespace {

bool IsAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

void CheckArgument(const std::string& argument, bool quoted) {
    for (char c : argument)
        FUZZ_CHECK(c != '"' && (quoted || static_cast<unsigned char>(c) > ' '));
}

// The bytes beyond ASCII of the command line in order, and the offsets in
// them where a run of such bytes starts or the last one ends.
std::string BeyondAscii(const char* text, std::vector<bool>& runStarts) {
    std::string bytes;
    runStarts.clear();
    for (const char* p = text; *p != '\0'; ++p) {
        if (IsAscii(*p))
            continue;
        runStarts.push_back(p == text || IsAscii(p[-1]));
        bytes += *p;
    }
    runStarts.push_back(true);
    return bytes;
}

// The bytes beyond ASCII of the arguments, one after the other, are those of
// the command line, and each argument begins where a run begins.
void CheckRunsStayWhole(const char* commandLine) {
    std::vector<bool> runStarts;
    const std::string expected = BeyondAscii(commandLine, runStarts);
    std::string found;
    // An empty argument is the end; each argument takes at least one byte.
    for (int index = 0; index < 32; ++index) {
        const std::string argument = CommandLineArgument(commandLine, index);
        if (argument.empty())
            break;
        FUZZ_CHECK(found.size() < runStarts.size() && runStarts[found.size()]);
        for (char c : argument)
            if (!IsAscii(c))
                found += c;
        FUZZ_CHECK(expected.compare(0, found.size(), found) == 0);
    }
    if (CommandLineArgument(commandLine, 32).empty())
        FUZZ_CHECK(found == expected);
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
    CheckRunsStayWhole(commandLine.data());

    const std::string first = CommandLineArgument(commandLine.data(), 1);
    const TRunMode mode = RunModeOf(first);
    const bool slash = first.size() >= 2 && first[0] == '/';
    const char letter = slash ? static_cast<char>(first[1] | 0x20) : '\0';
    FUZZ_CHECK((mode == TRunMode::Configuration) == (letter == 'c'));
    FUZZ_CHECK((mode == TRunMode::Display) == (letter == 's'));
    return 0;
}
