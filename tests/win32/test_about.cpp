// The About dialog, made beside a stand-in main window as the settings
// dialog makes it.

#include "Input.h"
#include "Layout.h"

#include "framework/WideText.h"
#include "forms/ufrmAbout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// "Version 2.2" as the version record this program carries says it: the
// major and minor parts of its fixed file version.
std::string VersionOfOwnRecord() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const DWORD size = SizeofResource(nullptr, found);
    for (DWORD at = 0; data && at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, data + at, sizeof fixed);
        if (fixed.dwSignature == VS_FFI_SIGNATURE)
            return "Version " + std::to_string(HIWORD(fixed.dwFileVersionMS)) + "." +
                   std::to_string(LOWORD(fixed.dwFileVersionMS));
    }
    return "no version record";
}

std::vector<std::string> opened;

HINSTANCE WINAPI FakeShell(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
    opened.push_back(Narrow(file));
    return reinterpret_cast<HINSTANCE>(42);
}

class TMainStandIn : public TForm {
  public:
    TMainStandIn() = default;
};
TMainStandIn* frmMain = nullptr;

class About : public ::testing::Test {
  protected:
    void SetUp() override {
        opened.clear();
        Application.Title = "Quorbel";
        Application.ShowMessageBox = [this](HWND, const std::string& text, const std::string&,
                                            UINT) { boxes.push_back(text); };
        Application.CreateForm(frmMain);
        Application.CreateForm(frmAbout);
        frmAbout->Shell = FakeShell;
        frmAbout->Show();
        Pump();
    }
    void TearDown() override { Application.DestroyForms(); }
    static void Click(TLinkButton& link) {
        SendMessageA(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    std::vector<std::string> boxes;
};

TEST_F(About, CreationSetsTheHintsAndCaptions) {
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(frmAbout->btnEmail.Hint(), "autor@example.com");
    EXPECT_EQ(frmAbout->btnWebsite.Hint(), "https://www.example.com/quorbel/");
    EXPECT_EQ(frmAbout->Name.Caption(), "Quorbel");
    EXPECT_EQ(frmAbout->Version.Caption(), VersionOfOwnRecord());
    EXPECT_EQ(frmAbout->Caption(), "Info");
    RECT client;
    GetClientRect(frmAbout->Handle(), &client);
    EXPECT_EQ(client.right, 385);
    EXPECT_EQ(client.bottom, 201);
}

TEST_F(About, ThePictureIsDecodedAndStretchedToItsFrame) {
    EXPECT_NE(frmAbout->Image1.Picture(), nullptr);
    EXPECT_EQ(frmAbout->Image1.PictureSize().cx, 388);
    EXPECT_EQ(frmAbout->Image1.PictureSize().cy, 580);
    EXPECT_EQ(frmAbout->Image1.Width(), 97);
    EXPECT_EQ(frmAbout->Image1.Height(), 145);
}

// What holds at every display scale: this runs again at 144 and 192 ppi.
class ScaledAbout : public About {};

TEST_F(ScaledAbout, EveryControlAndFontIsItsDesignTimesTheScale) {
    ExpectScaledForm(*frmAbout, 385, 201, ScreenDpi());
}

TEST(AboutShell, TheLinksGoToTheRealShellUnlessATestSaysOtherwise) {
    Application.CreateForm(frmAbout);
    EXPECT_EQ(frmAbout->Shell, &ShellExecuteOnDemand);
    Application.DestroyForms();
}

TEST_F(About, LinksGoToTheShellAndTheDialogStaysOpen) {
    Click(frmAbout->btnEmail);
    Click(frmAbout->btnWebsite);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], "mailto:autor@example.com");
    EXPECT_EQ(opened[1], "https://www.example.com/quorbel/");
    EXPECT_TRUE(IsWindowVisible(frmAbout->Handle()));

    // A press whose capture another window takes is called off.
    SendMessageA(frmAbout->btnEmail.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SetCapture(frmAbout->Handle());
    ReleaseCapture();
    SendMessageA(frmAbout->btnEmail.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(About, OnlyTheCloseButtonTakesTheFocus) {
    EXPECT_TRUE(GetWindowLongA(frmAbout->btnClose.Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongA(frmAbout->btnEmail.Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongA(frmAbout->btnWebsite.Handle(), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(About, ClosingOnlyHidesAndTheSameDialogShowsAgain) {
    TfrmAbout* first = frmAbout;
    SendMessageA(frmAbout->btnClose.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(first->Handle()));
    EXPECT_FALSE(Application.Terminated());
    first->Show();
    SendMessageA(first->Handle(), WM_CLOSE, 0, 0); // the title bar's close box
    EXPECT_FALSE(IsWindowVisible(first->Handle()));
    EXPECT_FALSE(Application.Terminated());
    EXPECT_EQ(frmAbout, first);
    EXPECT_NE(first->Handle(), nullptr);
}

// The keyboard alone.
TEST_F(About, CloseHasTheFocusAndTabStaysOnIt) {
    EXPECT_EQ(Focus(), frmAbout->btnClose.Handle());
    Press(VK_TAB);
    EXPECT_EQ(Focus(), frmAbout->btnClose.Handle());
}

TEST_F(About, EnterSpaceAndAltSEachClose) {
    for (std::initializer_list<WORD> keys :
         {std::initializer_list<WORD>{VK_RETURN}, {VK_SPACE}, {VK_MENU, 'S'}}) {
        frmAbout->Show();
        Pump();
        ASSERT_TRUE(IsWindowVisible(frmAbout->Handle()));
        Press(keys);
        EXPECT_FALSE(IsWindowVisible(frmAbout->Handle())) << *keys.begin();
    }
}

} // namespace
