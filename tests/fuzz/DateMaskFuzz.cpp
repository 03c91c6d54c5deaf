// Random edits of the date field, with separators and keys beyond ASCII;
// aborts when an edit breaks the field's rules.
// Also linked into the native unit tests, which run it over seeded inputs.
#include "framework/DateMask.h"
#include "framework/WideText.h"

#include "FuzzInput.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

namespace {

bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

// Beyond ASCII: characters a locale may separate with, and what the field
// must refuse: beyond the BMP, a lone surrogate, no UTF-8 (a Windows-1252
// byte, a cut-off sequence, beyond U+10FFFF) and U+FFFD.
const char* const ForeignTexts[] = {
    u8"·",  u8"ㆍ",     u8"／",         u8"０",         u8"😀",
    "\xB7", "\xE2\x80", "\xEF\xBF\xBD", "\xED\xA0\x80", "\xF4\x90\x80\x80"};
// The same as keys, and keys whose low byte is a digit or a separator.
const char32_t ForeignKeys[] = {U'·',   U'ㆍ',  U'／',    U'０',     U'😀',
                                0xD800, 0xFFFD, 0x110000, U'\u0132', U'\u012E'};

class Input : public FuzzInput {
  public:
    using FuzzInput::FuzzInput;

    // An ASCII byte stands for itself.
    std::string Separator() {
        const std::uint8_t b = Byte();
        if (b < 0x80)
            return std::string(1, static_cast<char>(b));
        return ForeignTexts[(b - 0x80) % std::size(ForeignTexts)];
    }
    // Mostly digits and the separator, which is where the rules are.
    char32_t Key(const TDateMask& mask) {
        const std::uint8_t b = Byte();
        if (b < 150)
            return '0' + b % 10;
        if (b < 200)
            return mask.At(2);
        if (b < 240)
            return b; // Latin-1
        return ForeignKeys[b % std::size(ForeignKeys)];
    }
    // The same choices as UTF-8 text.
    std::string Keys(const TDateMask& mask) {
        std::string text;
        for (int n = Byte() % 16; n > 0; --n) {
            const std::uint8_t b = Byte();
            if (b < 150)
                text += static_cast<char>('0' + b % 10);
            else if (b < 200)
                text += mask.Separator();
            else if (b < 240)
                text += FromUtf16(std::u16string(1, b));
            else
                text += ForeignTexts[b % std::size(ForeignTexts)];
        }
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
    // One character of the BMP, well-formed, one unit of the edit control.
    const std::u16string separator = ToUtf16(mask.Separator());
    FUZZ_CHECK(separator.size() == 1 && FromUtf16(separator) == mask.Separator());
    const char16_t sep = separator[0];
    FUZZ_CHECK(!IsDigit(sep) && sep != '_' && sep != ' ' && sep != '\0');
    FUZZ_CHECK((sep < 0xD800 || sep > 0xDFFF) && sep != 0xFFFD);
    // Position by position, in the control's units.
    const std::u16string display = ToUtf16(mask.DisplayText());
    const std::u16string text = ToUtf16(mask.Text());
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
        std::u16string digits;
        for (int i = g[0]; i < g[0] + g[1]; ++i)
            if (!mask.Empty(i))
                digits += static_cast<char16_t>(mask.At(i));
        FUZZ_CHECK(text.substr(g[0], g[1]) == std::u16string(g[1] - digits.size(), ' ') + digits);
    }
    int missing = -1;
    for (int i = 9; i >= 6; --i)
        if (mask.Empty(i))
            missing = i;
    FUZZ_CHECK(mask.FirstMissingRequired() == missing);

    TDateMask copy(mask.Separator());
    copy.SetText(mask.Text());
    FUZZ_CHECK(copy.Text() == mask.Text());
}

void CheckResult(const TMaskResult& r, const std::string& before, const TDateMask& mask) {
    FUZZ_CHECK(r.caret >= 0 && r.caret <= TDateMask::Length);
    FUZZ_CHECK(!TDateMask::IsSeparatorPosition(r.caret));
    FUZZ_CHECK(r.changed == (mask.DisplayText() != before));
}

// Positions outside [from, to) kept their characters.
void CheckKeptOutside(const std::string& before, const TDateMask& mask, int from, int to) {
    const std::u16string was = ToUtf16(before);
    const std::u16string after = ToUtf16(mask.DisplayText());
    for (int i = 0; i < TDateMask::Length; ++i)
        FUZZ_CHECK((i >= from && i < to) || after[i] == was[i]);
}

// Emptying edits never bring a digit.
void CheckOnlyEmptied(const std::string& before, const TDateMask& mask) {
    const std::u16string was = ToUtf16(before);
    const std::u16string after = ToUtf16(mask.DisplayText());
    for (int i = 0; i < TDateMask::Length; ++i)
        FUZZ_CHECK(after[i] == was[i] || after[i] == '_');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    TDateMask mask(in.Separator());
    CheckField(mask);
    while (in.More()) {
        const std::uint8_t op = in.Byte() % 6;
        const char32_t sep = mask.At(2);
        const std::string before = mask.DisplayText();
        if (op == 4) {
            mask.SetText(in.Keys(mask) + mask.Separator() + in.Keys(mask));
            CheckField(mask);
            continue;
        }
        if (op == 5) {
            mask.SetSeparator(in.Separator());
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
            const char32_t key = in.Key(mask);
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
            const std::string text = in.Keys(mask);
            r = mask.Paste(text, a, b);
            CheckKeptOutside(before, mask, start, TDateMask::Length);
            bool foreign = false;
            for (char16_t c : ToUtf16(text))
                foreign = foreign || (!IsDigit(c) && c != sep);
            FUZZ_CHECK(!foreign || r.beep);
        }
        CheckResult(r, before, mask);
        CheckField(mask);
    }
    return 0;
}
