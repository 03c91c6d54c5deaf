// Loading and saving the settings record through the registry store.

#include "core/uConst.h"
#include "core/uRegistry.h"

#include <windows.h>

namespace {

const std::string Section; // every value lives directly in the program's key

TFontStyles StyleOf(bool bold, bool italic) {
    return (bold ? TFontStyles(fsBold) : 0) | (italic ? TFontStyles(fsItalic) : 0);
}

} // namespace

void LoadSettings() {
    const TDateTime fallback = Today();
    EndDate = ParseShortDate(RegReadString(Section, "ende", "01.01.2010"), fallback);
    TextTemplate = RegReadString(Section, "text", "Noch %days% Tage bis zum %date%");
    DisplayFont->SetName(RegReadString(Section, "fontname", "Arial"));
    DisplayFont->SetSize(RegReadInteger(Section, "fontsize", 32));
    DisplayFont->SetColor(RegReadInteger(Section, "fontcolor", clWhite));
    BackgroundColor = RegReadInteger(Section, "backgroundcolor", clNavy);
    WorkWeek = RegReadBool(Section, "workweek", false);
    StartDate = Today();
    const bool bold = RegReadBool(Section, "fontbold", false);
    const bool italic = RegReadBool(Section, "fontitalic", false);
    DisplayFont->SetStyle(StyleOf(bold, italic));
}

void SaveSettings() {
    RegWriteString(Section, "ende", FormatShortDate(EndDate));
    RegWriteString(Section, "text", TextTemplate);
    RegWriteString(Section, "fontname", DisplayFont->Name());
    RegWriteInteger(Section, "fontsize", DisplayFont->Size());
    RegWriteInteger(Section, "fontcolor", DisplayFont->Color());
    RegWriteInteger(Section, "backgroundcolor", BackgroundColor);
    RegWriteBool(Section, "workweek", WorkWeek);
    RegWriteBool(Section, "fontbold", (DisplayFont->Style() & fsBold) != 0);
    RegWriteBool(Section, "fontitalic", (DisplayFont->Style() & fsItalic) != 0);
}

void LoadLocaleDateSettings() {
    char format[80] = "";
    char separator[4] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format, sizeof format);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, separator, sizeof separator);
    SetDateFormatSettings(format, separator[0]);
}
