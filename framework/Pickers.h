#pragma once
// The pickers: the system's month calendar for a date, and the common
// dialogs for a font and a colour.

#include "framework/WinControl.h"

#include <commctrl.h>
#include <commdlg.h>

class TMonthCalendar : public TWinControl {
  public:
    using TWinControl::TWinControl;
    bool TakesFocus() const override { return true; }

    // The selected day.
    void GetDate(int& year, int& month, int& day) const;
    // Shows the day's month with the day selected; ECalendarError where the
    // calendar refuses it (its range starts in 1752 or 1753).
    void SetDate(int year, int month, int day);

  protected:
    const wchar_t* SystemClass() const override { return MONTHCAL_CLASSW; }
    DWORD WindowStyle() const override { return TWinControl::WindowStyle() | WS_TABSTOP; }
    void HandleCreated() override;

  private:
    SYSTEMTIME date_{}; // until the window exists
};

// The font selection dialog with effects (underline, strike-out, colour),
// accepting only installed fonts.
class TFontDialog : public TComponent {
  public:
    using TComponent::TComponent;
    TFont Font;
    // Opens on Font; true when the user confirmed, with Font as chosen.
    bool Execute(HWND owner);
};

// The colour selection dialog; its custom colours last as long as it does.
class TColorDialog : public TComponent {
  public:
    using TComponent::TComponent;
    TColor Color = clBlack;
    bool Execute(HWND owner);

  private:
    COLORREF customColors_[16] = {};
};
