// Loading and saving the settings record through the registry store.

#include "core/uConst.h"
#include "core/uRegistry.h"
#include "framework/WideText.h"

#include <windows.h>

namespace {

const std::string Section; // every value lives directly in the program's key

TFontStyles StyleOf(bool bold, bool italic) {
    return (bold ? TFontStyles(fsBold) : 0) | (italic ? TFontStyles(fsItalic) : 0);
}

// The nine values in their order: the record's directly, the font's into font.
void ReadSettings(TFont& font) {
    const TDateTime fallback = Today();
    EndDate = ParseShortDate(RegReadString(Section, "ende", "01.01.2010"), fallback);
    TextTemplate = RegReadString(Section, "text", "Noch %days% Tage bis zum %date%");
    font.SetName(RegReadString(Section, "fontname", "Arial"));
    font.SetSize(RegReadInteger(Section, "fontsize", 32));
    font.SetColor(RegReadInteger(Section, "fontcolor", clWhite));
    BackgroundColor = RegReadInteger(Section, "backgroundcolor", clNavy);
    WorkWeek = RegReadBool(Section, "workweek", false);
    StartDate = Today();
    const bool bold = RegReadBool(Section, "fontbold", false);
    const bool italic = RegReadBool(Section, "fontitalic", false);
    font.SetStyle(StyleOf(bold, italic));
}

// One of the user's locale settings, or the German one where the system
// gives none: the program speaks German, and its stored date is German too.
std::string LocaleText(LCTYPE item, const char* german) {
    wchar_t text[80] = L""; // the longest a short date format may be
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, text, 80);
    return length > 1 ? Narrow(text, static_cast<std::size_t>(length) - 1) : std::string(german);
}

} // namespace

// The window's font changes once, not at each of its values: every change
// makes the label measure itself in a font it may never show.
void LoadSettings() {
    TFont font;
    font.Assign(*DisplayFont);
    try {
        ReadSettings(font);
    } catch (...) {
        DisplayFont->Assign(font); // the values read before the damaged one still count
        throw;
    }
    DisplayFont->Assign(font);
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
    SetDateFormatSettings(LocaleText(LOCALE_SSHORTDATE, "dd.MM.yyyy"),
                          LocaleText(LOCALE_SDATE, "."));
}
