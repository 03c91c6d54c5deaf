#pragma once
// The settings record, the day count and the texts built from it.

#include "framework/Graphics.h"

#include <string>
#include <string_view>

// Days since 30 December 1899; whole numbers here (dates without a time).
using TDateTime = double;

// --- The settings record -------------------------------------------------

extern TDateTime EndDate;   // the date counted to or from
extern TDateTime StartDate; // today, taken when the settings were loaded
extern std::string TextTemplate;
extern TFont* DisplayFont; // belongs to the window that uses the record
extern TColor BackgroundColor;
extern bool WorkWeek;

// Point DisplayFont at the calling window's font first.
void LoadSettings();
void SaveSettings();

// --- Counting and texts --------------------------------------------------

// Whole days between the dates, either way round; with workWeek two days
// off for every full seven. Raises ERangeError beyond 32 bits.
int CountDays(bool workWeek, TDateTime dateA, TDateTime dateB);

// Replaces %days%, %date% and %today% in any letter case; other text, UTF-8
// or not, is copied as it stands.
std::string ExpandText(const std::string& tmpl, int days, TDateTime endDate);

// "Im Detail: ..." with years of 365, months of 31 and weeks of 7 days.
std::string BuildDetailLine(int days);

// --- Dates as text, in the locale's short date format ----------------------

std::string FormatShortDate(TDateTime date);
// The date the text names, or fallback when it names none.
TDateTime ParseShortDate(const std::string& text, TDateTime fallback);
TDateTime Today();

TDateTime EncodeDate(int year, int month, int day);
void DecodeDate(TDateTime date, int& year, int& month, int& day);

// The locale's short date pattern (d, m, y letters, "/" for the separator,
// quoted text) and separator, its first character, in UTF-8. Until called:
// "m/d/yy" and "/"; "/" also for a separator without a character the date
// field can show (see TDateMask::SetSeparator), so that what the field
// writes is what the parser reads.
void SetDateFormatSettings(const std::string& shortDateFormat, std::string_view dateSeparator);
const std::string& DateSeparator();
// Windows only: SetDateFormatSettings with what the user's locale says.
void LoadLocaleDateSettings();
