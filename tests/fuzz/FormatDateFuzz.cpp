// Any short date format with any date value: the text is built without a
// fault, grows by at most two characters per format character, and a date
// of the program's range written in a usual format reads back.
//   input: format line, separator line, date value line (as strtod reads it).
#include "core/uConst.h"

#include "FuzzInput.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// What the locales of the world use, with their own separators.
const struct {
    const char* format;
    char separator;
} UsualFormats[] = {{"dd.MM.yyyy", '.'}, {"d.M.yyyy", '.'},   {"M/d/yyyy", '/'},
                    {"yyyy-MM-dd", '-'}, {"dd/MM/yyyy", '/'}, {"yyyy/MM/dd", '/'},
                    {"d-M-yyyy", '-'},   {"yyyy.MM.dd.", '.'}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string format = in.Line();
    const char separator = in.Line().c_str()[0];
    const TDateTime date = std::strtod(in.Line().c_str(), nullptr);

    SetDateFormatSettings(format, separator);
    const std::string text = FormatShortDate(date);
    FUZZ_CHECK(text.size() <= 2 * std::max<std::size_t>(format.size(), 6)); // "d" gives "31"

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
