// CountDays, BuildDetailLine and ExpandText.
#include "core/uConst.h"
#include "framework/Errors.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const TDateTime Jan1st2010 = 40179;

// --- CountDays ---

struct WorkDayCase {
    int days;
    int workDays;
};
void PrintTo(const WorkDayCase& c, std::ostream* os) {
    *os << c.days << " days";
}

class CountDaysTable : public ::testing::TestWithParam<WorkDayCase> {};

TEST_P(CountDaysTable, CountsEitherWayRound) {
    const WorkDayCase c = GetParam();
    const TDateTime later = Jan1st2010 + c.days;
    EXPECT_EQ(CountDays(false, Jan1st2010, later), c.days);
    EXPECT_EQ(CountDays(false, later, Jan1st2010), c.days);
    EXPECT_EQ(CountDays(true, Jan1st2010, later), c.workDays);
    EXPECT_EQ(CountDays(true, later, Jan1st2010), c.workDays);
}

INSTANTIATE_TEST_SUITE_P(Documented, CountDaysTable,
                         ::testing::Values(WorkDayCase{0, 0}, WorkDayCase{6, 6}, WorkDayCase{7, 5},
                                           WorkDayCase{10, 8}, WorkDayCase{14, 10},
                                           WorkDayCase{365, 261}));

TEST(CountDays, EqualDatesGiveZero) {
    EXPECT_EQ(CountDays(false, Jan1st2010, Jan1st2010), 0);
    EXPECT_EQ(CountDays(true, 0, 0), 0);
}

TEST(CountDays, WeekdaysOfTheDatesPlayNoPart) {
    for (int start = 0; start < 7; ++start)
        EXPECT_EQ(CountDays(true, Jan1st2010 + start, Jan1st2010 + start + 13), 13 - 2);
}

TEST(CountDays, RoundsHalfToEven) {
    EXPECT_EQ(CountDays(false, 10.0, 10.5), 0);
    EXPECT_EQ(CountDays(false, 10.0, 11.5), 2);
    EXPECT_EQ(CountDays(false, 10.0, 12.5), 2);
    EXPECT_EQ(CountDays(false, 12.5, 10.0), 2);
    EXPECT_EQ(CountDays(false, 10.0, 10.4), 0);
    EXPECT_EQ(CountDays(false, 10.0, 10.6), 1);
}

TEST(CountDays, RangeErrorBeyond32Bits) {
    EXPECT_EQ(CountDays(false, 0, 2147483647.0), INT_MAX);
    EXPECT_EQ(CountDays(false, 0, 2147483647.4), INT_MAX);
    EXPECT_THROW(CountDays(false, 0, 2147483647.5), ERangeError); // ties to 2^31
    EXPECT_THROW(CountDays(true, 3e9, 0), ERangeError);
    try {
        CountDays(false, 0, 1e12);
        FAIL() << "no range error";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "Fehler bei Bereichsprüfung");
    }
}

// --- BuildDetailLine ---

struct DetailCase {
    int days;
    const char* line;
};
void PrintTo(const DetailCase& c, std::ostream* os) {
    *os << c.days << " days";
}

class DetailLineTable : public ::testing::TestWithParam<DetailCase> {};

TEST_P(DetailLineTable, BreaksDownTheCount) {
    EXPECT_EQ(BuildDetailLine(GetParam().days), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Documented, DetailLineTable,
    ::testing::Values(DetailCase{0, "Im Detail: 0 Jahre, 0 Monate, 0 Wochen, 0 Tage"},
                      DetailCase{1, "Im Detail: 0 Jahre, 0 Monate, 0 Wochen, 1 Tag"},
                      DetailCase{8, "Im Detail: 0 Jahre, 0 Monate, 1 Woche, 1 Tag"},
                      DetailCase{31, "Im Detail: 0 Jahre, 1 Monat, 0 Wochen, 0 Tage"},
                      DetailCase{365, "Im Detail: 1 Jahr, 0 Monate, 0 Wochen, 0 Tage"},
                      DetailCase{396, "Im Detail: 1 Jahr, 1 Monat, 0 Wochen, 0 Tage"},
                      DetailCase{400, "Im Detail: 1 Jahr, 1 Monat, 0 Wochen, 4 Tage"},
                      DetailCase{1000, "Im Detail: 2 Jahre, 8 Monate, 3 Wochen, 1 Tag"}));

// --- ExpandText ---

class ExpandTextTest : public ::testing::Test {
  protected:
    void SetUp() override { SetDateFormatSettings("dd.MM.yyyy", "."); }
    void TearDown() override { SetDateFormatSettings("m/d/yy", "/"); }
};

TEST_F(ExpandTextTest, DefaultTemplate) {
    EXPECT_EQ(ExpandText("Noch %days% Tage bis zum %date%", 123, Jan1st2010),
              "Noch 123 Tage bis zum 01.01.2010");
}

TEST_F(ExpandTextTest, Placeholders) {
    struct {
        const char* tmpl;
        const char* expected;
    } const cases[] = {
        {"", ""},
        {"Keine Platzhalter", "Keine Platzhalter"},
        {"%days% und %days%", "42 und 42"},
        {"%DAYS% bis %DATE%", "42 bis 01.01.2010"},
        {"%Days%/%dAtE%", "42/01.01.2010"},
        {"100 % sicher, 50% von %days%", "100 % sicher, 50% von 42"},
        {"%%days%%", "%42%"},
        {"%days%days%", "42days%"},
        {"%day% %dates %", "%day% %dates %"},
        {"Tage für äÄ: %days%", "Tage für äÄ: 42"},
        // Only ASCII letters are folded; every other byte stays as it is.
        {u8"ä%DAYS%ä", u8"ä42ä"},
        {u8"Łódź:%dAyS%ŁÓDŹ", u8"Łódź:42ŁÓDŹ"},
        {u8"Ημέρες %Date%·%days%", u8"Ημέρες 01.01.2010·42"},
        {u8"😀%days%😀 %dAtE%", u8"😀42😀 01.01.2010"},
        {"\xED\xA0\x80%days%\xED\xB0\x80", "\xED\xA0\x80"
                                           "42\xED\xB0\x80"},
        {"\xC3%days%\xA4", "\xC3"
                           "42\xA4"},           // bytes of no character, either side
        {u8"%dayſ% %DAYſ%", u8"%dayſ% %DAYſ%"}, // ſ upper-cases to S beyond ASCII
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandText(c.tmpl, 42, Jan1st2010), c.expected) << c.tmpl;
}

TEST_F(ExpandTextTest, TodayIsTakenAtTheCall) {
    const std::string before = FormatShortDate(Today());
    const std::string text = ExpandText("Heute: %TODAY%", 0, Jan1st2010);
    const std::string after = FormatShortDate(Today());
    EXPECT_TRUE(text == "Heute: " + before || text == "Heute: " + after) << text;
}

TEST_F(ExpandTextTest, InsertedTextIsNotSearchedAgain) {
    SetDateFormatSettings("'%date%'", "."); // every date writes as "%date%"
    EXPECT_EQ(ExpandText("[%date%]", 0, Jan1st2010), "[%date%]");
}

TEST_F(ExpandTextTest, ReplacementsRunInOrderOnThePreviousResult) {
    SetDateFormatSettings("'%today%'dd", "."); // %date% inserts a %today% that step 3 sees
    const std::string today = FormatShortDate(Today());
    EXPECT_EQ(ExpandText("%date%", 0, Jan1st2010), today + "01");
    SetDateFormatSettings("'%days%'", "."); // step 1 is over before %date% inserts this
    EXPECT_EQ(ExpandText("%date%", 7, Jan1st2010), "%days%");
}

} // namespace
