#include "framework/Calendar.h"

#include "framework/Errors.h"

// --- TMonthCalendar ------------------------------------------------------

void TMonthCalendar::HandleCreated() {
    if (date_.wYear)
        SendMessageA(Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date_));
}

void TMonthCalendar::GetDate(int& year, int& month, int& day) const {
    SYSTEMTIME date = date_;
    if (HandleAllocated())
        SendMessageA(Handle(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
    year = date.wYear;
    month = date.wMonth;
    day = date.wDay;
}

// MCM_SETCURSEL only answers 0 when it refuses a date; the calendar then
// keeps the one it had.
void TMonthCalendar::SetDate(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    if (HandleAllocated() &&
        !SendMessageA(Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date)))
        throw ECalendarError("Kalenderzeit oder -datum konnte nicht gesetzt werden");
    date_ = date;
}

// --- TFontDialog ---------------------------------------------------------

bool TFontDialog::Execute(HWND owner) {
    LOGFONTA font = LogFontOf(Font);
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.lpLogFont = &font;
    choice.Flags = CF_EFFECTS | CF_FORCEFONTEXIST | CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    choice.rgbColors = ColorToRGB(Font.Color());
    if (!ChooseFontA(&choice))
        return false;
    AssignLogFont(Font, font, static_cast<TColor>(choice.rgbColors));
    return true;
}

// --- TColorDialog --------------------------------------------------------

bool TColorDialog::Execute(HWND owner) {
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.rgbResult = ColorToRGB(Color);
    choice.lpCustColors = customColors_;
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorA(&choice))
        return false;
    Color = static_cast<TColor>(choice.rgbResult);
    return true;
}
