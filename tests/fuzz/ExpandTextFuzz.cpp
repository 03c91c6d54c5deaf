// Any display template with any count and date: the text is built without
// a fault, and a template without a percent sign is shown as it stands.
// The count and the detail line come from any pair of dates.
//   input: days line, date value line, then the template.
#include "core/uConst.h"

#include "FuzzInput.h"

#include <cstdlib>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const long days = std::strtol(in.Line().c_str(), nullptr, 10);
    const TDateTime date = std::strtod(in.Line().c_str(), nullptr);
    const std::string tmpl = in.Rest();
    SetDateFormatSettings("dd.MM.yyyy", '.');

    const std::string text = ExpandText(tmpl, static_cast<int>(days), date);
    if (tmpl.find('%') == std::string::npos)
        FUZZ_CHECK(text == tmpl);

    try {
        const int counted = CountDays(days % 2 != 0, date, static_cast<TDateTime>(days));
        FUZZ_CHECK(counted >= 0);
        FUZZ_CHECK(BuildDetailLine(counted).rfind("Im Detail: ", 0) == 0);
    } catch (const std::exception&) {
        // Dates more than 2^31 days apart: the count's range error.
    }
    return 0;
}
