// Any short date format with any date value: the text is built without a
// fault, grows by at most two bytes per format byte (or the separator's
// bytes for its "/"), and a date of the program's range written in a usual
// format, with a usual separator, reads back.
//   input: format line, separator line, date value line (as strtod reads it).
#include "core/uConst.h"

#include "FuzzInput.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// What the locales of the world use, with their own separators.
const struct {
    const char *format, *separator;
} UsualFormats[] = {{"dd.MM.yyyy", "."},   {"d.M.yyyy", "."},    {"M/d/yyyy", "/"},
                    {"yyyy-MM-dd", "-"},   {"dd/MM/yyyy", "/"},  {"yyyy/MM/dd", "/"},
                    {"d-M-yyyy", "-"},     {"yyyy.MM.dd.", "."}, {"dd/MM/yyyy", u8"·"},
                    {"yyyy/MM/dd", u8"ㆍ"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string format = in.Line();
    const std::string separator = in.Line();
    const TDateTime date = std::strtod(in.Line().c_str(), nullptr);

    SetDateFormatSettings(format, separator);
    const std::string text = FormatShortDate(date);
    const std::size_t growth = std::max<std::size_t>(DateSeparator().size(), 2);
    FUZZ_CHECK(text.size() <= growth * std::max<std::size_t>(format.size(), 6)); // "d": "31"

    const TDateTime first = EncodeDate(1, 1, 1), last = EncodeDate(9999, 12, 31);
    if (!(date >= first && date <= last))
        return 0;
    const TDateTime day = std::floor(date);
    for (const auto& usual : UsualFormats) {
        SetDateFormatSettings(usual.format, usual.separator);
        FUZZ_CHECK(ParseShortDate(FormatShortDate(day), -1e9) == day);
    }
    return 0;
}
