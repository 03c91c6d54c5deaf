#include "framework/Pickers.h"

#include "framework/Errors.h"
#include "framework/Library.h"

namespace {

// The common dialogs' library brings the shell's with it, which a run that
// never opens a dialog does without: both are loaded with the first dialog.
template <class Function> Function CommonDialog(const char* name) {
    static const HMODULE library = LoadLibraryW(L"comdlg32.dll");
    const auto function = LibraryFunction<Function>(library, name);
    if (!function)
        throw EOutOfResources(std::string("Dialog nicht verfügbar: ") + name);
    return function;
}

} // namespace

// --- TMonthCalendar ------------------------------------------------------

void TMonthCalendar::HandleCreated() {
    if (date_.wYear)
        SendMessageW(Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date_));
}

void TMonthCalendar::GetDate(int& year, int& month, int& day) const {
    SYSTEMTIME date = date_;
    if (HandleAllocated())
        SendMessageW(Handle(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
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
        !SendMessageW(Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date)))
        throw ECalendarError("Kalenderzeit oder -datum konnte nicht gesetzt werden");
    date_ = date;
}

// --- TFontDialog ---------------------------------------------------------

// The dialog measures at the screen's resolution, whatever the owner's, and
// reports the size it shows in points.
bool TFontDialog::Execute(HWND owner) {
    LOGFONTW font = LogFontOf(Font, ScreenDpi());
    CHOOSEFONTW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.lpLogFont = &font;
    choice.Flags = CF_EFFECTS | CF_FORCEFONTEXIST | CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    choice.rgbColors = ColorToRGB(Font.Color());
    static const auto chooseFont = CommonDialog<decltype(&ChooseFontW)>("ChooseFontW");
    if (!chooseFont(&choice))
        return false;
    AssignLogFont(Font, font, choice.iPointSize, static_cast<TColor>(choice.rgbColors));
    return true;
}

// --- TColorDialog --------------------------------------------------------

bool TColorDialog::Execute(HWND owner) {
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.rgbResult = ColorToRGB(Color);
    choice.lpCustColors = customColors_;
    choice.Flags = CC_RGBINIT;
    static const auto chooseColor = CommonDialog<decltype(&ChooseColorW)>("ChooseColorW");
    if (!chooseColor(&choice))
        return false;
    Color = static_cast<TColor>(choice.rgbResult);
    return true;
}
