// Which run mode a command line picks.

#include "core/uStartup.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, PicksTheModeFromTheFirstArgumentOnly) {
    const struct {
        const char* commandLine;
        TRunMode mode;
    } cases[] = {
        {"Quorbel.scr", TRunMode::None},
        {"Quorbel.scr /s", TRunMode::Display},
        {"Quorbel.scr /S", TRunMode::Display},
        {"Quorbel.scr /Sxyz", TRunMode::Display},
        {"Quorbel.scr /c", TRunMode::Configuration},
        {"Quorbel.scr /C", TRunMode::Configuration},
        {"Quorbel.scr /c:1234", TRunMode::Configuration},
        {"Quorbel.scr /C 1234", TRunMode::Configuration},
        {"Quorbel.scr /p 1234", TRunMode::None},
        {"Quorbel.scr /a", TRunMode::None},
        {"Quorbel.scr -s", TRunMode::None},
        {"Quorbel.scr s", TRunMode::None},
        {"Quorbel.scr /", TRunMode::None},
        {"Quorbel.scr \"\"", TRunMode::None},
        {"Quorbel.scr x /s", TRunMode::None},
        {"Quorbel.scr \"/s\"", TRunMode::Display},
        {"\"C:\\Program Files\\Quorbel.scr\" /s", TRunMode::Display},
        {"Quorbel.scr\t\x01/c", TRunMode::Configuration},
        {"Quorbel.scr \"\" /s", TRunMode::Display},
        {"Quorbel.scr /\"s\"", TRunMode::Display},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunModeOf(CommandLineArgument(c.commandLine, 1)), c.mode) << c.commandLine;
}

TEST(CommandLine, SplitsAtBlanksAndControlCharactersAndDropsQuotes) {
    const struct {
        const char* commandLine;
        int index;
        const char* argument;
    } cases[] = {
        {"a  b", 1, "b"},
        {"a \"b c\" d", 1, "b c"},
        {"a \"b c\" d", 2, "d"},
        {"a x\"y z\"w", 1, "xy zw"},
        {"a \"\"\"\"b", 1, "b"},
        {"a", 1, ""},
        {"", 0, ""},
        {"a \"unclosed", 1, "unclosed"},
        {"a\r\nb", 1, "b"},
        {"a \xE4", 1, "\xE4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandLineArgument(c.commandLine, c.index), c.argument) << c.commandLine;
}

} // namespace
