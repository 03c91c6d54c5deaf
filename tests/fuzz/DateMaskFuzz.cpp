// Random edits of the date field; aborts when an edit breaks the field's rules.
// Linked into the native unit tests, which run it over seeded inputs. As a
// libFuzzer program (the project's flags include a charset clang lacks):
//   clang++ -std=c++17 -g -O1 -I. -fsanitize=fuzzer,address,undefined
//       tests/fuzz/DateMaskFuzz.cpp framework/DateMask.cpp -o date_mask_fuzz
#include "framework/DateMask.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition);                   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return pos_ < size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

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

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void CheckField(const TDateMask& mask) {
    const char sep = mask.Separator();
    CHECK(!IsDigit(sep) && sep != '_' && sep != ' ' && sep != '\0');
    const std::string display = mask.DisplayText();
    const std::string text = mask.Text();
    CHECK(display.size() == TDateMask::Length && text.size() == TDateMask::Length);
    for (int i = 0; i < TDateMask::Length; ++i) {
        if (TDateMask::IsSeparatorPosition(i)) {
            CHECK(display[i] == sep && text[i] == sep && mask.At(i) == sep && !mask.Empty(i));
            continue;
        }
        CHECK(display[i] == (mask.Empty(i) ? '_' : mask.At(i)));
        CHECK(mask.Empty(i) || IsDigit(mask.At(i)));
    }
    // Each group of Text(): leading blanks, then the group's digits in order.
    const int groups[][2] = {{0, 2}, {3, 2}, {6, 4}};
    for (const auto& g : groups) {
        std::string digits;
        for (int i = g[0]; i < g[0] + g[1]; ++i)
            if (!mask.Empty(i))
                digits += mask.At(i);
        CHECK(text.substr(g[0], g[1]) == std::string(g[1] - digits.size(), ' ') + digits);
    }
    int missing = -1;
    for (int i = 9; i >= 6; --i)
        if (mask.Empty(i))
            missing = i;
    CHECK(mask.FirstMissingRequired() == missing);

    TDateMask copy(sep);
    copy.SetText(text);
    CHECK(copy.Text() == text);
}

void CheckResult(const TMaskResult& r, const std::string& before, const TDateMask& mask) {
    CHECK(r.caret >= 0 && r.caret <= TDateMask::Length);
    CHECK(!TDateMask::IsSeparatorPosition(r.caret));
    CHECK(r.changed == (mask.DisplayText() != before));
}

// Positions outside [from, to) kept their characters.
void CheckKeptOutside(const std::string& before, const TDateMask& mask, int from, int to) {
    const std::string after = mask.DisplayText();
    for (int i = 0; i < TDateMask::Length; ++i)
        CHECK((i >= from && i < to) || after[i] == before[i]);
}

// Emptying edits never bring a digit.
void CheckOnlyEmptied(const std::string& before, const TDateMask& mask) {
    const std::string after = mask.DisplayText();
    for (int i = 0; i < TDateMask::Length; ++i)
        CHECK(after[i] == before[i] || after[i] == '_');
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
                CHECK(!r.changed && !r.beep && r.caret >= at);
            } else if (!IsDigit(key) || (start == end && at == TDateMask::Length)) {
                CHECK(!r.changed && r.beep);
            } else {
                CHECK(!r.beep && mask.At(at) == key && r.caret > at);
                CheckKeptOutside(before, mask, start == end ? at : start, std::max(end, at + 1));
            }
        } else if (op == 1 || op == 2) {
            r = op == 1 ? mask.Backspace(a, b) : mask.Delete(a, b);
            CHECK(!r.beep);
            CheckOnlyEmptied(before, mask);
            if (start != end) {
                CHECK(r.caret == at);
                CheckKeptOutside(before, mask, start, end);
                for (int i = start; i < end; ++i)
                    CHECK(mask.Empty(i) || TDateMask::IsSeparatorPosition(i));
            } else if (op == 1) {
                CHECK(r.caret <= start && (start == 0 || mask.Empty(r.caret)));
                CheckKeptOutside(before, mask, r.caret, r.caret + 1);
            } else {
                CHECK(r.caret == at);
                CheckKeptOutside(before, mask, at, at + 1);
            }
        } else {
            const std::string text = in.Keys(sep);
            r = mask.Paste(text, a, b);
            CheckKeptOutside(before, mask, start, TDateMask::Length);
            bool foreign = false;
            for (char c : text)
                foreign = foreign || (!IsDigit(c) && c != sep);
            CHECK(!foreign || r.beep);
        }
        CheckResult(r, before, mask);
        CheckField(mask);
    }
    return 0;
}
