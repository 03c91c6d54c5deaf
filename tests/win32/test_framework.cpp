// The framework's keyboard model and message routing, on a form of the
// test's own, driven with real keys through the real message loop.

#include "ImportPatch.h"
#include "Input.h"
#include "Layout.h"

#include "framework/Buttons.h"
#include "framework/Design.h"
#include "framework/Edits.h"
#include "framework/Errors.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

class TfrmProbe : public TForm {
  public:
    TfrmProbe();
    TEdit edtFirst{this};
    TEdit edtSecond{this};
    TGroupBox gbxBox{this};
    TCheckBox cbxInner{this};
    TButton btnDefault{this};
    TButton btnDisabled{this};
    TButton btnAction{this};
    TButton btnHidden{this};
    TPanel pnlStrip{this};
    TPanel pnlInner{this};
    TButton btnInner{this};

    void Clicked(TObject* sender) { clicks.push_back(sender); }
    void Moved(TObject*, TShiftState, int x, int y) { moves.push_back({x, y}); }
    void Failing(TObject*) { throw std::runtime_error("Kaputt"); }
    std::vector<TObject*> clicks;
    std::vector<std::pair<int, int>> moves; // those the strip was given
};

using F = TfrmProbe;
const TFontDesign Plain{"MS Sans Serif", -11, 0, clWindowText};
const TFontDesign Purple{"Arial", -16, fsBold, clPurple};

TfrmProbe::TfrmProbe() {
    // clang-format off
    ApplyDesign(*this,
        TFormDesign<F>{"Probe", {300, 200}, Plain}.Border(TBorderStyle::Single, biSystemMenu)
            .ActiveControl(&F::edtFirst).Stacking({&F::btnAction, &F::edtSecond, &F::gbxBox, &F::edtFirst}),
        //  member           parent      position    size       caption     font        tab
        Row{&F::edtFirst,    OnForm,     {8, 8},     {120, 22}, "",         Purple,     0},
        Row{&F::edtSecond,   OnForm,     {8, 40},    {120, 22}, "",         ParentFont, 1},
        Row{&F::gbxBox,      OnForm,     {140, 8},   {150, 90}, "Box",      ParentFont, 2},
        Row{&F::cbxInner,    &F::gbxBox, {8, 20},    {100, 20}, "&Haken",   ParentFont, 0}.OnClick(&F::Clicked),
        Row{&F::btnDefault,  &F::gbxBox, {8, 50},    {100, 25}, "Vor&gabe", ParentFont, 1}.Default().OnClick(&F::Clicked),
        Row{&F::btnDisabled, OnForm,     {8, 120},   {80, 25},  "&Nein",    ParentFont, 3}.OnClick(&F::Clicked),
        Row{&F::btnAction,   OnForm,     {100, 120}, {80, 25},  "&Los",     ParentFont, 4}.Anchors(akRight | akBottom).OnClick(&F::Clicked),
        Row{&F::btnHidden,   OnForm,     {200, 120}, {80, 25},  "&Weg",     ParentFont, 5}.Hidden().OnClick(&F::Clicked),
        Row{&F::pnlStrip,    OnForm,     {8, 150},   {200, 40}, "",         ParentFont, NoTabStop}.OnMouseMove(&F::Moved),
        Row{&F::pnlInner,    &F::pnlStrip, {10, 4},  {120, 32}, "",         ParentFont, NoTabStop},
        Row{&F::btnInner,    &F::pnlInner, {10, 4},  {80, 25},  "Drin",     ParentFont, NoTabStop});
    // clang-format on
}

TfrmProbe* frmProbe = nullptr;
bool closed = false; // the probe's close handler ran

class Framework : public ::testing::Test {
  protected:
    void SetUp() override {
        Application.Title = "Quorbel";
        Application.ShowMessageBox = [this](HWND, const std::string& text, const std::string&,
                                            UINT) { boxes.push_back(text); };
        Application.CreateForm(frmProbe);
        frmProbe->btnDisabled.SetEnabled(false);
        Pump();
    }
    void TearDown() override { Application.DestroyForms(); }
    TfrmProbe& form() { return *frmProbe; }
    std::vector<std::string> boxes;
};

TEST_F(Framework, TabFollowsTheDesignedOrderIntoAndOutOfTheBoxSkippingWhatCannotTakeIt) {
    const std::vector<TWinControl*> forward = {&form().edtSecond, &form().cbxInner,
                                               &form().btnDefault, &form().btnAction,
                                               &form().edtFirst};
    ASSERT_EQ(Focus(), form().edtFirst.Handle());
    for (TWinControl* expected : forward) {
        Press(VK_TAB);
        EXPECT_EQ(Focus(), expected->Handle()) << expected->Caption();
    }
    Press({VK_SHIFT, VK_TAB});
    EXPECT_EQ(Focus(), form().btnAction.Handle());
    form().gbxBox.SetVisible(false);
    Press({VK_SHIFT, VK_TAB});
    Press({VK_SHIFT, VK_TAB});
    EXPECT_EQ(Focus(), form().edtFirst.Handle());
}

TEST_F(Framework, EnterClicksAFocusedButtonElseTheDefaultOnlyWhileItCanBeSeen) {
    form().btnAction.SetFocus();
    Press(VK_RETURN);
    form().edtFirst.SetFocus();
    Press(VK_RETURN);
    form().gbxBox.SetVisible(false);
    form().edtFirst.SetFocus();
    Press(VK_RETURN);
    EXPECT_EQ(form().clicks, (std::vector<TObject*>{&form().btnAction, &form().btnDefault}));
}

TEST_F(Framework, AltAcceleratorsFocusThenClickOrToggle) {
    Press({VK_MENU, 'L'});
    EXPECT_EQ(Focus(), form().btnAction.Handle());
    Press({VK_MENU, 'H'});
    EXPECT_TRUE(form().cbxInner.Checked());
    EXPECT_EQ(Focus(), form().cbxInner.Handle());
    Press({VK_MENU, 'W'}); // hidden
    Press({VK_MENU, 'N'}); // disabled
    EXPECT_EQ(form().clicks, (std::vector<TObject*>{&form().btnAction, &form().cbxInner}));
}

TEST_F(Framework, ANotificationFromInsideTheBoxReachesItsHandlerAndAnErrorThereIsShown) {
    form().cbxInner.SetFocus();
    Press(VK_SPACE);
    EXPECT_EQ(form().clicks, std::vector<TObject*>{&form().cbxInner});
    form().cbxInner.OnClick = [](TObject* sender) { frmProbe->Failing(sender); };
    Press(VK_SPACE);
    EXPECT_EQ(boxes, std::vector<std::string>{"Kaputt."});
    Press(VK_TAB); // the loop goes on
    EXPECT_EQ(Focus(), form().btnDefault.Handle());
    // An error the standard library raises is shown with the library's text.
    form().cbxInner.OnClick = [](TObject*) { std::string("abc").substr(4); };
    Press({VK_SHIFT, VK_TAB});
    Press(VK_SPACE);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "basic_string::substr: __pos (which is 4) > this->size() (which is 3)");
}

// The moves the system makes of one window, counted while it lives.
class MoveCounter {
  public:
    explicit MoveCounter(HWND window) {
        watched_ = window;
        moves_ = 0;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Count, nullptr, GetCurrentThreadId());
    }
    ~MoveCounter() { UnhookWindowsHookEx(hook_); }
    int Moves() const { return moves_; }

  private:
    static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
        if (message->hwnd == watched_ && message->message == WM_WINDOWPOSCHANGING)
            ++moves_;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND watched_;
    static inline int moves_;
    HHOOK hook_;
};

TEST_F(Framework, AWindowIsMovedWhereItIsNotAtItsBoundsAndOnlyThere) {
    for (TWinControl* control :
         std::vector<TWinControl*>{&form().edtFirst, &form().cbxInner, &form().gbxBox, &form()}) {
        const RECT bounds = control->BoundsRect();
        MoveWindow(control->Handle(), bounds.left + 5, bounds.top + 7, 30, 20, TRUE);
        {
            const MoveCounter counter(control->Handle());
            control->SetBounds(bounds.left, bounds.top, control->Width(), control->Height());
            EXPECT_EQ(counter.Moves(), 1) << control->Caption();
        }
        const RECT now = PlacedRect(*control);
        EXPECT_TRUE(EqualRect(&now, &bounds)) << control->Caption();
        const MoveCounter counter(control->Handle());
        control->SetBounds(bounds.left, bounds.top, control->Width(), control->Height());
        EXPECT_EQ(counter.Moves(), 0) << control->Caption();
    }
}

// A button in a panel in a panel.
TEST_F(Framework, APanelDrawsOnTheFormAndTheWindowsInItFollowItsMovesAndStates) {
    TPanel& panel = form().pnlStrip;
    const HWND inner = form().btnInner.Handle();
    const auto innerLeft = [&] {
        POINT at{0, 0};
        MapWindowPoints(inner, form().Handle(), &at, 1);
        return at.x;
    };
    static_assert(!std::is_base_of_v<TWinControl, TPanel>, "a panel has no window");
    EXPECT_EQ(GetParent(inner), form().Handle());
    EXPECT_EQ(innerLeft(), 28);
    panel.SetLeft(40);
    EXPECT_EQ(innerLeft(), 60);
    panel.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(inner));
    panel.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(inner));
    // Over the panel, the panel has the move, in its own coordinates; over
    // a disabled one, the form.
    SendMessageA(form().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(45, 157));
    SendMessageA(form().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(45, 140));
    panel.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(inner));
    SendMessageA(form().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(45, 157));
    panel.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(inner));
    EXPECT_EQ(form().moves, (std::vector<std::pair<int, int>>{{5, 7}}));
}

TEST_F(Framework, AnEditGetsItsFontColourAndKeepsOneBrush) {
    const HDC dc = GetDC(form().edtFirst.Handle());
    const auto ask = [&] {
        return SendMessageA(form().Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(form().edtFirst.Handle()));
    };
    const LRESULT first = ask();
    EXPECT_EQ(GetTextColor(dc), static_cast<COLORREF>(clPurple));
    EXPECT_EQ(ask(), first);
    EXPECT_NE(first, 0);
    ReleaseDC(form().edtFirst.Handle(), dc);
}

TEST_F(Framework, StackingFollowsTheDesignNotTheTabOrder) {
    // GW_HWNDNEXT walks from the top of the stack down.
    std::vector<HWND> fromTop;
    for (HWND w = GetWindow(form().Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        fromTop.push_back(w);
    const auto at = [&](const TWinControl& c) {
        return std::find(fromTop.begin(), fromTop.end(), c.Handle()) - fromTop.begin();
    };
    EXPECT_LT(at(form().edtFirst), at(form().gbxBox));
    EXPECT_LT(at(form().gbxBox), at(form().edtSecond));
    EXPECT_LT(at(form().edtSecond), at(form().btnAction));
}

TEST_F(Framework, DraggingTheMouseSelectsTextInAnEdit) {
    form().edtSecond.SetText("Ziehen und markieren");
    const HWND edit = form().edtSecond.Handle();
    PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 8));
    PostMessageA(edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 8));
    PostMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(60, 8));
    Pump();
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_GT(end, 3u);
}

TEST_F(Framework, AnchoredControlsKeepTheirDistanceToTheNamedEdges) {
    const RECT before = form().btnAction.BoundsRect();
    form().SetClientSize(340, 230);
    const RECT after = form().btnAction.BoundsRect();
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);
    EXPECT_EQ(form().edtFirst.Left(), 8);
}

TEST_F(Framework, TheTextOfAnInputComesFromItsWindow) {
    form().edtFirst.SetText("alt");
    form().edtFirst.SetFocus();
    Press({VK_CONTROL, 'A'});
    Type("neu");
    EXPECT_EQ(form().edtFirst.Text(), "neu");
    form().edtFirst.SetText("alt"); // not shadowed by a stale copy
    EXPECT_EQ(form().edtFirst.Text(), "alt");
}

TEST_F(Framework, KeysTheFormHasNoUseForGoOnToItsOwnHandlers) {
    std::vector<WORD> keys;
    form().OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(key); };
    // No tab stop, no default button, no focused control.
    for (TWinControl* control : std::initializer_list<TWinControl*>{
             &form().edtFirst, &form().edtSecond, &form().gbxBox, &form().btnAction})
        control->SetVisible(false);
    form().SetFocus();
    for (WORD key : {VK_TAB, VK_RETURN, VK_ESCAPE})
        Press(key);
    EXPECT_EQ(keys, (std::vector<WORD>{VK_TAB, VK_RETURN, VK_ESCAPE}));
}

// The form's handlers see a character first; one they leave alone reaches
// the focused control whole, whatever its unit holds.
TEST_F(Framework, APreviewedCharacterTheHandlersLeaveReachesTheControl) {
    std::u16string seen;
    form().KeyPreview = true;
    form().OnKeyPress = [&](TObject*, wchar_t& key) { seen += static_cast<char16_t>(key); };
    form().edtFirst.SetText("");
    form().edtFirst.SetFocus();
    TypeUnits(u"一Ā");
    EXPECT_EQ(seen, u"一Ā");
    EXPECT_EQ(form().edtFirst.Text(), u8"一Ā");
}

TEST_F(Framework, DestroyingTheFormsLeavesNoQuitRequestAndNoReferenceBehind) {
    form().Close(); // the main form: the program ends
    Application.DestroyForms();
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(frmProbe, nullptr);
    EXPECT_FALSE(Application.Terminated());
}

TEST(Lifetimes, AChildThatOutlivesItsParentLetsGoOfIt) {
    auto child = std::make_unique<TLabel>(nullptr);
    {
        TPanel parent(nullptr);
        child->SetParent(&parent);
    }
    EXPECT_EQ(child->Parent(), nullptr);
}

UINT_PTR WINAPI NoTimer(HWND, UINT_PTR, UINT, TIMERPROC) {
    return 0;
}

void MakeRefusedTimer() {
    ImportPatch<decltype(&SetTimer)> patch("SetTimer", &NoTimer);
    TTimer timer(nullptr);
}

// Thread timers carry only their id: each tick must still find its own
// timer, a handler may stop its own, and a stopped one ticks no more.
TEST(Timer, TicksReachTheirOwnTimerUntilItStops) {
    TTimer running(nullptr), once(nullptr);
    int runningTicks = 0, onceTicks = 0;
    running.SetInterval(10);
    running.OnTimer = [&](TObject* sender) { runningTicks += sender == &running; };
    once.SetInterval(10);
    once.OnTimer = [&](TObject* sender) {
        onceTicks += sender == &once;
        once.SetEnabled(false);
    };
    Pump(200);
    EXPECT_GE(runningTicks, 2);
    EXPECT_EQ(onceTicks, 1);
}

// A refused timer raises the timer error, here outside every handler.
TEST(Startup, AnErrorOutsideEveryHandlerIsAnApplicationErrorAndExitCode1) {
    std::string text, caption;
    const auto shown = Application.ShowMessageBox;
    Application.ShowMessageBox = [&](HWND, const std::string& t, const std::string& c, UINT) {
        text = t;
        caption = c;
    };
    EXPECT_EQ(Application.Execute([] { MakeRefusedTimer(); }), 1);
    Application.ShowMessageBox = shown;
    EXPECT_EQ(caption, "Anwendungsfehler");
    EXPECT_EQ(text.rfind("Exception EOutOfResources in Modul framework_tests.exe bei ", 0), 0u)
        << text;
    EXPECT_EQ(text.substr(text.find('\n') + 1), "Nicht genügend Timer verfügbar");
}

// Windows refusing what the making of the main form, or its message loop,
// needs: start-up ends with the application error box and exit code 1,
// after the main form's close handler ran, never with a form half made or
// one that no key reaches.
BOOL WINAPI NoProperty(HWND, LPCWSTR, HANDLE) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
}
LONG_PTR WINAPI NoSubclass(HWND, int, LONG_PTR) {
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}
HWND WINAPI NoWindow(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE,
                     LPVOID) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}
BOOL WINAPI NoMessage(LPMSG, HWND, UINT, UINT) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
}

template <class Function> std::function<void()> Refusing(const char* name, Function standIn) {
    return [name, standIn] {
        ImportPatch<Function> refused(name, standIn);
        Application.CreateForm(frmProbe);
        frmProbe->OnClose = [](TObject*, TCloseAction&) { closed = true; };
        Application.Run();
    };
}

TEST(Startup, ARefusalWhileTheMainFormIsMadeOrRunEndsWithTheApplicationError) {
#ifdef _WIN64
    const char* subclass = "SetWindowLongPtrW";
#else
    const char* subclass = "SetWindowLongW"; // what SetWindowLongPtrW is on 32 bits
#endif
    const struct {
        const char* what;
        std::function<void()> startup;
        const char* error;
        bool closed; // the main form's close handler ran
    } refusals[] = {
        {"property", Refusing("SetPropW", &NoProperty), "Fenster kann nicht erstellt werden",
         false},
        {"subclass", Refusing(subclass, &NoSubclass), "Fenster kann nicht erstellt werden", false},
        {"application window", Refusing("CreateWindowExW", &NoWindow),
         "Fenster kann nicht erstellt werden", false},
        {"message", Refusing("GetMessageW", &NoMessage),
         "Nachrichten können nicht abgerufen werden", true},
    };
    const auto shown = Application.ShowMessageBox;
    for (const auto& refusal : refusals) {
        std::string text, caption;
        Application.ShowMessageBox = [&](HWND, const std::string& t, const std::string& c, UINT) {
            text = t;
            caption = c;
        };
        closed = false;
        EXPECT_EQ(Application.Execute(refusal.startup), 1) << refusal.what;
        EXPECT_EQ(caption, "Anwendungsfehler") << refusal.what;
        EXPECT_EQ(text.substr(text.find('\n') + 1), refusal.error) << refusal.what;
        EXPECT_EQ(closed, refusal.closed) << refusal.what;
        EXPECT_EQ(frmProbe, nullptr) << refusal.what;
    }
    Application.ShowMessageBox = shown;
}

int WINAPI NoResolution(HDC, int) {
    return 0;
}

// A screen whose resolution cannot be read counts as one of 96 ppi: the
// labels divide by it.
TEST(Resolution, AScreenWithoutOneHasTheDesignsResolution) {
    EXPECT_EQ(DpiOf(nullptr), 96);
    ImportPatch<decltype(&GetDeviceCaps)> refused("GetDeviceCaps", &NoResolution);
    const ScreenDC screen;
    EXPECT_EQ(DpiOf(screen), 96);
}

} // namespace
