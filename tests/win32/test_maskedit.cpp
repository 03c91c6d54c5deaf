// The date field under Wine, typed into with real keys.

#include "Input.h"

#include "core/uConst.h"
#include "framework/Buttons.h"
#include "framework/Design.h"
#include "framework/Edits.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TfrmField : public TForm {
  public:
    TfrmField();
    TMaskEdit edtDate{this};
    TEdit edtOther{this};
    TButton btnGo{this};
    void edtDateChange(TObject*) { changes.push_back(edtDate.Text()); }
    void btnGoClick(TObject*) { ++goClicks; }
    std::vector<std::string> changes;
    int goClicks = 0;
};

using F = TfrmField;
const TFontDesign Plain{"MS Sans Serif", -11, 0, clWindowText};
const TFontDesign DateFont{"Arial", -16, fsBold | fsItalic, clPurple};

TfrmField::TfrmField() {
    edtDate.SetSeparator("."); // before the change event is bound
    // clang-format off
    ApplyDesign(*this,
        TFormDesign<F>{"Datumsfeld", {300, 110}, Plain}.Border(TBorderStyle::Single, biSystemMenu)
            .ActiveControl(&F::edtDate),
        //  member        parent  position size       caption  font      tab
        Row{&F::edtDate,  OnForm, {8, 8},  {137, 26}, "",      DateFont, 0}.OnChange(&F::edtDateChange),
        Row{&F::edtOther, OnForm, {8, 40}, {137, 26}, "",      Plain,    1},
        Row{&F::btnGo,    OnForm, {8, 75}, {85, 25},  "&Go",   Plain,    2}.OnClick(&F::btnGoClick));
    // clang-format on
}

TfrmField* frmField = nullptr;

std::string WindowText(HWND window) {
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string WideWindowText(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    return Narrow(text);
}

int Caret(HWND window) {
    DWORD start = 0;
    SendMessageA(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

class DateField : public ::testing::Test {
  protected:
    void SetUp() override {
        SetDateFormatSettings("dd.MM.yyyy", ".");
        Application.Title = "Quorbel";
        Application.ShowMessageBox = [this](HWND, const std::string& text, const std::string&,
                                            UINT) { boxes.push_back(text); };
        Application.CreateForm(frmField);
        Pump();
        field = frmField->edtDate.Handle();
    }
    void TearDown() override { Application.DestroyForms(); }
    std::vector<std::string> boxes;
    HWND field = nullptr;
};

TEST_F(DateField, TypingFillsThePositionsAndSeparatorsJump) {
    EXPECT_EQ(WindowText(field), "__.__.____");
    Type("24122026");
    EXPECT_EQ(WindowText(field), "24.12.2026");
    EXPECT_EQ(frmField->edtDate.Text(), "24.12.2026");
    EXPECT_EQ(frmField->changes.size(), 8u); // each digit changes the built text

    frmField->edtDate.SetText("");
    Type("1.");
    EXPECT_EQ(Caret(field), 3);
    Type("2.2026");
    EXPECT_EQ(WindowText(field), "1_.2_.2026");
    EXPECT_EQ(frmField->edtDate.Text(), " 1. 2.2026");
}

TEST_F(DateField, BackspaceAndDeleteEmptyThePositionsTheyRemove) {
    frmField->edtDate.SetText("24.12.2026");
    SendMessageA(field, EM_SETSEL, 6, 6);
    Press(VK_BACK); // over the separator
    EXPECT_EQ(WindowText(field), "24.1_.2026");
    Press(VK_DELETE);
    EXPECT_EQ(WindowText(field), "24.1_.2026"); // a separator stays
    SendMessageA(field, EM_SETSEL, 0, 0);
    Press(VK_DELETE);
    EXPECT_EQ(WindowText(field), "_4.1_.2026");
    // The caret never rests before a separator, whichever key moves it.
    SendMessageA(field, EM_SETSEL, 1, 1);
    Press(VK_RIGHT);
    EXPECT_EQ(Caret(field), 3);
    Press(VK_LEFT);
    EXPECT_EQ(Caret(field), 1);
    Press(VK_DOWN);
    EXPECT_EQ(Caret(field), 3);
    Press(VK_UP);
    EXPECT_EQ(Caret(field), 1);
}

TEST_F(DateField, LeavingAYearLessFieldFailsTheCheckAndKeepsTheFocus) {
    Type("2412");
    ASSERT_EQ(WindowText(field), "24.12.____");
    ASSERT_TRUE(frmField->edtDate.Modified());
    Press(VK_TAB);
    EXPECT_EQ(Focus(), field);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0],
              "Ungültiger Eingabewert. Mit der Taste ESC machen Sie die Änderungen rückgängig.");
    EXPECT_EQ(Caret(field), 6); // the first empty year position

    Click(frmField->btnGo.Handle()); // the failed check cancels the click
    EXPECT_EQ(frmField->goClicks, 0);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(Focus(), field);

    Press(VK_ESCAPE); // back to the text it had on getting the focus
    EXPECT_EQ(WindowText(field), "__.__.____");
    Press(VK_TAB); // unchanged now: no check
    EXPECT_EQ(Focus(), frmField->edtOther.Handle());
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(DateField, AFullYearPassesAndAnUntouchedFieldIsNeverChecked) {
    Press(VK_TAB); // empty but unchanged
    EXPECT_TRUE(boxes.empty());
    frmField->edtDate.SetFocus();
    Type("..2026");
    Click(frmField->btnGo.Handle());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(frmField->goClicks, 1);
}

TEST_F(DateField, AProgramSetTextIsFittedAndRaisesTheChangeEvent) {
    frmField->edtDate.SetText("1.2.26");
    EXPECT_EQ(WindowText(field), "_1._2.__26");
    EXPECT_EQ(frmField->changes, std::vector<std::string>{" 1. 2.  26"});
    frmField->edtDate.SetSeparator("/");
    EXPECT_EQ(WindowText(field), "_1/_2/__26");
}

TEST_F(DateField, PasteTheContextMenuCommandsAndTheirKeysGoThroughTheMask) {
    frmField->edtOther.SetText("3x1.12.2027");
    SendMessageA(frmField->edtOther.Handle(), EM_SETSEL, 0, -1);
    SendMessageA(frmField->edtOther.Handle(), WM_COPY, 0, 0);
    SendMessageA(field, EM_SETSEL, 0, 0);
    SendMessageA(field, WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(field), "31.12.2027"); // the letter was dropped
    SendMessageA(field, EM_SETSEL, 0, 2);
    SendMessageA(field, WM_CLEAR, 0, 0);
    EXPECT_EQ(WindowText(field), "__.12.2027");
    SendMessageA(field, WM_UNDO, 0, 0);
    EXPECT_EQ(WindowText(field), "31.12.2027");
    SendMessageA(field, EM_SETSEL, 0, 0);
    Press({VK_SHIFT, VK_INSERT}); // the edit's own paste key
    EXPECT_EQ(WindowText(field), "31.12.2027");
    SendMessageA(field, EM_REPLACESEL, TRUE, 0); // no text: nothing to put in
    EXPECT_EQ(WindowText(field), "31.12.2027");
    SendMessageA(field, EM_SETSEL, 0, 2);
    Press({VK_CONTROL, 'X'});
    EXPECT_EQ(WindowText(field), "__.12.2027");
    SendMessageA(field, EM_SETSEL, 3, 5);
    Press({VK_CONTROL, 'V'});
    EXPECT_EQ(WindowText(field), "__.31.2027");
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(WindowText(field), "__.12.2027");
    EXPECT_TRUE(boxes.empty());
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kaputt"));
    EXPECT_EQ(WindowText(field).size(), 10u);
}

// A separator beyond the code page, pasted as Unicode text and typed as the
// key an input method sends for it; a character beyond the BMP typed into
// the field is refused whole, not taken half.
TEST_F(DateField, ASeparatorBeyondTheCodePageIsPastedAndTyped) {
    frmField->edtDate.SetSeparator(u8"ㆍ");
    PutClipboardText(frmField->Handle(), u"24ㆍ12ㆍ2030");
    SendMessageW(field, EM_SETSEL, 0, 0);
    SendMessageW(field, WM_PASTE, 0, 0);
    EXPECT_EQ(frmField->edtDate.DisplayText(), u8"24ㆍ12ㆍ2030");

    frmField->edtDate.SetText("");
    Type("1");
    TypeUnits(u"ㆍ😀");
    Type("2");
    EXPECT_EQ(frmField->edtDate.DisplayText(), u8"1_ㆍ2_ㆍ____");
    SendMessageW(field, WM_IME_CHAR, L'4', 0); // an input method's result
    SendMessageW(field, WM_IME_CHAR, L'x', 0);
    Pump();
    EXPECT_EQ(frmField->edtDate.DisplayText(), u8"1_ㆍ24ㆍ____");
    EXPECT_EQ(WideWindowText(field), frmField->edtDate.DisplayText());
}

} // namespace
