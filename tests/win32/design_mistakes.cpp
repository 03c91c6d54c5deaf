// A small design with one mistake picked by MISTAKE; 0 has none. Every
// mistake must stop the compiler (design_mistakes.cmake checks that each
// fails for its own reason and that the design without one compiles).

#include "framework/Buttons.h"
#include "framework/Design.h"
#include "framework/Timer.h"

class TfrmRows : public TForm {
  public:
    TfrmRows();
    TLabel labName{this};
    TButton btnOk{this};
    TTimer Timer{this};
    void btnOkClick(TObject*) {}
    void labNameMove(TObject*, TShiftState, int, int) {}
};

class TfrmOther : public TForm {
  public:
    TButton btnOk{this};
};

using F = TfrmRows;

// clang-format off
#if MISTAKE == 1 // a member the form does not have
#define ROW Row{&F::btnOkay, OnForm, {8, 8}, {75, 25}, "&Ok", ParentFont, 0}
#elif MISTAKE == 2 // an option the kind does not have
#define ROW Row{&F::labName, OnForm, {8, 8}, {75, 25}, "Name", ParentFont, NoTabStop}.Glyph("BTNOK")
#elif MISTAKE == 3 // an event the kind does not have
#define ROW Row{&F::labName, OnForm, {8, 8}, {75, 25}, "Name", ParentFont, NoTabStop}.OnClick(&F::btnOkClick)
#elif MISTAKE == 4 // a parent that holds no controls
#define ROW Row{&F::btnOk, &F::labName, {8, 8}, {75, 25}, "&Ok", ParentFont, 0}
#elif MISTAKE == 5 // a control of another form
#define ROW Row{&TfrmOther::btnOk, OnForm, {8, 8}, {75, 25}, "&Ok", ParentFont, 0}
#elif MISTAKE == 8 // a place for a component that has none
#define ROW Row{&F::Timer, OnForm, {}, {}, "", ParentFont, NoTabStop}.Hidden()
#elif MISTAKE == 9 // a parent that has a window but holds no controls
#define ROW Row{&F::labName, &F::btnOk, {8, 8}, {75, 25}, "Name", ParentFont, NoTabStop}
#elif MISTAKE == 10 // mouse moves over a drawn control, which the mouse goes through
#define ROW Row{&F::labName, OnForm, {8, 8}, {75, 25}, "Name", ParentFont, NoTabStop}.OnMouseMove(&F::labNameMove)
#elif MISTAKE == 11 // a pointer of a drawn control's own
#define ROW Row{&F::labName, OnForm, {8, 8}, {75, 25}, "Name", ParentFont, NoTabStop}.Cursor(crNone)
#elif MISTAKE == 12 // a button that names another control for screen readers
#define ROW Row{&F::btnOk, OnForm, {8, 8}, {75, 25}, "&Ok", ParentFont, 0}.LabelFor(&F::btnOk)
#elif MISTAKE == 13 // a name for screen readers on a drawn control
#define ROW Row{&F::labName, OnForm, {8, 8}, {75, 25}, "Name", ParentFont, NoTabStop}.AccessibleName("Name")
#else
#define ROW Row{&F::btnOk, OnForm, {8, 8}, {75, 25}, "&Ok", ParentFont, 0}.OnClick(&F::btnOkClick)
#endif
// clang-format on

#if MISTAKE == 6 // an active control without a window
#define ACTIVE &F::labName
#else
#define ACTIVE &F::btnOk
#endif

#if MISTAKE == 7 // a stacked component without a window
#define STACKING                                                                                   \
    { &F::btnOk, &F::Timer }
#else
#define STACKING                                                                                   \
    { &F::btnOk }
#endif

TfrmRows::TfrmRows() {
    ApplyDesign(
        *this,
        TFormDesign<F>{"Zeilen", {100, 50}, ParentFont}.ActiveControl(ACTIVE).Stacking(STACKING),
        ROW);
}
