#pragma once
// Input fields over the system's EDIT control: a plain one, and the date
// field whose every edit goes through the date mask.

#include "framework/WinControl.h"
#include "framework/DateMask.h"

#include <string>

class TEdit : public TWinControl {
  public:
    explicit TEdit(TComponent* owner) : TWinControl(owner) { SetColor(clWindow); }
    ~TEdit() override { DestroyHandle(); } // before the brush it was given
    struct Options {
        int maxLength = 0;
    };
    void ApplyOptions(const Options& options);

    // Read from the window once it exists, so what the user typed counts; a
    // text Windows will not give is an error, never an empty text.
    virtual std::string Text() const;
    // The same, false where Windows will not give the text.
    bool ReadText(std::string& text) const;
    virtual void SetText(const std::string& text);
    int MaxLength = 0; // 0: no limit; set before the window is made

    TNotifyEvent OnChange; // every change of the text
    TKeyEvent OnKeyUp;     // every key released while it has the focus

    bool TakesFocus() const override { return true; }
    bool UsesParentColor() const override { return false; }
    char Accelerator() const override { return 0; } // its text is the user's
    void EnteredByTab() override;

  protected:
    const wchar_t* SystemClass() const override { return L"EDIT"; }
    DWORD WindowStyle() const override;
    DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }
    void HandleCreated() override;
    void Notify(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Changed();

  private:
    BrushHandle brush_;
    TColor brushColor_ = 0;
    bool halfCharacter_ = false; // the high half of a surrogate pair was typed
};

// The date field: two optional two-digit groups and a required year, with
// the locale's separator between them. The window shows the mask's display
// text; Text() is the text built for the date parser.
//
// The check runs before the focus moves to another control of the form
// (asked by the form's keyboard model, where the loop first sees the key or
// mouse press, so no message box ever opens inside WM_KILLFOCUS) and on
// Enter, and only after the user changed the text since the field got the
// focus or the program last set it. Switching to another window is not
// leaving the field.
class TMaskEdit : public TEdit {
  public:
    explicit TMaskEdit(TComponent* owner);

    std::string Text() const override { return mask_.Text(); }
    void SetText(const std::string& text) override;
    std::string DisplayText() const { return mask_.DisplayText(); }
    // The locale's date separator, shown between the groups.
    void SetSeparator(const std::string& separator);
    bool Modified() const { return modified_; }

    void BeforeLeave() override;
    bool WantsKey(WORD key) const override { return key == VK_RETURN || key == VK_ESCAPE; }

  protected:
    void HandleCreated() override;
    void Notify(WORD) override {} // the mask raises OnChange itself
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Selection(int& start, int& end) const;
    void Select(int start, int end);
    void SnapCaret(bool forward);
    void Apply(const TDateMask& before, const TMaskResult& result);
    void ShowMask();
    LRESULT Character(wchar_t unit);
    bool KeyDown(WPARAM key);
    void Check();
    void Restore(const TDateMask& state);
    void Replace(const std::string& text);
    std::string ClipboardText() const;

    TDateMask mask_;
    TDateMask entered_; // as it was on getting the focus or being set
    TDateMask undo_;    // as it was before the last edit
    bool modified_ = false;
    wchar_t highSurrogate_ = 0; // the first half of a character beyond the BMP
};
