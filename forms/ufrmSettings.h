#pragma once
// The settings dialog: date, work days, text, font and colours of the
// screen saver, with a live preview; OK saves them.

#include "core/uTools.h"
#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Edits.h"
#include "framework/Pickers.h"
#include "framework/StdControls.h"

class TfrmSettings : public TForm {
  public:
    TfrmSettings();

    TLabel labDate{this};
    TMaskEdit edtDate{this};
    TButton btnCalender{this};
    TLabel labWorkDays{this};
    TCheckBox cbxWorkDays{this};
    TLabel labText{this};
    TEdit edtText{this};
    TLabel labInfoLineDays{this};
    TLabel labInfoLineDate{this};
    TLabel labInfoLineToday{this};
    TButton btnChangeFont{this};
    TButton btnChangeColor{this};
    TPanel panelPreview{this};
    TButton btnInfo{this};
    TButton btnGeschenke{this};
    TButton btnOk{this};
    TButton btnCancel{this};
    TGroupBox gbxCalender{this};
    TMonthCalendar cal{this};
    TButton btnCloseCalender{this};
    TFontDialog dlgFontDialog{this};
    TColorDialog dlgColorDialog{this};

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
