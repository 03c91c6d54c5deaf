// Random edits of the date field; aborts when an edit breaks the field's rules.
// Also linked into the native unit tests, which run it over seeded inputs.
#include "framework/DateMask.h"

#include "FuzzInput.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class Input : public FuzzInput {
  public:
    using FuzzInput::FuzzInput;

    // Mostly digits and the separator, which is where the rules are.
    char Key(char separator) {
        const std::uint8_t b = Byte();
        if (b < 150)
            return static_cast<char>('0' + b % 10);
        if (b < 200)
            return separator;
        return static_cast<char>(b);
    }
    std::string Keys(char separator) {
        std::string text;
        for (int n = Byte() % 16; n > 0; --n)
            text += Key(separator);
        return text;
    }
    // Mostly in range, sometimes just outside, sometimes far off.
    int Sel() {
        static const int far[] = {INT_MIN, INT_MAX, -1000, 1000, -2, 12};
        const std::uint8_t b = Byte();
        return b < 208 ? b % 12 - 1 : far[b % 6];
    }
};

void CheckField(const TDateMask& mask) {
    const char sep = mask.Separator();
    FUZZ_CHECK(!IsDigit(sep) && sep != '_' && sep != ' ' && sep != '\0');
    const std::string display = mask.DisplayText();
    const std::string text = mask.Text();
    FUZZ_CHECK(display.size() == TDateMask::Length && text.size() == TDateMask::Length);
    for (int i = 0; i < TDateMask::Length; ++i) {
        if (TDateMask::IsSeparatorPosition(i)) {
            FUZZ_CHECK(display[i] == sep && text[i] == sep && mask.At(i) == sep && !mask.Empty(i));
            continue;
        }
        FUZZ_CHECK(display[i] == (mask.Empty(i) ? '_' : mask.At(i)));
        FUZZ_CHECK(mask.Empty(i) || IsDigit(mask.At(i)));
    }
    // Each group of Text(): leading blanks, then the group's digits in order.
    const int groups[][2] = {{0, 2}, {3, 2}, {6, 4}};
    for (const auto& g : groups) {
        std::string digits;
        for (int i = g[0]; i < g[0] + g[1]; ++i)
            if (!mask.Empty(i))
                digits += mask.At(i);
        FUZZ_CHECK(text.substr(g[0], g[1]) == std::string(g[1] - digits.size(), ' ') + digits);
    }
    int missing = -1;
    for (int i = 9; i >= 6; --i)
        if (mask.Empty(i))
            missing = i;
    FUZZ_CHECK(mask.FirstMissingRequired() == missing);

    TDateMask copy(sep);
    copy.SetText(text);
    FUZZ_CHECK(copy.Text() == text);
}

void CheckResult(const TMaskResult& r, const std::string& before, const TDateMask& mask) {
    FUZZ_CHECK(r.caret >= 0 && r.caret <= TDateMask::Length);
    FUZZ_CHECK(!TDateMask::IsSeparatorPosition(r.caret));
    FUZZ_CHECK(r.changed == (mask.DisplayText() != before));
}

// Positions outside [from, to) kept their characters.
void CheckKeptOutside(const std::string& before, const TDateMask& mask, int from, int to) {
    const std::string after = mask.DisplayText();
    for (int i = 0; i < TDateMask::Length; ++i)
        FUZZ_CHECK((i >= from && i < to) || after[i] == before[i]);
}

// Emptying edits never bring a digit.
void CheckOnlyEmptied(const std::string& before, const TDateMask& mask) {
    const std::string after = mask.DisplayText();
    for (int i = 0; i < TDateMask::Length; ++i)
        FUZZ_CHECK(after[i] == before[i] || after[i] == '_');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    TDateMask mask(static_cast<char>(in.Byte()));
    CheckField(mask);
    while (in.More()) {
        const std::uint8_t op = in.Byte() % 6;
        const char sep = mask.Separator();
        const std::string before = mask.DisplayText();
        if (op == 4) {
            mask.SetText(in.Keys(sep) + sep + in.Keys(sep));
            CheckField(mask);
            continue;
        }
        if (op == 5) {
            mask.SetSeparator(static_cast<char>(in.Byte()));
            CheckField(mask);
            continue;
        }
        const int a = in.Sel(), b = in.Sel();
        int start = std::clamp(a, 0, TDateMask::Length), end = std::clamp(b, 0, TDateMask::Length);
        if (start > end)
            std::swap(start, end);
        const int at = TDateMask::NormalizeCaret(start, true);

        TMaskResult r;
        if (op == 0) {
            const char key = in.Key(sep);
            r = mask.TypeChar(key, a, b);
            if (key == sep) {
                FUZZ_CHECK(!r.changed && !r.beep && r.caret >= at);
            } else if (!IsDigit(key) || (start == end && at == TDateMask::Length)) {
                FUZZ_CHECK(!r.changed && r.beep);
            } else {
                FUZZ_CHECK(!r.beep && mask.At(at) == key && r.caret > at);
                CheckKeptOutside(before, mask, start == end ? at : start, std::max(end, at + 1));
            }
        } else if (op == 1 || op == 2) {
            r = op == 1 ? mask.Backspace(a, b) : mask.Delete(a, b);
            FUZZ_CHECK(!r.beep);
            CheckOnlyEmptied(before, mask);
            if (start != end) {
                FUZZ_CHECK(r.caret == at);
                CheckKeptOutside(before, mask, start, end);
                for (int i = start; i < end; ++i)
                    FUZZ_CHECK(mask.Empty(i) || TDateMask::IsSeparatorPosition(i));
            } else if (op == 1) {
                FUZZ_CHECK(r.caret <= start && (start == 0 || mask.Empty(r.caret)));
                CheckKeptOutside(before, mask, r.caret, r.caret + 1);
            } else {
                FUZZ_CHECK(r.caret == at);
                CheckKeptOutside(before, mask, at, at + 1);
            }
        } else {
            const std::string text = in.Keys(sep);
            r = mask.Paste(text, a, b);
            CheckKeptOutside(before, mask, start, TDateMask::Length);
            bool foreign = false;
            for (char c : text)
                foreign = foreign || (!IsDigit(c) && c != sep);
            FUZZ_CHECK(!foreign || r.beep);
        }
        CheckResult(r, before, mask);
        CheckField(mask);
    }
    return 0;
}
