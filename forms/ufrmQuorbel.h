#pragma once
// The full-screen window of the screen saver.

#include "framework/Application.h"
#include "framework/StdControls.h"
#include "framework/Timer.h"

#include <cstdint>
#include <string>

class TfrmQuorbel : public TForm {
  public:
    TfrmQuorbel();

    TPanel panelMain{this};
    TTimer Timer{this};
    TPanel panelBottom{this};
    TLabel labText{this};

    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormCreate(TObject* sender);
    void FormKeyPress(TObject* sender, wchar_t& key);
    void TimerTimer(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    std::string UpdateCaptions();

    // Mouse-move events counted since the window was made.
    int MouseMoveCount = 0;

  private:
    std::uint32_t randomSeed_ = 0; // seeded once per run from the clock
    HWND hiddenTaskbar_ = nullptr;
};

extern TfrmQuorbel* frmQuorbel;
