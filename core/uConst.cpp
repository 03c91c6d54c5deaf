// The settings record, the day count and the texts built from it.
// LoadSettings and SaveSettings live in uSettings.cpp.

#include "core/uConst.h"

#include "framework/Errors.h"
#include "framework/WideText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>

// --- The settings record -------------------------------------------------

TDateTime EndDate = 0;
TDateTime StartDate = 0;
std::string TextTemplate;
TFont* DisplayFont = nullptr;
TColor BackgroundColor = clBlack;
bool WorkWeek = false;

namespace {

// The locale's short date settings (SetDateFormatSettings).
std::string shortDateFormat = "m/d/yy";
std::string dateSeparator = "/";

// 1 January 1970 as a date value.
constexpr long long UnixEpochDate = 25569;
// 1 January of the year 1 and 31 December 9999: the dates there are.
constexpr TDateTime FirstDate = -693593;
constexpr TDateTime LastDate = 2958465;

// Days from 1 January 1970 to the given proleptic Gregorian date.
long long DaysFromCivil(int year, int month, int day) {
    const long long y = month <= 2 ? year - 1 : year;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value (never negative here) as decimal, zero-padded to at least
// `width` digits.
std::string Padded(int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

// Where the ASCII placeholder first occurs in text from start on, in any
// letter case. Only ASCII letters are folded: every byte of a multi-byte
// UTF-8 character is above 0x7F and matches nothing of a placeholder.
std::size_t FindNoCase(const std::string& text, const std::string& placeholder, std::size_t start) {
    const auto hit =
        std::search(text.begin() + start, text.end(), placeholder.begin(), placeholder.end(),
                    [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
    return hit == text.end() ? std::string::npos : hit - text.begin();
}

// Every occurrence of `placeholder` in `text`, in any letter case, replaced
// by `value`; the search goes on after each inserted value.
std::string ReplaceAllNoCase(const std::string& text, const std::string& placeholder,
                             const std::string& value) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t hit; (hit = FindNoCase(text, placeholder, start)) != std::string::npos;
         start = hit + placeholder.size()) {
        result.append(text, start, hit - start);
        result += value;
    }
    result.append(text, start, std::string::npos);
    return result;
}

// "1 Jahr, " or "n Jahre, " and so on.
std::string Piece(int n, const char* one, const char* many) {
    return n == 1 ? std::string("1 ") + one : std::to_string(n) + " " + many;
}

// --- Reading date text ---

void SkipBlanks(const std::string& text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
}

// Blanks, then the date separator's bytes.
bool ScanSeparator(const std::string& text, std::size_t& pos) {
    SkipBlanks(text, pos);
    if (text.compare(pos, dateSeparator.size(), dateSeparator) == 0) {
        pos += dateSeparator.size();
        return true;
    }
    return false;
}

// Blanks, then digits while the value so far is below 1000.
bool ScanNumber(const std::string& text, std::size_t& pos, int& value, int& digits) {
    SkipBlanks(text, pos);
    value = 0;
    digits = 0;
    while (pos < text.size() && IsDigit(text[pos]) && value < 1000) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

enum DateOrder { MDY, DMY, YMD };

// Decided by the first of the letters D, M and Y in the short date format.
DateOrder ShortDateOrder() {
    for (char c : shortDateFormat) {
        switch (LowerAscii(c)) {
        case 'd':
            return DMY;
        case 'y':
            return YMD;
        case 'm':
            return MDY;
        default:
            break;
        }
    }
    return MDY;
}

// A one- or two-digit year put into the hundred years that begin 50 years
// before the current one.
int WindowedYear(int year, int currentYear) {
    const int centuryBase = currentYear - 50;
    year += centuryBase / 100 * 100;
    if (year < centuryBase)
        year += 100;
    return year;
}

} // namespace

// --- Counting and texts --------------------------------------------------

int CountDays(bool workWeek, TDateTime dateA, TDateTime dateB) {
    const double n = std::nearbyint(dateA > dateB ? dateA - dateB : dateB - dateA);
    if (!(n >= INT32_MIN && n <= INT32_MAX))
        throw ERangeError("Fehler bei Bereichsprüfung");
    const int days = static_cast<int>(n);
    return workWeek ? days - 2 * (days / 7) : days;
}

std::string ExpandText(const std::string& tmpl, int days, TDateTime endDate) {
    std::string text = ReplaceAllNoCase(tmpl, "%days%", std::to_string(days));
    text = ReplaceAllNoCase(text, "%date%", FormatShortDate(endDate));
    return ReplaceAllNoCase(text, "%today%", FormatShortDate(Today()));
}

std::string BuildDetailLine(int days) {
    const int years = days / 365;
    const int rest1 = days - 365 * years;
    const int months = rest1 / 31;
    const int rest2 = rest1 - 31 * months;
    const int weeks = rest2 / 7;
    const int rest3 = rest2 - 7 * weeks;
    return "Im Detail: " + Piece(years, "Jahr, ", "Jahre, ") +
           Piece(months, "Monat, ", "Monate, ") + Piece(weeks, "Woche, ", "Wochen, ") +
           Piece(rest3, "Tag", "Tage");
}

// --- Dates as text -------------------------------------------------------

std::string FormatShortDate(TDateTime date) {
    int year, month, day;
    DecodeDate(date, year, month, day);
    const std::string& f = shortDateFormat;
    std::string out;
    std::size_t i = 0;
    while (i < f.size()) {
        const char c = f[i];
        if (c == '\'' || c == '"') { // quoted text, up to the closing quote or the end
            std::size_t end = f.find(c, i + 1);
            if (end == std::string::npos)
                end = f.size();
            out.append(f, i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (c == '/') {
            out += dateSeparator;
            ++i;
            continue;
        }
        const char letter = LowerAscii(c);
        if (letter != 'd' && letter != 'm' && letter != 'y') {
            out += c;
            ++i;
            continue;
        }
        std::size_t run = 0; // a run of one letter is one field
        while (i < f.size() && LowerAscii(f[i]) == letter) {
            ++run;
            ++i;
        }
        if (letter == 'd')
            out += Padded(day, run >= 2 ? 2 : 1);
        else if (letter == 'm')
            out += Padded(month, run >= 2 ? 2 : 1);
        else if (run <= 2)
            out += Padded(year % 100, 2);
        else
            out += Padded(year, 4);
    }
    return out;
}

TDateTime ParseShortDate(const std::string& text, TDateTime fallback) {
    std::size_t pos = 0;
    int n1, n2, n3, digits1, digits2, digits3;
    if (!(ScanNumber(text, pos, n1, digits1) && ScanSeparator(text, pos) &&
          ScanNumber(text, pos, n2, digits2)))
        return fallback;

    int currentYear, currentMonth, currentDay;
    DecodeDate(Today(), currentYear, currentMonth, currentDay);

    const DateOrder order = ShortDateOrder();
    int year, month, day;
    if (ScanSeparator(text, pos)) {
        if (!ScanNumber(text, pos, n3, digits3))
            return fallback;
        int yearDigits;
        if (order == YMD) {
            year = n1;
            yearDigits = digits1;
            month = n2;
            day = n3;
        } else {
            year = n3;
            yearDigits = digits3;
            month = order == DMY ? n2 : n1;
            day = order == DMY ? n1 : n2;
        }
        if (yearDigits <= 2)
            year = WindowedYear(year, currentYear);
    } else {
        year = currentYear;
        month = order == DMY ? n2 : n1;
        day = order == DMY ? n1 : n2;
    }

    ScanSeparator(text, pos);
    SkipBlanks(text, pos);
    if (pos != text.size())
        return fallback;

    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return fallback;
    return EncodeDate(year, month, day);
}

TDateTime Today() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

TDateTime EncodeDate(int year, int month, int day) {
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) + UnixEpochDate);
}

// The inverse of DaysFromCivil (H. Hinnant's civil_from_days). A value
// outside the years 1 to 9999, or none at all, has no date: all zeros.
void DecodeDate(TDateTime date, int& year, int& month, int& day) {
    if (!(date >= FirstDate && date < LastDate + 1)) {
        year = month = day = 0;
        return;
    }
    const long long z = static_cast<long long>(std::trunc(date)) - UnixEpochDate + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

void SetDateFormatSettings(const std::string& format, std::string_view separator) {
    shortDateFormat = format.empty() ? "m/d/yy" : format;
    const char16_t unit = FirstBmpCharacter(separator);
    dateSeparator = unit == 0 ? "/" : FromUtf16(std::u16string_view(&unit, 1));
}

const std::string& DateSeparator() {
    return dateSeparator;
}
