// The settings dialog in-process, against the test prefix's registry,
// driven with real keys and clicks through the message loop.

#include "ImportPatch.h"
#include "Input.h"
#include "Layout.h"
#include "RegistryFixture.h"

#include "framework/WideText.h"
#include "forms/ufrmAbout.h"
#include "forms/ufrmSettings.h"

#include <aclapi.h>
#include <oleacc.h>
#include <colordlg.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> opened;

HINSTANCE WINAPI FakeShell(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
    opened.push_back(Narrow(file));
    return reinterpret_cast<HINSTANCE>(42);
}

// Answers the common dialog that the next click opens, once it shows.
class DialogAnswer {
  public:
    explicit DialogAnswer(std::function<void(HWND dialog)> answer) {
        answer_ = std::move(answer);
        timer_ = SetTimer(nullptr, 0, 100, Tick);
    }
    ~DialogAnswer() { KillTimer(nullptr, timer_); }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        const HWND dialog = FindWindowA("#32770", nullptr);
        if (dialog && IsWindowVisible(dialog) && answer_) {
            auto answer = std::move(answer_);
            answer_ = nullptr;
            answer(dialog);
        }
    }
    static inline std::function<void(HWND)> answer_;
    UINT_PTR timer_;
};

void Answer(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, button, 0);
}

std::string Display(const TMaskEdit& field) {
    return field.DisplayText();
}

class SettingsDialog : public RegistryTest {
  protected:
    void SetUp() override {
        RegistryTest::SetUp();
        opened.clear();
        Application.Title = "Quorbel";
        Application.ShowMessageBox = [this](HWND, const std::string& text, const std::string&,
                                            UINT) { boxes.push_back(text); };
        Application.OnSettingChange = LocaleSettingsChanged; // as the start-up hooks it
    }
    void TearDown() override {
        Application.DestroyForms();
        RegistryTest::TearDown();
    }
    TfrmSettings& Open() {
        Application.CreateForm(frmSettings);
        frmSettings->Shell = FakeShell;
        Pump();
        return *frmSettings;
    }
    static std::string Preview(int days, const char* date) {
        return "Noch " + std::to_string(days) + " Tage bis zum " + date;
    }
    static int DaysTo(int year, int month, int day, bool workWeek = false) {
        return CountDays(workWeek, Today(), EncodeDate(year, month, day));
    }
    std::vector<std::string> boxes;
};

TEST_F(SettingsDialog, AFirstRunShowsTheDefaults) {
    TfrmSettings& form = Open();
    EXPECT_EQ(form.Caption(), "Quorbel konfigurieren");
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 394);
    EXPECT_EQ(client.bottom, 357);
    EXPECT_EQ(Display(form.edtDate), "01.01.2010");
    EXPECT_FALSE(form.cbxWorkDays.Checked());
    EXPECT_EQ(form.edtText.Text(), "Noch %days% Tage bis zum %date%");
    EXPECT_EQ(form.panelPreview.Caption(), Preview(DaysTo(2010, 1, 1), "01.01.2010"));
    EXPECT_EQ(form.panelPreview.Color(), clNavy);
    EXPECT_EQ(form.panelPreview.Font.Name(), "Arial");
    EXPECT_EQ(form.panelPreview.Font.Size(), 32);
    EXPECT_EQ(form.panelPreview.Font.Style(), 0u);
    EXPECT_FALSE(IsWindowVisible(form.gbxCalender.Handle()));
    EXPECT_EQ(form.gbxCalender.Top(), 4);
    EXPECT_EQ(Focus(), form.btnOk.Handle());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsDialog, StoredSettingsFillTheControls) {
    PutString("ende", "24.12.2030");
    PutString("text", "%days% bis %DATE%");
    PutString("fontname", "Courier New");
    PutDword("fontsize", 20);
    PutDword("fontcolor", 0x00FFFF);
    PutDword("backgroundcolor", 0x000080);
    PutDword("workweek", 1);
    PutDword("fontitalic", 1);
    TfrmSettings& form = Open();
    EXPECT_EQ(Display(form.edtDate), "24.12.2030");
    EXPECT_TRUE(form.cbxWorkDays.Checked());
    EXPECT_EQ(form.panelPreview.Caption(),
              std::to_string(DaysTo(2030, 12, 24, true)) + " bis 24.12.2030");
    EXPECT_EQ(form.panelPreview.Color(), 0x000080);
    EXPECT_EQ(form.panelPreview.Font.Name(), "Courier New");
    EXPECT_EQ(form.panelPreview.Font.Color(), 0x00FFFF);
    EXPECT_EQ(form.panelPreview.Font.Style(), static_cast<TFontStyles>(fsItalic));
}

TEST_F(SettingsDialog, ThePreviewFollowsDateTextAndWorkDays) {
    TfrmSettings& form = Open();
    form.edtDate.SetFocus();
    SendMessageA(form.edtDate.Handle(), EM_SETSEL, 0, 10);
    Type("24122030");
    EXPECT_EQ(form.panelPreview.Caption(), Preview(DaysTo(2030, 12, 24), "24.12.2030"));

    Press(VK_TAB);
    Press(VK_TAB); // the work-day box
    Press(VK_SPACE);
    EXPECT_EQ(form.panelPreview.Caption(), Preview(DaysTo(2030, 12, 24, true), "24.12.2030"));

    form.edtText.SetFocus();
    Press({VK_CONTROL, 'A'});
    Type("x %days%");
    EXPECT_EQ(form.panelPreview.Caption(), "x " + std::to_string(DaysTo(2030, 12, 24, true)));

    // A paste from the context menu waits for the next key release.
    SendMessageA(form.edtText.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("!"));
    EXPECT_EQ(form.panelPreview.Caption(), "x " + std::to_string(DaysTo(2030, 12, 24, true)));
    Press(VK_END);
    EXPECT_EQ(form.panelPreview.Caption(), "x " + std::to_string(DaysTo(2030, 12, 24, true)) + "!");
}

void PickColour(HWND dialog, int red, int green, int blue) {
    SetDlgItemInt(dialog, COLOR_RED, red, FALSE);
    SetDlgItemInt(dialog, COLOR_GREEN, green, FALSE);
    SetDlgItemInt(dialog, COLOR_BLUE, blue, FALSE);
}

// What holds at every display scale: these run again at 144 and 192 ppi.
class ScaledSettingsDialog : public SettingsDialog {};

TEST_F(ScaledSettingsDialog, EveryControlAndFontIsItsDesignTimesTheScale) {
    TfrmSettings& form = Open();
    const int dpi = ScreenDpi();
    Click(form.btnCalender.Handle()); // the box and its calendar, shown
    ExpectScaledForm(form, 394, 357, dpi);
    // Pictures grow by whole pixels only, to the nearest multiple.
    const int glyph = form.btnInfo.Glyph.Size().cx;
    EXPECT_EQ(glyph % 16, 0);
    EXPECT_LE(std::abs(glyph - 16 * dpi / 96.0), 8.0);
}

// Wine never moves a window to a screen of another scale: the message is
// what Windows would send, with the rectangle it would suggest.
TEST_F(SettingsDialog, AMoveToAScreenOfAnotherScaleAndBackEndsInTheSameLayout) {
    TfrmSettings& form = Open();
    Click(form.btnCalender.Handle());
    std::vector<long> before;
    CollectLayout(form, before);
    const int dpi = ScreenDpi();
    for (int next : {dpi * 3 / 2, dpi}) {
        RECT suggested{0, 0, MulDiv(394, next, 96), MulDiv(357, next, 96)};
        AdjustWindowRectForDpi(suggested, GetWindowLongA(form.Handle(), GWL_STYLE),
                               GetWindowLongA(form.Handle(), GWL_EXSTYLE), next);
        RECT window;
        GetWindowRect(form.Handle(), &window);
        OffsetRect(&suggested, window.left - suggested.left, window.top - suggested.top);
        SendMessageA(form.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(next, next),
                     reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(form.Dpi(), next);
        ExpectScaledLayout(form, next);
    }
    std::vector<long> after;
    CollectLayout(form, after);
    EXPECT_EQ(after, before);
}

// At every scale: the dialog measures at the screen's resolution, and the
// size comes back in points.
TEST_F(ScaledSettingsDialog, FontAndColourChangeTheLookNotTheTextAndACancelChangesNothing) {
    TfrmSettings& form = Open();
    // A face this Wine prefix has under its own name; the dialog would
    // otherwise open on its first font instead of the preview's.
    form.panelPreview.Font.SetName("Liberation Sans");
    const std::string caption = form.panelPreview.Caption();
    for (int button : {IDCANCEL, IDOK}) {
        {
            DialogAnswer answer([button](HWND dialog) {
                SendDlgItemMessageA(dialog, 0x0411, BM_CLICK, 0, 0); // underline
                Answer(dialog, button);
            });
            Click(form.btnChangeFont.Handle());
        }
        {
            DialogAnswer answer([button](HWND dialog) {
                PickColour(dialog, 0x12, 0x34, 0x56);
                Answer(dialog, button);
            });
            Click(form.btnChangeColor.Handle());
        }
        const bool taken = button == IDOK;
        EXPECT_EQ(form.panelPreview.Font.Style(), taken ? fsUnderline : 0u) << button;
        EXPECT_EQ(form.panelPreview.Color(), taken ? 0x563412 : clNavy) << button;
    }
    EXPECT_EQ(form.panelPreview.Font.Name(), "Liberation Sans");
    EXPECT_EQ(form.panelPreview.Font.Size(), 32);
    EXPECT_EQ(form.panelPreview.Caption(), caption);

    Click(form.btnOk.Handle()); // underline is shown, not saved
    EXPECT_EQ(GetDword("backgroundcolor"), 0x563412u);
    EXPECT_EQ(GetDword("fontbold"), 0u);
    EXPECT_EQ(GetDword("fontitalic"), 0u);
}

TEST_F(SettingsDialog, OkWritesAllNineValuesAndEndsTheProgram) {
    TfrmSettings& form = Open();
    form.edtDate.SetText("05.06.2031");
    form.cbxWorkDays.SetChecked(true);
    form.edtText.SetText("Text");
    form.panelPreview.SetColor(0x123456);
    form.panelPreview.Font.SetStyle(fsBold | fsItalic | fsStrikeOut);
    Press({VK_MENU, 'O'});
    EXPECT_TRUE(Application.Terminated());
    EXPECT_EQ(GetRaw("ende").bytes, std::string("05.06.2031", 11));
    EXPECT_EQ(GetRaw("text").bytes, std::string("Text", 5));
    EXPECT_EQ(GetRaw("fontname").bytes, std::string("Arial", 6));
    EXPECT_EQ(GetDword("fontsize"), 32u);
    EXPECT_EQ(GetDword("fontcolor"), 0xFFFFFFu);
    EXPECT_EQ(GetDword("backgroundcolor"), 0x123456u);
    EXPECT_EQ(GetDword("workweek"), 1u);
    EXPECT_EQ(GetDword("fontbold"), 1u);
    EXPECT_EQ(GetDword("fontitalic"), 1u);
}

TEST_F(SettingsDialog, ADateThatDoesNotParseSavesToday) {
    for (const char* text : {"31.02.2027", "..2027"}) {
        TfrmSettings& form = Open();
        form.edtDate.SetText(text);
        Click(form.btnOk.Handle());
        EXPECT_EQ(GetRaw("ende").bytes, FormatShortDate(Today()) + '\0') << text;
        TearDown();
        SetUp();
    }
}

TEST_F(SettingsDialog, CancelAndTheCloseBoxWriteNothing) {
    for (bool closeBox : {false, true}) {
        TfrmSettings& form = Open();
        form.panelPreview.SetColor(0x00FF00);
        form.panelPreview.Font.SetName("Courier New");
        if (closeBox)
            SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
        else
            Press({VK_MENU, 'A'});
        EXPECT_TRUE(Application.Terminated());
        EXPECT_FALSE(ProgramKeyExists());
        TearDown();
        SetUp();
    }
}

TEST_F(SettingsDialog, EnterRightAfterOpeningSavesTheLoadedSettingsAndEnds) {
    PutString("ende", "24.12.2030");
    TfrmSettings& form = Open();
    ASSERT_EQ(Focus(), form.btnOk.Handle());
    Press(VK_RETURN);
    EXPECT_TRUE(Application.Terminated());
    EXPECT_EQ(GetRaw("ende").bytes, std::string("24.12.2030", 11));
    EXPECT_EQ(GetDword("fontsize"), 32u);
}

void Pick(TMonthCalendar& cal, int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    SendMessageA(cal.Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
}

std::string Picked(const TMonthCalendar& cal) {
    int year, month, day;
    cal.GetDate(year, month, day);
    return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
}

TEST_F(SettingsDialog, TheCalendarSeedsFromTheFieldAndOnlyCloseOrEnterTakeADayOver) {
    TfrmSettings& form = Open();
    form.edtDate.SetText("24.12.2030");
    Click(form.btnCalender.Handle());
    EXPECT_TRUE(IsWindowVisible(form.gbxCalender.Handle()));
    EXPECT_EQ(Picked(form.cal), "24.12.2030");

    Pick(form.cal, 2030, 12, 3);
    Click(form.btnCalender.Handle()); // seeds again, the picked day is dropped
    EXPECT_EQ(Picked(form.cal), "24.12.2030");
    EXPECT_EQ(Display(form.edtDate), "24.12.2030");

    Pick(form.cal, 2030, 12, 3);
    form.cal.SetFocus();
    Press(VK_RETURN); // the default button while the box is shown
    EXPECT_FALSE(IsWindowVisible(form.gbxCalender.Handle()));
    EXPECT_EQ(Display(form.edtDate), "03.12.2030");
    EXPECT_EQ(form.panelPreview.Caption(), Preview(DaysTo(2030, 12, 3), "03.12.2030"));

    Click(form.btnCalender.Handle());
    Pick(form.cal, 2031, 1, 7);
    Click(form.btnCloseCalender.Handle());
    EXPECT_EQ(Display(form.edtDate), "07.01.2031");

    form.edtDate.SetFocus(); // hidden box: Enter goes to the field
    Press(VK_RETURN);
    EXPECT_FALSE(Application.Terminated());
    EXPECT_FALSE(IsWindowVisible(form.gbxCalender.Handle()));
}

TEST_F(SettingsDialog, ADateTheCalendarRefusesIsReportedAndChangesNothing) {
    TfrmSettings& form = Open();
    const std::vector<std::string> refused{"Kalenderzeit oder -datum konnte nicht gesetzt werden."};
    form.edtDate.SetText("01.01.1600");
    Click(form.btnCalender.Handle());
    EXPECT_EQ(boxes, refused);
    EXPECT_FALSE(IsWindowVisible(form.gbxCalender.Handle())); // a hidden box stays hidden

    form.edtDate.SetText("24.12.2030");
    Click(form.btnCalender.Handle());
    form.edtDate.SetText("01.01.1600");
    boxes.clear();
    Click(form.btnCalender.Handle());
    EXPECT_EQ(boxes, refused);
    EXPECT_TRUE(IsWindowVisible(form.gbxCalender.Handle())); // a shown one stays shown
    EXPECT_EQ(Picked(form.cal), "24.12.2030");
    EXPECT_EQ(Display(form.edtDate), "01.01.1600");
}

TEST_F(SettingsDialog, TheShownBoxDisablesNothingBeneathIt) {
    TfrmSettings& form = Open();
    Click(form.btnCalender.Handle());
    ASSERT_TRUE(IsWindowVisible(form.gbxCalender.Handle()));
    form.edtDate.SetFocus();
    Press(VK_TAB); // the calendar button, stacked above the box
    EXPECT_EQ(Focus(), form.btnCalender.Handle());
    Press(VK_TAB); // the covered check box
    EXPECT_EQ(Focus(), form.cbxWorkDays.Handle());
    Press(VK_SPACE);
    EXPECT_TRUE(form.cbxWorkDays.Checked());
    {
        DialogAnswer answer([](HWND dialog) { Answer(dialog, IDCANCEL); });
        Press({VK_MENU, 'F'}); // "&Farbe ändern", partly covered, opens its dialog
    }
    EXPECT_EQ(Focus(), form.btnChangeColor.Handle());
    EXPECT_TRUE(IsWindowVisible(form.gbxCalender.Handle()));
}

TEST_F(SettingsDialog, AChangedDateWithoutAYearStopsOkAndEnterChecksItOnlyWhileTheBoxIsHidden) {
    TfrmSettings& form = Open();
    form.edtDate.SetFocus();
    SendMessageA(form.edtDate.Handle(), EM_SETSEL, 0, 10);
    Type("2412");
    Press({VK_MENU, 'O'});
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(Application.Terminated());
    EXPECT_FALSE(ProgramKeyExists());
    EXPECT_EQ(Focus(), form.edtDate.Handle());

    Press(VK_RETURN); // the box is hidden: the field checks
    EXPECT_EQ(boxes.size(), 2u);

    Click(form.btnCalender.Handle()); // the button is no control to leave the field for
    EXPECT_EQ(boxes.size(), 3u);
    form.btnCalender.Click(); // the program opens the box
    form.edtDate.SetFocus();
    Press(VK_RETURN); // the box is shown: Enter goes to "Schließen"
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_FALSE(IsWindowVisible(form.gbxCalender.Handle()));
}

TEST_F(SettingsDialog, TheApplicationWindowIsTheOneTaskbarEntryAndClosingItWritesNothing) {
    TfrmSettings& form = Open();
    EXPECT_TRUE(IsWindowVisible(Application.Handle()));
    char caption[32] = "";
    GetWindowTextA(Application.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Quorbel");
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), Application.Handle());
    Click(form.btnInfo.Handle());
    EXPECT_EQ(GetWindow(frmAbout->Handle(), GW_OWNER), Application.Handle());
    EXPECT_FALSE(GetWindowLongA(frmAbout->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

    SendMessageA(Application.Handle(), WM_CLOSE, 0, 0); // the entry's Close
    EXPECT_TRUE(Application.Terminated());
    EXPECT_FALSE(ProgramKeyExists());
}

TEST_F(SettingsDialog, InfoShowsOneAboutDialogAndGiftsGoToTheShell) {
    TfrmSettings& form = Open();
    Click(form.btnInfo.Handle());
    Pump();
    TfrmAbout* first = frmAbout;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Focus(), first->btnClose.Handle());
    Press(VK_RETURN); // closes the About dialog only
    EXPECT_FALSE(IsWindowVisible(first->Handle()));
    EXPECT_FALSE(Application.Terminated());
    Click(form.btnInfo.Handle());
    Click(form.btnInfo.Handle());
    Pump();
    EXPECT_EQ(frmAbout, first);
    EXPECT_TRUE(IsWindowVisible(first->Handle()));
    EXPECT_EQ(Focus(), first->btnClose.Handle());

    Click(form.btnGeschenke.Handle());
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.example.com/geschenke.html"});
}

TEST_F(SettingsDialog, AFailedLoadOpensTheDesignedDialogAndOkRepairsTheStore) {
    PutString("fontname", "Courier New");
    PutString("fontsize", "x");
    TfrmSettings& form = Open();
    EXPECT_EQ(boxes, std::vector<std::string>{"Ungültiger Datentyp für 'fontsize'"});
    EXPECT_EQ(Display(form.edtDate), "__.__.____");
    EXPECT_EQ(form.edtText.Text(), "");
    EXPECT_FALSE(form.cbxWorkDays.Checked());
    EXPECT_EQ(form.panelPreview.Caption(), "Vorschau");
    EXPECT_EQ(form.panelPreview.Color(), clNavy);
    EXPECT_EQ(form.panelPreview.Font.Name(), "Courier New"); // loaded before the failure
    EXPECT_EQ(form.panelPreview.Font.Height(), -37);
    EXPECT_EQ(form.gbxCalender.Top(), 220);

    Click(form.btnOk.Handle());
    EXPECT_EQ(GetRaw("fontsize").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(GetRaw("ende").bytes, FormatShortDate(Today()) + '\0');
}

// A key that refuses every write, as for a user without the right to it;
// afterwards one that allows everything again.
void DenyWrites(bool deny) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, ProgramKey, 0, nullptr, 0,
                              READ_CONTROL | WRITE_DAC, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPLICIT_ACCESS_A entry{};
    BuildExplicitAccessWithNameA(&entry, const_cast<char*>("EVERYONE"),
                                 deny ? KEY_SET_VALUE : KEY_ALL_ACCESS,
                                 deny ? DENY_ACCESS : SET_ACCESS, NO_INHERITANCE);
    PACL acl = nullptr;
    SetEntriesInAclA(1, &entry, nullptr, &acl);
    SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl,
                    nullptr);
    LocalFree(acl);
    RegCloseKey(key);
}

TEST_F(SettingsDialog, AFailedSaveKeepsTheDialogOpen) {
    TfrmSettings& form = Open();
    DenyWrites(true);
    form.edtText.SetText("Neu");
    Click(form.btnOk.Handle());
    DenyWrites(false);
    EXPECT_EQ(boxes, std::vector<std::string>{"Fehler beim Setzen der Daten für 'ende'"});
    EXPECT_FALSE(Application.Terminated());
    EXPECT_EQ(TextTemplate, "Neu"); // the record holds the dialog's values
}

int WINAPI NoTextLength(HWND) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}

// A text the field will not give is no empty one: OK stores nothing, and
// the preview keeps what it showed, without a box between two keys.
TEST_F(SettingsDialog, AnUnreadableTextIsAnErrorAndOkSavesNothing) {
    TfrmSettings& form = Open();
    const std::string preview = form.panelPreview.Caption();
    form.edtText.SetText("Mein Text");
    {
        ImportPatch<decltype(&GetWindowTextLengthW)> refused("GetWindowTextLengthW", &NoTextLength);
        form.UpdatePreview();
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(form.panelPreview.Caption(), preview);
        Click(form.btnOk.Handle());
    }
    EXPECT_EQ(boxes,
              std::vector<std::string>{"Der Text des Eingabefelds kann nicht gelesen werden."});
    EXPECT_FALSE(Application.Terminated());
    EXPECT_FALSE(ProgramKeyExists());
}

using CreateWindowFunction = decltype(&CreateWindowExW);
CreateWindowFunction realCreateWindow = nullptr;

HWND WINAPI NoTooltip(DWORD exStyle, LPCWSTR className, LPCWSTR name, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                      LPVOID parameter) {
    if (!IS_INTRESOURCE(className) && std::wcscmp(className, TOOLTIPS_CLASSW) == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return realCreateWindow(exStyle, className, name, style, x, y, width, height, parent, menu,
                            instance, parameter);
}

// An About dialog whose windows cannot all be made is not kept half made:
// the error box, and the next "Info" makes it whole.
TEST_F(SettingsDialog, AnAboutDialogNotMadeWholeIsMadeAnewAtTheNextInfo) {
    TfrmSettings& form = Open();
    {
        ImportPatch<CreateWindowFunction> refused("CreateWindowExW", &NoTooltip);
        realCreateWindow = refused.Original();
        Click(form.btnInfo.Handle());
    }
    EXPECT_EQ(boxes, std::vector<std::string>{"Fenster kann nicht erstellt werden."});
    EXPECT_EQ(frmAbout, nullptr);
    Click(form.btnInfo.Handle());
    ASSERT_NE(frmAbout, nullptr);
    EXPECT_TRUE(IsWindowVisible(frmAbout->Handle()));
}

// The user's short date format for one test, changed as the control panel
// changes it and put back however the test ends.
class RegionalSettings {
  public:
    RegionalSettings(const char* shortDate, const char* separator)
        : shortDate_(Get(LOCALE_SSHORTDATE)), separator_(Get(LOCALE_SDATE)) {
        Set(shortDate, separator);
    }
    ~RegionalSettings() { Set(shortDate_.c_str(), separator_.c_str()); }

  private:
    static std::string Get(LCTYPE item) {
        char value[80] = "";
        GetLocaleInfoA(LOCALE_USER_DEFAULT, item, value, sizeof value);
        return value;
    }
    static void Set(const char* shortDate, const char* separator) {
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, separator);
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, shortDate);
        DWORD_PTR result;
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"),
                            SMTO_ABORTIFHUNG, 5000, &result);
        Pump();
    }
    std::string shortDate_, separator_;
};

TEST_F(SettingsDialog, AChangedShortDateFormatReachesTheOpenDialog) {
    TfrmSettings& form = Open();
    form.edtText.SetText("%date%");
    RegionalSettings changed("dd/MM/yyyy", "/");
    EXPECT_EQ(Display(form.edtDate), "01/01/2010");
    EXPECT_EQ(form.panelPreview.Caption(), "01/01/2010");
    Click(form.btnOk.Handle());
    EXPECT_EQ(GetRaw("ende").bytes, std::string("01/01/2010", 11));
}

// The real program, started with the show request a shortcut set to
// "Minimiert" passes, and given the time to settle.
class StartedProgram {
  public:
    StartedProgram(const char* argument, WORD show) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = show;
        std::string command = std::string("\"") + QUORBEL_SCR_PATH + "\" " + argument;
        EXPECT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process_));
        WaitForInputIdle(process_.hProcess, 20000);
    }
    ~StartedProgram() {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) { // a test failed
            TerminateProcess(process_.hProcess, 99);
            ShowWindow(FindWindowA("Shell_TrayWnd", nullptr), SW_SHOWNOACTIVATE);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    HWND Window(const char* className, const char* caption) const {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, caption));)
            if (GetWindowThreadProcessId(w, nullptr) == process_.dwThreadId)
                return w;
        return nullptr;
    }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(process_.hProcess, 20000);
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

  private:
    PROCESS_INFORMATION process_{};
};

using StartedMinimised = RegistryTest; // the settings as a first run has them

TEST_F(StartedMinimised, TheDialogWaitsInItsTaskbarEntryAndTheDisplayIgnoresTheRequest) {
    {
        StartedProgram program("/c", SW_SHOWMINNOACTIVE);
        const HWND entry = program.Window("QuorbelApplication", "Quorbel");
        const HWND dialog = program.Window("QuorbelControl", "Quorbel konfigurieren");
        ASSERT_TRUE(entry && dialog);
        EXPECT_TRUE(IsIconic(entry));
        EXPECT_FALSE(IsWindowVisible(dialog));

        DWORD_PTR result;
        SendMessageTimeoutA(entry, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 5000, &result);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(GetForegroundWindow(), dialog);
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
        EXPECT_EQ(thread.hwndFocus, FindWindowExA(dialog, nullptr, "Button", "&Ok"));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    {
        // Its taskbar is hidden: a minimised display could be reached by nothing.
        StartedProgram program("/s", SW_SHOWMINNOACTIVE);
        const HWND display = program.Window("QuorbelControl", "Bildschirmschoner");
        ASSERT_TRUE(display);
        EXPECT_TRUE(IsWindowVisible(display));
        EXPECT_FALSE(IsIconic(display));
        PostMessageA(display, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.ExitCode(), 0u);
    }
}

// --- Text in any script ------------------------------------------------------

// Latin Extended, Greek, Cyrillic, CJK, an emoji, and a lone surrogate that
// only the registry may hold.
const std::u16string AnyScript =
    u"Zürich – Kraków ≠ Αθήνα · Київ 😀 中文 " + std::u16string(1, char16_t(0xD800));

TEST_F(SettingsDialog, AStoredTextInAnyScriptGoesBackUnitForUnit) {
    const std::u16string stored = AnyScript + u'\0';
    PutRaw("text", REG_SZ, stored.data(), static_cast<DWORD>(stored.size() * 2), true);
    TfrmSettings& form = Open();
    EXPECT_EQ(form.edtText.Text(), FromUtf16(AnyScript));
    Click(form.btnOk.Handle());
    EXPECT_EQ(GetUnits("text"), stored);
}

// Half of a character is never shown: the preview follows each key released
// once the character is whole, and a pasted text comes in whole.
TEST_F(SettingsDialog, ACharacterBeyondTheBmpIsTypedWholeAndUnicodeTextIsPasted) {
    TfrmSettings& form = Open();
    std::vector<std::string> previews;
    form.edtText.OnKeyUp = [&](TObject* sender, WORD& key, TShiftState shift) {
        form.edtTextKeyUp(sender, key, shift);
        previews.push_back(form.panelPreview.Caption());
    };
    form.edtText.SetText("");
    form.edtText.SetFocus();
    TypeUnits(u"😀");
    EXPECT_EQ(form.edtText.Text(), u8"😀");
    EXPECT_EQ(previews, std::vector<std::string>{u8"😀"});

    PutClipboardText(form.Handle(), u"Київ ≠ Kraków");
    form.edtText.SetText("");
    Press({VK_CONTROL, 'V'});
    EXPECT_EQ(form.edtText.Text(), u8"Київ ≠ Kraków");
    EXPECT_EQ(form.panelPreview.Caption(), u8"Київ ≠ Kraków");
}

// The preview draws the letters of other scripts, where a narrow text
// would have shown question marks.
TEST_F(SettingsDialog, ThePreviewDrawsLettersOfOtherScripts) {
    TfrmSettings& form = Open();
    const RECT area = PlacedRect(form.panelPreview);
    form.edtText.SetText(u8"Łódź Αθήνα Київ");
    form.UpdatePreview();
    const auto letters = Pixels(form.Handle(), area);
    form.edtText.SetText(u8"?ód? ????? ????");
    form.UpdatePreview();
    EXPECT_NE(letters, Pixels(form.Handle(), area));
}

// The test prefix has a face of that name: Liberation Sans under a Japanese
// one (tests/font-names.reg).
TEST_F(SettingsDialog, AFaceNameBeyondTheCodePageGoesThroughTheFontDialogAndTheStore) {
    TfrmSettings& form = Open();
    form.panelPreview.Font.SetName(u8"メイリオ");
    {
        DialogAnswer answer([](HWND dialog) { Answer(dialog, IDOK); });
        Click(form.btnChangeFont.Handle());
    }
    EXPECT_EQ(form.panelPreview.Font.Name(), u8"メイリオ");
    Click(form.btnOk.Handle());
    EXPECT_EQ(GetUnits("fontname"), u"メイリオ" + std::u16string(1, u'\0'));
}

// --- Names for screen readers --------------------------------------------------

// What a screen reader reads for a window, asked the way it asks.
std::string ReaderName(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return "(kein Objekt)";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const bool named = object->get_accName(self, &name) == S_OK && name;
    const std::string text = named ? Narrow(name, SysStringLen(name)) : std::string();
    SysFreeString(name);
    object->Release();
    return text;
}

BOOL CALLBACK CollectFocusable(HWND window, LPARAM found) {
    if (TWinControl* control = TWinControl::FromHandle(window); control && control->TakesFocus())
        reinterpret_cast<std::vector<TWinControl*>*>(found)->push_back(control);
    return TRUE;
}

// The settings dialog, its calendar box and the About dialog: every control
// that can take the focus is in the table, with the name read for it.
TEST_F(SettingsDialog, EveryControlThatTakesTheFocusHasAName) {
    const HRESULT com = CoInitialize(nullptr); // as the program's start does
    TfrmSettings& form = Open();
    Click(form.btnCalender.Handle());
    Click(form.btnInfo.Handle());
    const std::vector<std::pair<TWinControl*, std::string>> names = {
        {&form.edtDate, "Datum"},
        {&form.btnCalender, "Kalender öffnen"},
        {&form.cbxWorkDays, "Nur Arbeitstage"},
        {&form.edtText, "Text"},
        {&form.btnChangeFont, "Schrift ändern"},
        {&form.btnChangeColor, "Farbe ändern"},
        {&form.btnInfo, "Info"},
        {&form.btnGeschenke, "Geschenke"},
        {&form.btnOk, "Ok"},
        {&form.btnCancel, "Abbrechen"},
        {&form.cal, "Wähle ein Datum"},
        {&form.btnCloseCalender, "Schließen"},
        {&frmAbout->btnClose, "Schließen"},
    };
    for (const auto& [control, name] : names)
        EXPECT_EQ(ReaderName(control->Handle()), name);
    std::vector<TWinControl*> focusable;
    for (HWND dialog : {form.Handle(), frmAbout->Handle()})
        EnumChildWindows(dialog, CollectFocusable, reinterpret_cast<LPARAM>(&focusable));
    for (TWinControl* control : focusable)
        EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                                [control](const auto& row) { return row.first == control; }))
            << ReaderName(control->Handle()) << " is not in the table";
    Application.DestroyForms();
    if (SUCCEEDED(com))
        CoUninitialize();
}

} // namespace
