// Date text as a user or another program may have stored it, read under any
// short date format and separator: the date read is a whole day from year 1
// to 9999, or the fallback, and it reads back from its own text.
//   input: format line, separator line, then the text.
#include "core/uConst.h"

#include "FuzzInput.h"

#include <cmath>

namespace {

constexpr TDateTime Fallback = -1e9;

// The format of the same field order that writes every field in full.
const char* FullFormatLike(const std::string& format) {
    for (char c : format) {
        switch (c | 0x20) {
        case 'd':
            return "d/M/yyyy";
        case 'y':
            return "yyyy/M/d";
        case 'm':
            return "M/d/yyyy";
        default:
            break;
        }
    }
    return "M/d/yyyy";
}

bool IsDigitOrBlank(char c) {
    return (c >= '0' && c <= '9') || c == ' ';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string format = in.Line();
    const char separator = in.Line().c_str()[0];
    SetDateFormatSettings(format, separator);
    const TDateTime date = ParseShortDate(in.Rest(), Fallback);
    if (date == Fallback)
        return 0;
    FUZZ_CHECK(date == std::floor(date));
    FUZZ_CHECK(date >= EncodeDate(1, 1, 1) && date <= EncodeDate(9999, 12, 31));

    if (IsDigitOrBlank(DateSeparator()))
        return 0; // such a separator cannot be told from the numbers
    SetDateFormatSettings(FullFormatLike(format), separator);
    FUZZ_CHECK(ParseShortDate(FormatShortDate(date), Fallback) == date);
    return 0;
}
