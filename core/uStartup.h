#pragma once
// How the command line picks the run mode.

#include <string>

enum class TRunMode { None, Configuration, Display };

// Argument `index` of a command line (0 is the program's path); "" when
// there is none. Arguments are separated by runs of blanks and control
// characters; double quotes group and are dropped; an empty pair of quotes
// before an argument is skipped.
std::string CommandLineArgument(const char* commandLine, int index);

// "/C" configures, "/S" displays: the first two characters of the
// upper-cased first argument, whatever follows them.
TRunMode RunModeOf(const std::string& firstArgument);
