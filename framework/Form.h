#pragma once
// Top-level forms: their border, place on the screen and resolution, their
// showing and closing, and the keyboard model they run.

#include "framework/Keyboard.h"
#include "framework/WinControl.h"

#include <functional>
#include <vector>

enum class TBorderStyle { None, Single, Sizeable };
enum class TFormStyle { Normal, StayOnTop };
enum class TWindowState { Normal, Minimized, Maximized };
enum class TPosition { Designed, ScreenCenter };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;
enum class TCloseAction { None, Hide, Free };

// The key is the UTF-16 unit the character message carries.
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction&)>;

class TForm : public TWinContainer {
  public:
    TForm();
    ~TForm() override;

    // These take effect when the window is made.
    TBorderStyle BorderStyle = TBorderStyle::Sizeable;
    TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition Position = TPosition::Designed;
    // Windowed controls from the bottom of the stack to its top.
    std::vector<TWinControl*> StackingOrder;

    // These work at any time.
    TFormStyle FormStyle = TFormStyle::Normal;
    bool KeyPreview = false;
    // The control that has the focus when the form is shown.
    TWinControl* ActiveControl = nullptr;

    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    // The size inside the border; kept through border changes until the
    // window is made.
    void SetClientSize(int width, int height);
    RECT ClientRect() const override;

    // The screen's until the window tells its own; a move to a screen of
    // another scale changes it.
    int Dpi() const override { return dpi_; }
    // Lays the form out again for the new resolution, in the rectangle
    // Windows suggests for it.
    void ChangeDpi(int dpi, const RECT& suggested);

    void Show();
    void Hide();
    // Runs OnClose; the main form then ends the program, any other hides.
    void Close();

    TNotifyEvent OnCreate;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TCloseEvent OnClose;

    // The main form, unless it is borderless, has the application's entry.
    bool HasTaskbarEntry() const;
    bool PreTranslateMessage(MSG& message) override { return keyboard_.PreTranslate(message); }
    void RecoverFocus() override { keyboard_.RecoverFocus(); }

  protected:
    DWORD WindowStyle() const override;
    DWORD WindowExStyle() const override;
    HWND WindowParent() const override;
    void HandleCreated() override;
    void Place(const RECT& bounds, const RECT& pixels) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    SIZE OuterSize(int width, int height, int dpi) const;
    void SetIcons();
    void PlaceOnScreen();
    void ApplyStayOnTop();
    void ApplyStackingOrder();
    void RestoreFocus();

    TKeyboardModel keyboard_{*this};
    TWindowState windowState_ = TWindowState::Normal;
    int dpi_ = ScreenDpi();
    IconHandle smallIcon_, bigIcon_; // the window's, until it has others
    int clientWidth_ = -1;
    int clientHeight_ = -1;
    bool placed_ = false;
    HWND lastFocus_ = nullptr; // restored when the form is activated again
};
