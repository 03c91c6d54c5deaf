#pragma once
// The settings dialog: date, work days, text, font and colours of the
// screen saver, with a live preview; OK saves them.

#include "core/uTools.h"
#include "framework/Buttons.h"
#include "framework/Pickers.h"
#include "framework/Edits.h"
#include "framework/Forms.h"

class TfrmSettings : public TForm {
  public:
    TfrmSettings();

    TLabel labDate{this, "labDate"};
    TMaskEdit edtDate{this, "edtDate"};
    TButton btnCalender{this, "btnCalender"};
    TLabel labWorkDays{this, "labWorkDays"};
    TCheckBox cbxWorkDays{this, "cbxWorkDays"};
    TLabel labText{this, "labText"};
    TEdit edtText{this, "edtText"};
    TLabel labInfoLineDays{this, "labInfoLineDays"};
    TLabel labInfoLineDate{this, "labInfoLineDate"};
    TLabel labInfoLineToday{this, "labInfoLineToday"};
    TButton btnChangeFont{this, "btnChangeFont"};
    TButton btnChangeColor{this, "btnChangeColor"};
    TPanel panelPreview{this, "panelPreview"};
    TButton btnInfo{this, "btnInfo"};
    TButton btnGeschenke{this, "btnGeschenke"};
    TButton btnOk{this, "btnOk"};
    TButton btnCancel{this, "btnCancel"};
    TGroupBox gbxCalender{this, "gbxCalender"};
    TMonthCalendar cal{this, "cal"};
    TButton btnCloseCalender{this, "btnCloseCalender"};
    TFontDialog dlgFontDialog{this, "dlgFontDialog"};
    TColorDialog dlgColorDialog{this, "dlgColorDialog"};

    void FormCreate(TObject* sender);
    void edtDateChange(TObject* sender);
    void cbxWorkDaysClick(TObject* sender);
    void edtTextKeyUp(TObject* sender, WORD& key, TShiftState shift);
    void btnCalenderClick(TObject* sender);
    void btnCloseCalenderClick(TObject* sender);
    void btnChangeFontClick(TObject* sender);
    void btnChangeColorClick(TObject* sender);
    void btnInfoClick(TObject* sender);
    void btnGeschenkeClick(TObject* sender);
    void btnOkClick(TObject* sender);
    void btnCancelClick(TObject* sender);
    void UpdatePreview();

    // The locale's short date settings changed: the separators follow.
    void DateFormatChanged();

    // What hands the gifts page on; tests put a stand-in here.
    TShellExecute Shell = ShellExecuteOnDemand;
};

extern TfrmSettings* frmSettings;

// The system reported changed regional settings: the date texts follow, and
// so does an open settings dialog.
void LocaleSettingsChanged();

// The gifts page on the maker's web site.
extern const char* const GiftsPage;
