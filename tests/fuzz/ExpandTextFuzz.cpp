// Any display template, in any bytes or UTF-8, with any count and date: the
// text is built without a fault, a template without a percent sign is shown
// as it stands, and only ASCII is ever replaced: the bytes beyond it come
// through in order, so well-formed text stays well-formed. The count and
// the detail line come from any pair of dates.
//   input: days line, date value line, then the template.
#include "core/uConst.h"
#include "framework/WideText.h"

#include "FuzzInput.h"

#include <cstdlib>
#include <exception>

namespace {

std::string BeyondAscii(const std::string& text) {
    std::string bytes;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            bytes += c;
    return bytes;
}

bool IsWtf8(const std::string& text) {
    return FromUtf16(ToUtf16(text)) == text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const long days = std::strtol(in.Line().c_str(), nullptr, 10);
    const TDateTime date = std::strtod(in.Line().c_str(), nullptr);
    const std::string tmpl = in.Rest();
    SetDateFormatSettings("dd.MM.yyyy", ".");

    const std::string text = ExpandText(tmpl, static_cast<int>(days), date);
    if (tmpl.find('%') == std::string::npos)
        FUZZ_CHECK(text == tmpl);
    FUZZ_CHECK(BeyondAscii(text) == BeyondAscii(tmpl));
    FUZZ_CHECK(!IsWtf8(tmpl) || IsWtf8(text));

    try {
        const int counted = CountDays(days % 2 != 0, date, static_cast<TDateTime>(days));
        FUZZ_CHECK(counted >= 0);
        FUZZ_CHECK(BuildDetailLine(counted).rfind("Im Detail: ", 0) == 0);
    } catch (const std::exception&) {
        // Dates more than 2^31 days apart: the count's range error.
    }
    return 0;
}
