// The date field's editing rules, the text it hands to the parser, and random
// edit sequences through the fuzz body.
#include "framework/DateMask.h"

#include "core/uConst.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// A field showing display ('_' for empty positions), with the separator
// display shows.
TDateMask Field(const std::string& display) {
    TDateMask mask(FromUtf16(ToUtf16(display).substr(2, 1)));
    mask.SetText(display);
    EXPECT_EQ(mask.DisplayText(), display);
    return mask;
}

// One edit from a starting display, and all it should do.
struct Edit {
    const char* before;
    int selStart, selEnd;
    const char* after;
    bool changed, beep;
    int caret;
};

void Expect(const Edit& e, TDateMask& mask, const TMaskResult& r, const std::string& what) {
    const std::string where = what + " on " + e.before + " at " + std::to_string(e.selStart) +
                              ".." + std::to_string(e.selEnd);
    EXPECT_EQ(mask.DisplayText(), e.after) << where;
    EXPECT_EQ(r.changed, e.changed) << where;
    EXPECT_EQ(r.beep, e.beep) << where;
    EXPECT_EQ(r.caret, e.caret) << where;
}

TEST(DateMask, TypedKeys) {
    struct {
        char32_t key;
        Edit edit;
    } const cases[] = {
        // Digits overwrite and move on, past the separators.
        {'2', {"__.__.____", 0, 0, "2_.__.____", true, false, 1}},
        {'4', {"2_.__.____", 1, 1, "24.__.____", true, false, 3}},
        {'1', {"24.__.____", 2, 2, "24.1_.____", true, false, 4}}, // before the separator
        {'2', {"24.1_.____", 4, 4, "24.12.____", true, false, 6}},
        {'6', {"24.12.202_", 9, 9, "24.12.2026", true, false, 10}},
        {'3', {"24.12.2026", 0, 0, "34.12.2026", true, false, 1}},
        {'2', {"24.12.2026", 0, 0, "24.12.2026", false, false, 1}}, // the same digit
        {'5', {"24.12.2026", 10, 10, "24.12.2026", false, true, 10}},
        {'5', {"__.__.____", 99, 99, "__.__.____", false, true, 10}},
        // Over a selection: emptied, the digit in its first position.
        {'1', {"24.12.2026", 0, 5, "1_.__.2026", true, false, 1}},
        {'1', {"24.12.2026", 5, 0, "1_.__.2026", true, false, 1}},
        {'7', {"24.12.2026", 2, 3, "24.72.2026", true, false, 4}},
        {'2', {"24.12.2026", 6, 10, "24.12.2___", true, false, 7}},
        {'1', {"24.12.2026", -5, 99, "1_.__.____", true, false, 1}},
        {'2', {"_2.__.____", 0, 2, "2_.__.____", true, false, 1}}, // Text() stays " 2"
        // The separator ends the group; right after a filled group it stays.
        {'.', {"__.__.____", 0, 0, "__.__.____", false, false, 3}},
        {'.', {"1_.__.____", 1, 1, "1_.__.____", false, false, 3}},
        {'.', {"_2.__.____", 3, 3, "_2.__.____", false, false, 3}},
        {'.', {"__.__.____", 3, 3, "__.__.____", false, false, 6}},
        {'.', {"12.__.____", 6, 6, "12.__.____", false, false, 6}},
        {'.', {"12.3_.____", 4, 4, "12.3_.____", false, false, 6}},
        {'.', {"12.34.____", 6, 6, "12.34.____", false, false, 6}},
        {'.', {"12.34.20__", 8, 8, "12.34.20__", false, false, 8}}, // none follows the year
        {'.', {"12.34.2026", 10, 10, "12.34.2026", false, false, 10}},
        {'.', {"24.12.2026", 0, 5, "24.12.2026", false, false, 3}}, // selection kept
        // Anything else.
        {'a', {"24.12.2026", 0, 0, "24.12.2026", false, true, 0}},
        {'/', {"24.12.2026", 4, 4, "24.12.2026", false, true, 4}},
        {'_', {"__.__.____", 0, 0, "__.__.____", false, true, 0}},
        {' ', {"24.12.2026", 2, 2, "24.12.2026", false, true, 3}},
        {U'\u00B2', {"24.12.2026", 0, 3, "24.12.2026", false, true, 0}},
        {U'\uFF12', {"24.12.2026", 0, 0, "24.12.2026", false, true, 0}}, // a full-width 2
        {U'\u0132', {"24.12.2026", 0, 0, "24.12.2026", false, true, 0}}, // '2' + 0x100
        {U'\u012E', {"__.__.____", 0, 0, "__.__.____", false, true, 0}}, // '.' + 0x100
        {U'\U0001F600', {"24.12.2026", 1, 1, "24.12.2026", false, true, 1}},
        // A separator beyond ASCII works the same.
        {U'·', {u8"__·__·____", 0, 0, u8"__·__·____", false, false, 3}},
        {U'2', {u8"24·1_·____", 4, 4, u8"24·12·____", true, false, 6}},
        {U'.', {u8"24·12·2026", 3, 3, u8"24·12·2026", false, true, 3}},
        {U'ㆍ', {u8"_2ㆍ__ㆍ____", 3, 3, u8"_2ㆍ__ㆍ____", false, false, 3}},
        {U'·', {u8"__ㆍ__ㆍ____", 0, 0, u8"__ㆍ__ㆍ____", false, true, 0}},
    };
    for (const auto& c : cases) {
        TDateMask mask = Field(c.edit.before);
        const TMaskResult r = mask.TypeChar(c.key, c.edit.selStart, c.edit.selEnd);
        Expect(c.edit, mask, r, "key " + std::to_string(c.key));
    }
}

TEST(DateMask, BackspaceAndDelete) {
    struct {
        bool backspace;
        Edit edit;
    } const cases[] = {
        {true, {"24.12.2026", 0, 0, "24.12.2026", false, false, 0}},
        {true, {"24.12.2026", 1, 1, "_4.12.2026", true, false, 0}},
        {true, {"24.12.2026", 3, 3, "2_.12.2026", true, false, 1}}, // over the separator
        {true, {"24.12.2026", 2, 2, "2_.12.2026", true, false, 1}},
        {true, {"24.12.2026", 6, 6, "24.1_.2026", true, false, 4}},
        {true, {"24.12.2026", 10, 10, "24.12.202_", true, false, 9}},
        {true, {"_4.12.2026", 1, 1, "_4.12.2026", false, false, 0}},
        {true, {"24.12.2026", 1, 7, "2_.__._026", true, false, 1}},
        {true, {"24.12.2026", 42, -3, "__.__.____", true, false, 0}},
        {false, {"24.12.2026", 0, 0, "_4.12.2026", true, false, 0}},
        {false, {"24.12.2026", 2, 2, "24._2.2026", true, false, 3}},
        {false, {"24.12.2026", 10, 10, "24.12.2026", false, false, 10}},
        {false, {"24.12.2026", 4, 6, "24.1_.2026", true, false, 4}},
        {false, {"24.12.2026", 10, 6, "24.12.____", true, false, 6}},
        {false, {"24.12.2026", 5, 5, "24.12._026", true, false, 6}},
        {false, {"24.12.____", 5, 10, "24.12.____", false, false, 6}},
        {true, {u8"24·12·2026", 3, 3, u8"2_·12·2026", true, false, 1}},
        {false, {u8"24ㆍ12ㆍ2026", 4, 6, u8"24ㆍ1_ㆍ2026", true, false, 4}},
    };
    for (const auto& c : cases) {
        TDateMask mask = Field(c.edit.before);
        const TMaskResult r = c.backspace ? mask.Backspace(c.edit.selStart, c.edit.selEnd)
                                          : mask.Delete(c.edit.selStart, c.edit.selEnd);
        Expect(c.edit, mask, r, c.backspace ? "backspace" : "delete");
    }
}

TEST(DateMask, Paste) {
    struct {
        const char* text;
        Edit edit;
    } const cases[] = {
        {"24.12.2026", {"__.__.____", 0, 0, "24.12.2026", true, false, 10}},
        {"24122026", {"__.__.____", 0, 0, "24.12.2026", true, false, 10}},
        {"1.2.2026", {"__.__.____", 0, 0, "1_.2_.2026", true, false, 10}},
        {"2026", {"__.__.____", 6, 6, "__.__.2026", true, false, 10}},
        {"..2026", {"__.__.____", 0, 0, "__.__.2026", true, false, 10}},
        {"24.12.2026\r\n", {"__.__.____", 0, 0, "24.12.2026", true, true, 10}},
        {"24.12.20261", {"__.__.____", 0, 0, "24.12.2026", true, true, 10}}, // no room
        {"24/12/2026", {"__.__.____", 0, 0, "24.12.2026", true, true, 10}},
        {"ab", {"24.12.2026", 0, 0, "24.12.2026", false, true, 0}},
        {"3", {"24.12.2026", 0, 10, "3_.__.____", true, false, 1}},
        {"", {"24.12.2026", 3, 5, "24.__.2026", true, false, 3}},
        {"", {"24.12.2026", 4, 4, "24.12.2026", false, false, 4}},
        {u8"24·12·2026", {u8"__·__·____", 0, 0, u8"24·12·2026", true, false, 10}},
        {"24.12.2026", {u8"__·__·____", 0, 0, u8"24·12·2026", true, true, 10}},
        {u8"2😀4", {"__.__.____", 0, 0, "24.__.____", true, true, 3}},
        {u8"2ä·4", {u8"__·__·____", 0, 0, u8"2_·4_·____", true, true, 4}},
        {"\xC2"
         "24",
         {"__.__.____", 0, 0, "24.__.____", true, true, 3}}, // the byte cut short only
        {"\xB7"
         "1",
         {u8"__·__·____", 0, 0, u8"1_·__·____", true, true, 1}}, // not UTF-8 for ·
    };
    for (const auto& c : cases) {
        TDateMask mask = Field(c.edit.before);
        const TMaskResult r = mask.Paste(c.text, c.edit.selStart, c.edit.selEnd);
        Expect(c.edit, mask, r, std::string("paste ") + c.text);
    }
}

TEST(DateMask, TextRightAlignsEachGroup) {
    struct {
        const char *display, *text;
    } const cases[] = {
        {"__.__.____", "  .  .    "},     {"1_.__.____", " 1.  .    "},
        {"_1.__.____", " 1.  .    "},     {"24.12.20__", "24.12.  20"},
        {"2_._1.2_2_", " 2. 1.  22"},     {"24.12.2026", "24.12.2026"},
        {u8"2_·_1·2_2_", u8" 2· 1·  22"}, {u8"__ㆍ__ㆍ__26", u8"  ㆍ  ㆍ  26"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Field(c.display).Text(), c.text) << c.display;
}

TEST(DateMask, SetTextFitsEachPart) {
    struct {
        const char *text, *display;
    } const cases[] = {
        {"1.2.2026", "_1._2.2026"},
        {"1.12.26", "_1.12.__26"},
        {"123.4567.20261", "23.67.0261"},
        {"", "__.__.____"},
        {"24.12", "24.12.____"},
        {"..2026", "__.__.2026"},
        {"24.12.2026.31", "24.12.2026"},
        {" 1. 2.  26", "_1._2.__26"},
        {"a1.x.20z6", "_1.__.20_6"},
        {"24/12/2026", "26.__.____"}, // not the separator: one part
        {u8"1·2·2026", u8"_1·_2·2026"},
        {u8"1.2·2026", u8"_2·26·____"},
        {u8"1ä·2😀·2026", u8"1_·__·2026"}, // characters counted in UTF-16 units
        {"1\xC2\xC2\xB7"
         "2",
         u8"1_·_2·____"}, // a lone lead byte does not swallow the separator's
    };
    for (const auto& c : cases) {
        TDateMask mask(FromUtf16(ToUtf16(c.display).substr(2, 1)));
        mask.SetText(c.text);
        EXPECT_EQ(mask.DisplayText(), c.display) << c.text;
    }
}

TEST(DateMask, SeparatorNeverADigitOrBlank) {
    TDateMask mask;
    EXPECT_EQ(mask.Separator(), "/");
    const std::string_view bad[] = {
        "0",    "7", "_", " ", std::string_view("\0", 1), "",
        u8"😀",  // two units of the edit control
        "\xB7", // no UTF-8
    };
    for (std::string_view separator : bad) {
        mask.SetSeparator(separator);
        EXPECT_EQ(mask.Separator(), "/") << separator;
        EXPECT_EQ(TDateMask(separator).Separator(), "/") << separator;
    }
    mask.SetText("1/2/2026");
    mask.SetSeparator("-");
    EXPECT_EQ(mask.DisplayText(), "_1-_2-2026");
    EXPECT_EQ(mask.Text(), " 1- 2-2026");
    mask.SetSeparator(u8"ㆍ·"); // the first character only
    EXPECT_EQ(mask.Separator(), u8"ㆍ");
    EXPECT_EQ(mask.At(2), char32_t{0x318D});
    EXPECT_EQ(mask.DisplayText(), u8"_1ㆍ_2ㆍ2026");
    EXPECT_EQ(mask.Text(), u8" 1ㆍ 2ㆍ2026");
    mask.SetSeparator("\xB7");
    EXPECT_EQ(mask.Separator(), u8"ㆍ");
}

TEST(DateMask, NormalizeCaret) {
    const int forward[] = {0, 0, 0, 1, 3, 3, 4, 6, 6, 7, 10, 10};
    const int backward[] = {0, 0, 0, 1, 1, 3, 4, 4, 6, 7, 10, 10};
    const int carets[] = {-7, -1, 0, 1, 2, 3, 4, 5, 6, 7, 10, 11};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(TDateMask::NormalizeCaret(carets[i], true), forward[i]) << carets[i];
        EXPECT_EQ(TDateMask::NormalizeCaret(carets[i], false), backward[i]) << carets[i];
    }
}

TEST(DateMask, OnlyTheYearIsRequired) {
    EXPECT_EQ(Field("24.12.2026").FirstMissingRequired(), -1);
    EXPECT_EQ(Field("__.__.2026").FirstMissingRequired(), -1);
    EXPECT_EQ(Field("24.12.20_6").FirstMissingRequired(), 8);
    EXPECT_EQ(Field("24.12.____").FirstMissingRequired(), 6);
}

// --- What the parser reads from the field, German locale ---

class DateMaskParse : public ::testing::Test {
  protected:
    void SetUp() override { SetDateFormatSettings("dd.MM.yyyy", "."); }
    void TearDown() override { SetDateFormatSettings("m/d/yy", "/"); }
    static constexpr TDateTime Fallback = -12345;
};

TEST_F(DateMaskParse, TypedDates) {
    struct {
        const char* keys;
        TDateTime expected;
    } const cases[] = {
        {"24122026", EncodeDate(2026, 12, 24)},
        {"1.2.2026", EncodeDate(2026, 2, 1)},
        {"0.3.2026", Fallback}, // day 0
        {"2412.2026", EncodeDate(2026, 12, 24)},
        {"241220", EncodeDate(2020, 12, 24)}, // the year still being typed
        {"..2026", Fallback},                 // day and month empty
        {"2412", Fallback},                   // no year
    };
    for (const auto& c : cases) {
        TDateMask mask(".");
        int caret = 0;
        for (const char* k = c.keys; *k; ++k)
            caret = mask.TypeChar(*k, caret, caret).caret;
        EXPECT_EQ(ParseShortDate(mask.Text(), Fallback), c.expected) << c.keys;
    }
    // A single-digit day in either position of its group.
    EXPECT_EQ(ParseShortDate(Field("1_._2.2026").Text(), Fallback), EncodeDate(2026, 2, 1));
    EXPECT_EQ(ParseShortDate(Field("_1.2_.2026").Text(), Fallback), EncodeDate(2026, 2, 1));
}

TEST_F(DateMaskParse, FormattedDatesComeBack) {
    const struct {
        const char *pattern, *separator;
    } patterns[] = {{"dd.MM.yyyy", "."},
                    {"d.M.yyyy", "."},
                    {"d.M.yy", "."},
                    {"dd/MM/yyyy", u8"·"},
                    {"d/M/yy", u8"ㆍ"}};
    for (const auto [pattern, separator] : patterns) {
        SetDateFormatSettings(pattern, separator);
        for (TDateTime d = EncodeDate(1990, 1, 1); d < EncodeDate(2060, 1, 1); d += 37) {
            TDateMask mask(separator);
            mask.SetText(FormatShortDate(d));
            ASSERT_EQ(ParseShortDate(mask.Text(), Fallback), d) << pattern << " " << mask.Text();
        }
    }
}

// --- Random edit sequences: the fuzz body aborts on a broken rule ---

TEST(DateMaskFuzz, SeededInputs) {
    std::mt19937 random(20261224);
    std::vector<std::uint8_t> bytes;
    for (int run = 0; run < 4000; ++run) {
        bytes.resize(random() % 200);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        const std::uint8_t usual[] = {'.', '/', 0x80}; // 0x80 picks one beyond ASCII
        if (run % 2 == 0 && !bytes.empty())
            bytes[0] = usual[run / 2 % 3];
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
}

} // namespace
