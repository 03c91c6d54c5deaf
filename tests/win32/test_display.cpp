// The screen saver window, driven in-process with window messages.

#include "ImportPatch.h"
#include "Input.h"
#include "Layout.h"
#include "RegistryFixture.h"
#include "Taskbar.h"

#include "forms/ufrmQuorbel.h"

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Box {
    std::string text, caption;
    bool overTheSaver; // the saver's window could be seen under the box
};

class Display : public RegistryTest {
  protected:
    void SetUp() override {
        RegistryTest::SetUp();
        Application.Title = "Quorbel";
        Application.ShowMessageBox = [this](HWND, const std::string& text,
                                            const std::string& caption, UINT) {
            boxes.push_back({text, caption, frmQuorbel && IsWindowVisible(frmQuorbel->Handle())});
        };
        taskbar.Show(true);
    }
    void TearDown() override {
        Application.DestroyForms();
        RegistryTest::TearDown();
    }
    // No messages are pumped, so no timer tick has moved the text yet.
    TfrmQuorbel& Open() {
        Application.CreateForm(frmQuorbel);
        return *frmQuorbel;
    }
    static RECT ScreenRect(HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        return r;
    }

    Taskbar taskbar;
    std::vector<Box> boxes;
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
};

// What holds at every display scale: these run again at 144 and 192 ppi.
class ScaledDisplay : public Display {};

TEST_F(ScaledDisplay, CoversTheScreenWithTheStripStraddlingTheBottomEdge) {
    TfrmQuorbel& form = Open();
    const int dpi = ScreenDpi();
    const int rows = MulDiv(50, dpi, 96); // in pixels; the screen is in pixels already
    const RECT window = ScreenRect(form.Handle());
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);
    EXPECT_EQ(window.right, screenW);
    EXPECT_EQ(window.bottom, screenH + rows);
    // The window is at the screen's origin, without a border.
    const RECT main = PlacedRect(form.panelMain);
    EXPECT_EQ(main.top, 0);
    EXPECT_EQ(main.bottom, screenH - rows);
    EXPECT_EQ(main.right - main.left, screenW);
    const RECT bottom = PlacedRect(form.panelBottom);
    EXPECT_EQ(bottom.top, screenH - rows);
    EXPECT_EQ(bottom.bottom, screenH + rows);
    ExpectScaledLayout(form, dpi);

    const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    const LONG exStyle = GetWindowLongA(form.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    // No taskbar entry: it stands alone, and out of the taskbar.
    EXPECT_EQ(Application.Handle(), nullptr);
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), nullptr);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsZoomed(form.Handle()));
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Display, ShowsTheCountedTextAtItsDesignPlaceUntilTheFirstTick) {
    PutString("ende", FormatShortDate(Today() + 400));
    PutString("text", "Noch %days% Tage");
    PutDword("backgroundcolor", clPurple);
    PutDword("fontcolor", 0x00FFFF);
    TfrmQuorbel& form = Open();
    EXPECT_EQ(form.labText.Caption(), "Noch 400 Tage");
    EXPECT_EQ(form.panelBottom.Caption(), "Im Detail: 1 Jahr, 1 Monat, 0 Wochen, 4 Tage");
    EXPECT_EQ(form.labText.Left(), 144);
    EXPECT_EQ(form.labText.Top(), 232);
    EXPECT_EQ(form.panelMain.Color(), clPurple);
    EXPECT_EQ(form.panelBottom.Color(), clPurple);
    EXPECT_EQ(form.panelBottom.Font.Color(), 0x00FFFF);
    EXPECT_EQ(form.panelBottom.Font.Height(), -19); // face, height and style stay
    EXPECT_EQ(form.labText.Font.Name(), "Arial");
    EXPECT_EQ(form.labText.Font.Size(), 32);
    EXPECT_EQ(form.labText.Font.Charset(), DEFAULT_CHARSET); // font linking may supply glyphs
    EXPECT_EQ(form.Timer.Interval(), 2000u);
    EXPECT_TRUE(form.Timer.Enabled());
}

// The full-screen text draws the letters of other scripts, where a narrow
// text would have shown question marks.
TEST_F(Display, TheTextDrawsLettersOfOtherScripts) {
    std::vector<std::uint32_t> drawn[2];
    const char* texts[] = {u8"Łódź Αθήνα Київ", u8"?ód? ????? ????"};
    for (int i = 0; i < 2; ++i) {
        PutString("text", texts[i]);
        TfrmQuorbel& form = Open();
        drawn[i] = Pixels(form.Handle(), form.labText.PixelBounds());
        TearDown();
        SetUp();
    }
    EXPECT_NE(drawn[0], drawn[1]);
}

TEST_F(Display, TheLabelMeasuresItsTextWithMnemonics) {
    TfrmQuorbel& form = Open();
    form.labText.SetCaption("Tag & Nacht");
    const int withMnemonic = form.labText.Width();
    form.labText.SetCaption("Tag  Nacht");
    EXPECT_EQ(withMnemonic, form.labText.Width());
    form.labText.SetCaption("Tag && Nacht");
    const int withAmpersand = form.labText.Width();
    form.labText.SetCaption("Tag  Nacht");
    EXPECT_GT(withAmpersand, form.labText.Width());
    form.labText.SetCaption("");
    EXPECT_GT(form.labText.Width(), 0); // one blank
}

// Arial's digits are all 1139/2048 of an em wide, and Liberation Sans, which
// draws "Arial" here, has the same advance widths: at the default 32 point
// (43 px at 96 ppi) each digit takes 24 px, as on Windows.
TEST_F(ScaledDisplay, TheLabelIsAsWideAsArialsDigits) {
    PutString("text", "0123456789");
    TfrmQuorbel& form = Open();
    const long em = std::lround(32 * ScreenDpi() / 72.0);
    const RECT& label = form.labText.PixelBounds();
    EXPECT_EQ(label.right - label.left, 10 * std::lround(1139.0 * em / 2048));
}

TEST_F(Display, TicksKeepTheTextInsideTheMainPanel) {
    TfrmQuorbel& form = Open();
    for (int tick = 0; tick < 200; ++tick) {
        form.TimerTimer(&form.Timer);
        EXPECT_GE(form.labText.Left(), 0);
        EXPECT_GE(form.labText.Top(), 0);
        EXPECT_LT(form.labText.Left() + form.labText.Width(), form.Width());
        EXPECT_LT(form.labText.Top() + form.labText.Height(), form.panelMain.Height());
    }
}

TEST_F(Display, TextWithoutRoomIsPlacedAtZero) {
    TfrmQuorbel& form = Open();
    form.labText.SetCaption(std::string(400, 'W'));
    form.TimerTimer(&form.Timer);
    EXPECT_EQ(form.labText.Left(), 0);
    form.labText.SetCaption(std::string(60, '\n'));
    form.TimerTimer(&form.Timer);
    EXPECT_EQ(form.labText.Top(), 0);
}

TEST_F(Display, TheFiftyFirstMouseMoveCloses) {
    TfrmQuorbel& form = Open();
    form.MouseMoveCount = 0; // whatever the pointer did while the window appeared
    const int bottom = form.panelBottom.PixelBounds().top; // over either panel
    for (int i = 0; i < 50; ++i)
        SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(i, i % 2 ? i : bottom + i));
    EXPECT_FALSE(Application.Terminated());
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, bottom + 5));
    EXPECT_TRUE(Application.Terminated());
}

TEST_F(Display, MouseButtonsAndTheWheelDoNotClose) {
    TfrmQuorbel& form = Open();
    for (UINT message :
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL, WM_ACTIVATE})
        SendMessageA(form.Handle(), message, 0, 0);
    EXPECT_FALSE(Application.Terminated());
}

TEST_F(Display, EveryKeyCloses) {
    const struct {
        UINT message;
        WPARAM key;
    } keys[] = {{WM_KEYDOWN, VK_SHIFT},   {WM_KEYDOWN, VK_TAB}, {WM_KEYDOWN, VK_ESCAPE},
                {WM_SYSKEYDOWN, VK_MENU}, {WM_CHAR, 'a'},       {WM_CHAR, ' '}};
    for (const auto& k : keys) {
        TfrmQuorbel& form = Open();
        int handled = 0; // by the handlers: once, in the loop's first look
        form.OnKeyDown = [&](TObject* s, WORD& key, TShiftState shift) {
            ++handled;
            form.FormKeyDown(s, key, shift);
        };
        form.OnKeyPress = [&](TObject* s, wchar_t& key) {
            ++handled;
            form.FormKeyPress(s, key);
        };
        // Through the message loop, which gives the form the first look.
        PostMessageA(form.Handle(), k.message, k.key, 0);
        Application.ProcessMessages();
        EXPECT_TRUE(Application.Terminated()) << k.message << " " << k.key;
        EXPECT_EQ(handled, 1) << k.message << " " << k.key;
        TearDown();
        SetUp();
    }
}

// Runs the message loop until the program ends, or for at most five seconds.
void PumpUntilTerminated() {
    const DWORD start = GetTickCount();
    while (!Application.Terminated() && GetTickCount() - start < 5000)
        Pump(10);
}

// Another thread stands for another program: a message it sends waits in
// the queue like one from another process.
void SendFromAnotherThread(HWND window, UINT message) {
    std::thread other([window, message] {
        DWORD_PTR result;
        SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 5000, &result);
    });
    PumpUntilTerminated();
    other.join();
}

TEST_F(Display, EveryWayOutShowsTheTaskbarAgain) {
    const struct {
        const char* way;
        std::function<void(TfrmQuorbel&)> leave;
    } ways[] = {
        {"a key", [](TfrmQuorbel&) { Press('Q'); }},
        {"Alt+F4",
         [](TfrmQuorbel&) {
             Press({VK_MENU, VK_F4});
         }},
        {"the system's close command",
         [](TfrmQuorbel& form) { SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"the 51st mouse move",
         [](TfrmQuorbel& form) {
             form.MouseMoveCount = 0;
             for (int i = 0; i < 51; ++i)
                 PostMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(i, 9));
             PumpUntilTerminated();
         }},
        {"WM_CLOSE from another program",
         [](TfrmQuorbel& form) { SendFromAnotherThread(form.Handle(), WM_CLOSE); }},
        {"the session ending",
         [](TfrmQuorbel& form) {
             EXPECT_TRUE(SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0)); // no veto
             SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, 0);
         }},
    };
    for (const auto& w : ways) {
        EXPECT_TRUE(taskbar.Visible()) << w.way << ", before";
        TfrmQuorbel& form = Open();
        Pump();
        EXPECT_FALSE(taskbar.Visible()) << w.way << ", while open";
        w.leave(form);
        EXPECT_TRUE(Application.Terminated()) << w.way;
        EXPECT_TRUE(taskbar.Visible()) << w.way << ", after";
        MSG rest; // of a key press whose first key already closed the saver
        while (PeekMessageA(&rest, nullptr, WM_KEYFIRST, WM_MOUSELAST, PM_REMOVE))
            ;
        TearDown();
        SetUp();
    }
}

TEST_F(Display, ASessionEndThatIsCalledOffKeepsTheSaverRunning) {
    TfrmQuorbel& form = Open();
    EXPECT_TRUE(SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0));
    SendMessageA(form.Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(Application.Terminated());
    EXPECT_FALSE(taskbar.Visible());
}

UINT_PTR WINAPI NoTimer(HWND, UINT_PTR, UINT, TIMERPROC) {
    return 0;
}

// The system refuses the timer just after the taskbar went: the error is
// shown, the window opens as designed, and closing it shows the taskbar.
TEST_F(Display, AnErrorAfterTheTaskbarWentLeavesClosingToShowIt) {
    Taskbar standIn(Taskbar::StandIn);
    standIn.Show(true);
    std::optional<ImportPatch<decltype(&SetTimer)>> refused;
    standIn.OnHide = [&refused] {
        frmQuorbel->Timer.SetEnabled(false);
        refused.emplace("SetTimer", &NoTimer);
    };
    TfrmQuorbel& form = Open();
    refused.reset();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Nicht genügend Timer verfügbar.");
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(standIn.Visible());
    Press(VK_SPACE);
    EXPECT_TRUE(Application.Terminated());
    EXPECT_TRUE(standIn.Visible());
}

TEST_F(Display, ShowsTheTaskbarOnCloseEvenIfItWasHiddenBefore) {
    taskbar.Show(false);
    TfrmQuorbel& form = Open();
    SendMessageA(form.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(taskbar.Visible());
}

HWND WINAPI NoTaskbar(LPCWSTR, LPCWSTR) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

// The taskbar it hid is shown again where the search for it fails at the end.
TEST_F(Display, ShowsTheTaskbarItHidWhereItCannotFindItAgain) {
    TfrmQuorbel& form = Open();
    ASSERT_FALSE(taskbar.Visible());
    ImportPatch<decltype(&FindWindowW)> refused("FindWindowW", &NoTaskbar);
    SendMessageA(form.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(taskbar.Visible());
}

TEST_F(Display, ALoadErrorIsShownAndTheDesignedWindowOpensAnyway) {
    PutString("fontname", "Courier New");
    PutString("fontsize", "x");
    TfrmQuorbel& form = Open();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Ungültiger Datentyp für 'fontsize'");
    EXPECT_EQ(boxes[0].caption, "Quorbel");
    EXPECT_FALSE(boxes[0].overTheSaver); // shown once the creation handler is done
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(IsZoomed(form.Handle()));
    EXPECT_TRUE(taskbar.Visible());
    EXPECT_EQ(form.panelBottom.Height(), 41);
    EXPECT_EQ(form.panelMain.Color(), clNavy);
    EXPECT_EQ(form.labText.Caption(), "Velkor");
    EXPECT_EQ(form.panelBottom.Caption(), "Velkor Quorbel");
    EXPECT_EQ(form.labText.Font.Name(), "Courier New");
    EXPECT_EQ(form.labText.Font.Height(), -96);
    EXPECT_TRUE(form.Timer.Enabled());
    SendMessageA(form.Handle(), WM_KEYDOWN, VK_SPACE, 0); // keys still close
    EXPECT_TRUE(Application.Terminated());
}

TEST(ErrorDisplay, AddsAFullStopOnlyAfterCharactersBeyondIt) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {{"Fehler", "Fehler."},
                 {"Fehler.", "Fehler."},
                 {"Wert 'x'", "Wert 'x'"},
                 {"Ende ", "Ende "},
                 {"", ""},
                 {"Größe 9", "Größe 9."},
                 {"Klammer)", "Klammer)"},
                 {"ä", "ä."}};
    for (const auto& c : cases)
        EXPECT_EQ(ErrorDisplayText(c.message), c.shown) << c.message;
}

} // namespace
