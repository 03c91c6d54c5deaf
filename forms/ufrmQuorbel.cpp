#include "forms/ufrmQuorbel.h"

#include "core/uConst.h"
#include "framework/Design.h"

#include <cstdint>

TfrmQuorbel* frmQuorbel = nullptr;

namespace {

using F = TfrmQuorbel;

const TFontDesign DisplayDesignFont{"Arial", -96, fsBold | fsItalic, clWhite};
const TFontDesign DetailDesignFont{"Arial", -19, fsBold, clWhite};

void ApplyQuorbelDesign(TfrmQuorbel& form) {
    // clang-format off
    ApplyDesign(form,
        TFormDesign<F>{"Bildschirmschoner", {800, 600}, {"MS Sans Serif", -11}}
            .Border(TBorderStyle::None, 0).Style(TFormStyle::StayOnTop).State(TWindowState::Maximized)
            .Align(TAlign::Client).Position(TPosition::ScreenCenter).Cursor(crNone)
            .OnCreate(&F::FormCreate).OnKeyDown(&F::FormKeyDown).OnKeyPress(&F::FormKeyPress)
            .OnClose(&F::FormClose),
        //  member           parent         position    size        caption           font               tab
        Row{&F::panelMain,   OnForm,        {0, 0},     {800, 559}, "",               DisplayDesignFont, NoTabStop}.Align(TAlign::Client).Color(clNavy).Cursor(crNone).OnMouseMove(&F::FormMouseMove),
        Row{&F::Timer,       OnForm,        {},         {},         "",               ParentFont,        NoTabStop}.Interval(2000).OnTimer(&F::TimerTimer),
        Row{&F::panelBottom, OnForm,        {0, 559},   {800, 41},  "Velkor Quorbel", DetailDesignFont,  NoTabStop}.Align(TAlign::Bottom).Color(clNavy).Cursor(crNone).OnMouseMove(&F::FormMouseMove),
        Row{&F::labText,     &F::panelMain, {144, 232}, {0, 0},     "Velkor",         ParentFont,        NoTabStop});
    // clang-format on
}

std::uint32_t ClockSeed() {
    LARGE_INTEGER counter;
    if (QueryPerformanceCounter(&counter))
        return static_cast<std::uint32_t>(counter.LowPart);
    return GetTickCount();
}

// 0 to extent - 1 from a linear congruential generator; 0 where there is
// no room at all.
int RandomPosition(std::uint32_t& seed, int extent) {
    seed = seed * 134775813u + 1;
    if (extent <= 0)
        return 0;
    return static_cast<int>((static_cast<std::uint64_t>(seed) * extent) >> 32);
}

HWND FindTaskbar() {
    return FindWindowW(L"Shell_TrayWnd", nullptr);
}

} // namespace

TfrmQuorbel::TfrmQuorbel() {
    ApplyQuorbelDesign(*this);
}

void TfrmQuorbel::FormCreate(TObject*) {
    MouseMoveCount = 0;
    DisplayFont = &labText.Font;
    randomSeed_ = ClockSeed();
    LoadSettings();
    hiddenTaskbar_ = FindTaskbar();
    if (hiddenTaskbar_)
        ShowWindow(hiddenTaskbar_, SW_HIDE);
    labText.AdjustSize();
    panelBottom.Font.SetColor(DisplayFont->Color());
    panelBottom.SetHeight(100);
    Timer.SetInterval(2000);
    Timer.SetEnabled(true);
    FormStyle = TFormStyle::StayOnTop;
    BorderIcons = 0;
    BorderStyle = TBorderStyle::None;
    SetWindowState(TWindowState::Normal);
    SetAlign(TAlign::None);
    // The screen in pixels, and 50 rows of 1/96 inch beyond its bottom edge.
    SetPixelBounds(
        {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) + Scaled(50)});
    Cursor = crNone;
    KeyPreview = true;
    panelMain.SetColor(BackgroundColor);
    panelBottom.SetColor(BackgroundColor);
    labText.SetCaption(UpdateCaptions());
}

std::string TfrmQuorbel::UpdateCaptions() {
    const int days = CountDays(WorkWeek, StartDate, EndDate);
    panelBottom.SetCaption(BuildDetailLine(days));
    return ExpandText(TextTemplate, days, EndDate);
}

void TfrmQuorbel::TimerTimer(TObject*) {
    labText.SetTop(
        RandomPosition(randomSeed_, Height() - (labText.Height() + panelBottom.Height())));
    labText.SetLeft(RandomPosition(randomSeed_, Width() - labText.Width()));
    Timer.SetInterval(2000);
    Timer.SetEnabled(true);
}

void TfrmQuorbel::FormKeyDown(TObject*, WORD&, TShiftState) {
    Close();
}

void TfrmQuorbel::FormKeyPress(TObject*, wchar_t&) {
    Close();
}

void TfrmQuorbel::FormMouseMove(TObject*, TShiftState, int, int) {
    ++MouseMoveCount;
    if (MouseMoveCount > 50)
        Close();
}

void TfrmQuorbel::FormClose(TObject*, TCloseAction&) {
    // The taskbar of now, which a restarted shell may have made anew; where
    // none can be found, the one that was hidden.
    HWND taskbar = FindTaskbar();
    if (!taskbar)
        taskbar = hiddenTaskbar_;
    if (taskbar)
        ShowWindow(taskbar, SW_SHOWNORMAL);
}
