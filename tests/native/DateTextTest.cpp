// EncodeDate/DecodeDate, FormatShortDate and ParseShortDate.
#include "core/uConst.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const TDateTime Fallback = -12345; // a date no test text names

int CurrentYear() {
    int year, month, day;
    DecodeDate(Today(), year, month, day);
    return year;
}

// The year ending in yy inside [current - 50, current + 50).
int WindowYear(int yy) {
    const int first = CurrentYear() - 50;
    return first + ((yy - first) % 100 + 100) % 100;
}

class DateText : public ::testing::Test {
  protected:
    void TearDown() override { SetDateFormatSettings("m/d/yy", "/"); }
    static void German() { SetDateFormatSettings("dd.MM.yyyy", "."); }
};

// --- EncodeDate / DecodeDate ---

TEST(EncodeDate, Anchors) {
    struct {
        int year, month, day;
        TDateTime value;
    } const anchors[] = {
        {1899, 12, 30, 0},   {1899, 12, 29, -1}, {1900, 3, 1, 61},        {2000, 2, 29, 36585},
        {2010, 1, 1, 40179}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto& a : anchors) {
        EXPECT_EQ(EncodeDate(a.year, a.month, a.day), a.value) << a.year << "-" << a.month;
        int year, month, day;
        DecodeDate(a.value, year, month, day);
        EXPECT_EQ(year, a.year);
        EXPECT_EQ(month, a.month);
        EXPECT_EQ(day, a.day);
    }
}

TEST(EncodeDate, DecodeIsTheInverseOnEveryDay) {
    for (TDateTime d = EncodeDate(1, 1, 1); d <= EncodeDate(9999, 12, 31); d += 1) {
        int year, month, day;
        DecodeDate(d, year, month, day);
        ASSERT_EQ(EncodeDate(year, month, day), d);
    }
}

// Found by fuzzing: such values overflowed the conversion to whole days.
TEST_F(DateText, ValuesOutsideTheYearsOneTo9999DecodeAsZeros) {
    const TDateTime outside[] = {EncodeDate(1, 1, 1) - 1,
                                 EncodeDate(9999, 12, 31) + 1,
                                 1e300,
                                 -1e20,
                                 std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN()};
    for (TDateTime value : outside) {
        int year = -1, month = -1, day = -1;
        DecodeDate(value, year, month, day);
        EXPECT_EQ(year, 0) << value;
        EXPECT_EQ(month, 0) << value;
        EXPECT_EQ(day, 0) << value;
    }
    German();
    EXPECT_EQ(FormatShortDate(std::numeric_limits<double>::quiet_NaN()), "00.00.0000");
}

TEST(Today, IsAWholeDayOfThisCentury) {
    const TDateTime today = Today();
    EXPECT_EQ(today, static_cast<long long>(today));
    EXPECT_GE(today, EncodeDate(2024, 1, 1));
}

// --- FormatShortDate ---

TEST_F(DateText, FormatsByThePattern) {
    struct {
        const char* pattern;
        const char* separator;
        int year, month, day;
        const char* expected;
    } const cases[] = {
        {"dd.MM.yyyy", ".", 2010, 1, 1, "01.01.2010"},
        {"DD.mm.YYYY", ".", 2010, 1, 1, "01.01.2010"},
        {"d.M.yy", ".", 2010, 1, 1, "1.1.10"},
        {"d.M.y", ".", 2026, 12, 24, "24.12.26"},
        {"m/d/yy", "/", 2010, 1, 1, "1/1/10"},
        {"dd/mm/yyyy", "-", 2009, 3, 7, "07-03-2009"},
        {"yyyy-MM-dd", "-", 5, 6, 7, "0005-06-07"},
        {"yyy ddd mmmm", ".", 2010, 1, 2, "2010 02 01"},
        {"'Tag' d \"im Monat\" M", ".", 2010, 3, 4, "Tag 4 im Monat 3"},
        {"d 'und /d", ".", 2010, 3, 4, "4 und /d"},
        {"''d", ".", 2010, 3, 4, "4"},
        // The separator's first character, where the date field can show it.
        {"dd/MM/yyyy", u8"·", 2010, 1, 2, u8"02·01·2010"},
        {"yyyy/MM/dd", u8"ㆍ", 2010, 1, 2, u8"2010ㆍ01ㆍ02"},
        {"d/M/yyyy", u8"·-", 2010, 1, 2, u8"2·1·2010"},
        {"d/M/yyyy", u8"😀", 2010, 1, 2, "2/1/2010"},
        {"d/M/yyyy", "\xB7", 2010, 1, 2, "2/1/2010"},
    };
    for (const auto& c : cases) {
        SetDateFormatSettings(c.pattern, c.separator);
        EXPECT_EQ(FormatShortDate(EncodeDate(c.year, c.month, c.day)), c.expected) << c.pattern;
    }
}

TEST_F(DateText, DefaultsUntilSet) {
    EXPECT_EQ(FormatShortDate(40179), "1/1/10");
    SetDateFormatSettings("dd.MM.yyyy", ".");
    SetDateFormatSettings("", ""); // the system supplied nothing
    EXPECT_EQ(FormatShortDate(40179), "1/1/10");
}

// --- Round trips ---

struct Pattern {
    const char* format;
    const char* separator;
    bool twoDigitYear;
};
void PrintTo(const Pattern& p, std::ostream* os) {
    *os << p.format;
}

class RoundTrip : public DateText, public ::testing::WithParamInterface<Pattern> {};

TEST_P(RoundTrip, ParseReadsWhatFormatWrites) {
    const Pattern p = GetParam();
    SetDateFormatSettings(p.format, p.separator);
    const int year = CurrentYear();
    const TDateTime first = p.twoDigitYear ? EncodeDate(year - 50, 1, 1) : EncodeDate(1, 1, 1);
    const TDateTime last =
        p.twoDigitYear ? EncodeDate(year + 49, 12, 31) : EncodeDate(9999, 12, 31);
    for (TDateTime d = first; d <= last; d += 29) // every weekday and day of the month
        ASSERT_EQ(ParseShortDate(FormatShortDate(d), Fallback), d) << FormatShortDate(d);
    EXPECT_EQ(ParseShortDate(FormatShortDate(last), Fallback), last);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, RoundTrip,
    ::testing::Values(Pattern{"dd.MM.yyyy", ".", false}, Pattern{"M/d/yyyy", "/", false},
                      Pattern{"yyyy-MM-dd", "-", false}, Pattern{"d.M.yy", ".", true},
                      Pattern{"dd'.'MM/yyyy' '", ".", false}, Pattern{"dd/MM/yyyy", u8"·", false},
                      Pattern{"yy/M/d", u8"ㆍ", true}));

// --- ParseShortDate edge cases, German locale ---

TEST_F(DateText, ParsesGermanDates) {
    German();
    const int year = CurrentYear();
    struct {
        const char* text;
        int year, month, day;
    } const cases[] = {
        {"01.01.2010", 2010, 1, 1},
        {"7 .12.2026", 2026, 12, 7},
        {"  7 . 12 .  2026", 2026, 12, 7},
        {"07.12.2026.", 2026, 12, 7},
        {"07.12.2026 .  ", 2026, 12, 7},
        {"07.12.2026   ", 2026, 12, 7},
        {"29.02.2000", 2000, 2, 29},
        {"29.2.2024", 2024, 2, 29},
        {"31.12.9999", 9999, 12, 31},
        {"1.1.0001", 1, 1, 1},
        {"1.1.001", 1, 1, 1},    // three digits: taken unchanged
        {"1.1.00002", 2, 1, 1},  // leading zeros keep the value below 1000
        {"24.12", year, 12, 24}, // two numbers: this year
        {"24 . 12  ", year, 12, 24},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseShortDate(c.text, Fallback), EncodeDate(c.year, c.month, c.day)) << c.text;
}

TEST_F(DateText, TwoDigitYearsFollowTheCurrentYear) {
    German();
    const int year = CurrentYear();
    EXPECT_EQ(ParseShortDate("07.12.20  ", Fallback), EncodeDate(WindowYear(20), 12, 7));
    EXPECT_EQ(ParseShortDate("1.1.0", Fallback), EncodeDate(WindowYear(0), 1, 1));
    for (int y : {year - 50, year - 1, year, year + 49}) {
        const std::string yy = std::to_string(y % 100 / 10) + std::to_string(y % 10);
        EXPECT_EQ(ParseShortDate("1.1." + yy, Fallback), EncodeDate(y, 1, 1)) << yy;
        EXPECT_EQ(ParseShortDate("1.1." + std::to_string(y % 100), Fallback), EncodeDate(y, 1, 1));
    }
}

TEST_F(DateText, RejectsWhatIsNoDate) {
    German();
    for (const char* text : {
             "",
             "   ",
             ".",
             ". . .",
             " . . . ", // nothing but blanks and separators
             "24/12/2026",
             "24-12-2026", // another separator
             "31.02.2026",
             "29.02.2023",
             "29.02.1900",
             "31.04.2026",
             "0.1.2010",
             "1.0.2010",
             "1.13.2010",
             "1.1.0000", // impossible dates
             "01.01.20101",
             "01.01.2010 1", // a fifth digit, something after
             "O1.01.2010",
             "1.Jan.2010",
             "01.01.2010x",
             "01.01.2010 Uhr",
             "01.01.2010 12:00",
             "01.01.2010 12.00", // a time
             "24.12.",
             "24..12",
             ".24.12",
             "24.12.2010..",
             "24",
             "\t01.01.2010",
             "-1.01.2010",
             "+1.01.2010",
         })
        EXPECT_EQ(ParseShortDate(text, Fallback), Fallback) << "[" << text << "]";
}

TEST_F(DateText, FieldOrderFromThePattern) {
    const int year = CurrentYear();
    SetDateFormatSettings("M/d/yyyy", "/");
    EXPECT_EQ(ParseShortDate("12/24/2026", Fallback), EncodeDate(2026, 12, 24));
    EXPECT_EQ(ParseShortDate("12/24", Fallback), EncodeDate(year, 12, 24));
    EXPECT_EQ(ParseShortDate("24/12/2026", Fallback), Fallback);
    SetDateFormatSettings("yyyy-MM-dd", "-");
    EXPECT_EQ(ParseShortDate("2026-12-24", Fallback), EncodeDate(2026, 12, 24));
    EXPECT_EQ(ParseShortDate("12-24", Fallback), EncodeDate(year, 12, 24)); // month first
    EXPECT_EQ(ParseShortDate("20-12-24", Fallback), EncodeDate(WindowYear(20), 12, 24));
    SetDateFormatSettings("'Datum' ddd", "."); // the first of D, M, Y decides
    EXPECT_EQ(ParseShortDate("24.12.2026", Fallback), EncodeDate(2026, 12, 24));
    SetDateFormatSettings("--", "-"); // none of them: month first
    EXPECT_EQ(ParseShortDate("12-24-2026", Fallback), EncodeDate(2026, 12, 24));
}

TEST_F(DateText, ASeparatorBeyondAsciiIsReadAsItsBytes) {
    SetDateFormatSettings("dd/MM/yyyy", u8"·");
    EXPECT_EQ(DateSeparator(), u8"·");
    const int year = CurrentYear();
    struct {
        const char* text;
        TDateTime expected;
    } const cases[] = {
        {u8"24·12·2026", EncodeDate(2026, 12, 24)},
        {u8" 24 · 12 ·  2026 · ", EncodeDate(2026, 12, 24)},
        {u8"24·12", EncodeDate(year, 12, 24)},
        {"24.12.2026", Fallback},
        {"24\xB7"
         "12\xB7"
         "2026",
         Fallback}, // the character in Windows-1252
        {"24\xC2"
         "12\xC2"
         "2026",
         Fallback}, // its first byte only
        {u8"24·12·2026\xC2", Fallback},
        {u8"24ㆍ12ㆍ2026", Fallback},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseShortDate(c.text, Fallback), c.expected) << c.text;
}

} // namespace
