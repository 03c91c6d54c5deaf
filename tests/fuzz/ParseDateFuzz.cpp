// Date text as a user or another program may have stored it, in any bytes
// or UTF-8, read under any short date format and separator: the date read is
// a whole day from year 1 to 9999, or the fallback, read from nothing but
// digits, blanks and whole separators, and it reads back from its own text.
//   input: format line, separator line (its first character counts), then
//   the text.
#include "core/uConst.h"
#include "framework/WideText.h"

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

// The text without its separators holds digits and blanks only: no byte of
// another character, nor part of the separator's.
bool OnlyDigitsBlanksAndSeparators(const std::string& text, const std::string& separator) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (text.compare(pos, separator.size(), separator) == 0)
            pos += separator.size();
        else if (IsDigitOrBlank(text[pos]))
            ++pos;
        else
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string format = in.Line();
    const std::string separator = in.Line();
    SetDateFormatSettings(format, separator);
    // One well-formed character of the BMP, as the date field needs it.
    const std::u16string unit = ToUtf16(DateSeparator());
    FUZZ_CHECK(unit.size() == 1 && FromUtf16(unit) == DateSeparator());

    const std::string text = in.Rest();
    const TDateTime date = ParseShortDate(text, Fallback);
    if (date == Fallback)
        return 0;
    FUZZ_CHECK(date == std::floor(date));
    FUZZ_CHECK(date >= EncodeDate(1, 1, 1) && date <= EncodeDate(9999, 12, 31));
    FUZZ_CHECK(OnlyDigitsBlanksAndSeparators(text, DateSeparator()));

    if (IsDigitOrBlank(DateSeparator()[0]))
        return 0; // such a separator cannot be told from the numbers
    SetDateFormatSettings(FullFormatLike(format), separator);
    FUZZ_CHECK(ParseShortDate(FormatShortDate(date), Fallback) == date);
    return 0;
}
