#include "forms/ufrmSettings.h"

#include "core/uConst.h"
#include "forms/ufrmAbout.h"
#include "framework/Design.h"

TfrmSettings* frmSettings = nullptr;

const char* const GiftsPage = "https://www.example.com/geschenke.html";

namespace {

using F = TfrmSettings;

const TFontDesign FormFont{"MS Sans Serif", -11, 0, clWindowText};
const TFontDesign LabelFont{"Arial", -16, fsBold, clWindowText};
const TFontDesign InputFont{"Arial", -16, fsBold | fsItalic, clPurple};
const TFontDesign CheckBoxFont{"MS Sans Serif", -16, fsBold, clWindowText};
const TFontDesign PreviewFont{"Arial", -37, fsBold, clWhite};
const TFontDesign BoxFont{"Arial", -13, fsBold, clWindowText};
const TFontDesign CloseBoxFont{"Microsoft Sans Serif", -11, 0, clWindowText};
constexpr TAnchors LeftBottom = akLeft | akBottom;
constexpr TAnchors RightBottom = akRight | akBottom;
constexpr TAnchors AllSides = akLeft | akTop | akRight | akBottom;

void ApplySettingsDesign(TfrmSettings& form) {
    // clang-format off
    ApplyDesign(form,
        TFormDesign<F>{"Quorbel konfigurieren", {394, 357}, FormFont}
            .Border(TBorderStyle::Single, biSystemMenu).Position(TPosition::ScreenCenter)
            .Color(clBtnFace).ActiveControl(&F::btnOk).OnCreate(&F::FormCreate)
            .Stacking({&F::btnCancel, &F::btnOk, &F::btnInfo, &F::btnGeschenke, &F::cbxWorkDays, &F::edtText,
                       &F::btnChangeFont, &F::edtDate, &F::btnChangeColor, &F::gbxCalender, &F::btnCalender}),
        //  member                parent           position    size        caption                                 font          tab
        Row{&F::labDate,          OnForm,          {8, 16},    {56, 19},   "Datum:",                               LabelFont,    NoTabStop}.LabelFor(&F::edtDate),
        Row{&F::edtDate,          OnForm,          {144, 12},  {137, 26},  "",                                     InputFont,    0}.MaxLength(10).OnChange(&F::edtDateChange),
        Row{&F::btnCalender,      OnForm,          {280, 12},  {26, 26},   "",                                     ParentFont,   1}.Glyph("BTNCALENDER").AccessibleName("Kalender öffnen").OnClick(&F::btnCalenderClick),
        Row{&F::labWorkDays,      OnForm,          {8, 46},    {125, 19},  "Nur Arbeitstage:",                     LabelFont,    NoTabStop}.LabelFor(&F::cbxWorkDays),
        Row{&F::cbxWorkDays,      OnForm,          {144, 43},  {20, 25},   "",                                     CheckBoxFont, 2}.OnClick(&F::cbxWorkDaysClick),
        Row{&F::labText,          OnForm,          {8, 76},    {39, 19},   "Text:",                                LabelFont,    NoTabStop}.LabelFor(&F::edtText),
        Row{&F::edtText,          OnForm,          {144, 72},  {241, 26},  "",                                     InputFont,    3}.OnKeyUp(&F::edtTextKeyUp),
        Row{&F::labInfoLineDays,  OnForm,          {144, 104}, {173, 13},  "%days% Gibt die Anzahl der Tage an",   ParentFont,   NoTabStop},
        Row{&F::labInfoLineDate,  OnForm,          {144, 120}, {193, 13},  "%date% Fügt das gewünschte Datum ein", ParentFont,   NoTabStop},
        Row{&F::labInfoLineToday, OnForm,          {144, 136}, {175, 13},  "%today% Fügt das heutige Datum ein",   ParentFont,   NoTabStop},
        Row{&F::btnChangeFont,    OnForm,          {8, 160},   {85, 25},   "&Schrift ändern",                      ParentFont,   4}.OnClick(&F::btnChangeFontClick),
        Row{&F::btnChangeColor,   OnForm,          {104, 160}, {85, 25},   "&Farbe ändern",                        ParentFont,   5}.OnClick(&F::btnChangeColorClick),
        Row{&F::panelPreview,     OnForm,          {8, 192},   {377, 121}, "Vorschau",                             PreviewFont,  11}.Color(clNavy).Bevels(TPanelBevel::Lowered, TPanelBevel::None),
        Row{&F::btnInfo,          OnForm,          {8, 325},   {85, 25},   "&Info",                                ParentFont,   6}.Anchors(LeftBottom).Glyph("BTNINFO").OnClick(&F::btnInfoClick),
        Row{&F::btnGeschenke,     OnForm,          {104, 325}, {85, 25},   "&Geschenke",                           ParentFont,   7}.Anchors(LeftBottom).Glyph("BTNGESCHENKE").OnClick(&F::btnGeschenkeClick),
        Row{&F::btnOk,            OnForm,          {203, 325}, {85, 25},   "&Ok",                                  ParentFont,   8}.Anchors(RightBottom).OnClick(&F::btnOkClick),
        Row{&F::btnCancel,        OnForm,          {299, 325}, {85, 25},   "&Abbrechen",                           ParentFont,   9}.Anchors(RightBottom).OnClick(&F::btnCancelClick),
        Row{&F::gbxCalender,      OnForm,          {64, 220},  {217, 225}, "Wähle ein Datum",                      BoxFont,      10}.Hidden(),
        Row{&F::cal,              &F::gbxCalender, {8, 16},    {204, 183}, "",                                     ParentFont,   0}.Anchors(AllSides).AccessibleName("Wähle ein Datum"),
        Row{&F::btnCloseCalender, &F::gbxCalender, {0, 200},   {217, 25},  "Schließen",                            CloseBoxFont, 1}.Default().OnClick(&F::btnCloseCalenderClick),
        Row{&F::dlgFontDialog,    OnForm,          {},         {},         "",                                     ParentFont,   NoTabStop},
        Row{&F::dlgColorDialog,   OnForm,          {},         {},         "",                                     ParentFont,   NoTabStop});
    // clang-format on
}

// The date the field names, or today.
TDateTime FieldDate(const TMaskEdit& field) {
    return ParseShortDate(field.Text(), Today());
}

} // namespace

TfrmSettings::TfrmSettings() {
    edtDate.SetSeparator(DateSeparator()); // before its change event is bound
    ApplySettingsDesign(*this);
}

void TfrmSettings::FormCreate(TObject*) {
    DisplayFont = &panelPreview.Font;
    LoadSettings();
    gbxCalender.SetVisible(false);
    gbxCalender.SetTop(4);
    edtDate.SetText(FormatShortDate(EndDate));
    cbxWorkDays.SetChecked(WorkWeek);
    edtText.SetText(TextTemplate);
    panelPreview.Font.Assign(*DisplayFont);
    panelPreview.SetColor(BackgroundColor);
    UpdatePreview();
}

// A text Windows will not give now leaves the preview as it is, without a
// box between two keys: the next key updates it, and OK reads it anew.
void TfrmSettings::UpdatePreview() {
    std::string text;
    if (!edtText.ReadText(text))
        return;
    const TDateTime date = FieldDate(edtDate);
    const int days = CountDays(cbxWorkDays.Checked(), Today(), date);
    panelPreview.SetCaption(ExpandText(text, days, date));
}

void TfrmSettings::edtDateChange(TObject*) {
    UpdatePreview();
}

void TfrmSettings::cbxWorkDaysClick(TObject*) {
    UpdatePreview();
}

void TfrmSettings::edtTextKeyUp(TObject*, WORD&, TShiftState) {
    UpdatePreview();
}

void TfrmSettings::btnCalenderClick(TObject*) {
    int year, month, day;
    DecodeDate(FieldDate(edtDate), year, month, day);
    cal.SetDate(year, month, day);
    gbxCalender.SetVisible(true);
}

void TfrmSettings::btnCloseCalenderClick(TObject*) {
    gbxCalender.SetVisible(false);
    int year, month, day;
    cal.GetDate(year, month, day);
    edtDate.SetText(FormatShortDate(EncodeDate(year, month, day)));
    UpdatePreview();
}

void TfrmSettings::btnChangeFontClick(TObject*) {
    dlgFontDialog.Font.Assign(panelPreview.Font);
    if (dlgFontDialog.Execute(Handle()))
        panelPreview.Font.Assign(dlgFontDialog.Font);
}

void TfrmSettings::btnChangeColorClick(TObject*) {
    dlgColorDialog.Color = panelPreview.Color();
    if (dlgColorDialog.Execute(Handle()))
        panelPreview.SetColor(dlgColorDialog.Color);
}

void TfrmSettings::btnInfoClick(TObject*) {
    if (!frmAbout)
        Application.CreateForm(frmAbout);
    frmAbout->Show();
}

void TfrmSettings::btnGeschenkeClick(TObject*) {
    ShellOpen(GiftsPage, Shell);
}

void TfrmSettings::btnOkClick(TObject*) {
    EndDate = FieldDate(edtDate);
    DisplayFont = &panelPreview.Font;
    BackgroundColor = panelPreview.Color();
    WorkWeek = cbxWorkDays.Checked();
    TextTemplate = edtText.Text();
    SaveSettings();
    Close();
}

void TfrmSettings::btnCancelClick(TObject*) {
    Close();
}

void TfrmSettings::DateFormatChanged() {
    edtDate.SetSeparator(DateSeparator());
}

void LocaleSettingsChanged() {
    LoadLocaleDateSettings();
    if (frmSettings)
        frmSettings->DateFormatChanged();
}
