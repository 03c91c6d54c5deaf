#pragma once
// Top-level forms with their keyboard model, and the application object
// that owns them and runs the message loop.

#include "framework/Controls.h"
#include "framework/Dispatch.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TBorderStyle { None, Single, Sizeable };
enum class TFormStyle { Normal, StayOnTop };
enum class TWindowState { Normal, Minimized, Maximized };
enum class TPosition { Designed, ScreenCenter };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;
enum class TCloseAction { None, Hide, Free };

using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction&)>;

// The keyboard model, which the message loop runs before a key message is
// translated or dispatched. It differs from IsDialogMessage where dialogs
// here need it: Tab follows the design's tab order rather than the stacking
// order, and Enter reaches the default button only while that button can be
// seen, where IsDialogMessage would press a hidden one.
//   Tab, Shift+Tab  the next or previous control in tab order that is
//                   visible and enabled, into and out of containers;
//   Enter           clicks a focused button, else the default button while
//                   it is reachable, else goes to the control if it wants it;
//   Alt+letter      focuses, then clicks, the control whose caption marks it;
//   Escape          goes to the control if it wants it (no cancel buttons).
// Where no control has the focus (for Tab: where the form has no tab stop),
// these keys go on to the form's own key handlers like any other key.
// Every move of the focus runs the focused control's BeforeLeave first, also
// for a mouse press on another control; an error there stops the move.
class TForm : public TWinControl {
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
    // The push button marked as default, if it can take Enter now.
    TWinControl* ReachableDefaultButton() const;
    // Moves the focus; the focused control may refuse with an error.
    void FocusControl(TWinControl* target);
    bool PreTranslateMessage(MSG& message) override;
    void RecoverFocus() override;

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
    TWinControl* FocusedControl() const;
    std::vector<TWinControl*> TabList() const;
    bool PreviewKey(UINT message, WPARAM wParam);
    bool NavigationKey(WPARAM key);
    bool AcceleratorKey(WPARAM key);
    bool MousePress(HWND target);
    // Moves the focus along the tab order; false where there is no tab stop.
    bool SelectNext(bool forward);

    TWindowState windowState_ = TWindowState::Normal;
    int dpi_ = ScreenDpi();
    IconHandle smallIcon_, bigIcon_; // the window's, until it has others
    int clientWidth_ = -1;
    int clientHeight_ = -1;
    bool placed_ = false;
    HWND lastFocus_ = nullptr; // restored when the form is activated again
};

class TApplication : public TDispatcher {
  public:
    TApplication();
    ~TApplication() override;

    // Start-up and the message loop around startup(); an error that escapes
    // start-up itself is shown as an application error. Returns the exit code.
    int Execute(const std::function<void()>& startup);

    // Makes a form owned by the application; the first becomes the main
    // form. Its constructor applies the design, then its windows are made,
    // OnCreate runs and the form is shown if visible, also when OnCreate
    // failed; the main form as the process's show request says. The windows
    // exist before OnCreate so that what it sets on the controls is what
    // they hold, and reads back at once. The reference is cleared when the
    // form goes.
    template <class Form> void CreateForm(Form*& reference) {
        auto form = std::make_unique<Form>();
        reference = form.get();
        Adopt(std::move(form), {&reference, [](void* r) { *static_cast<Form**>(r) = nullptr; }});
    }

    TForm* MainForm() const { return mainForm_; }
    // Stands for the program in the taskbar and owns every form.
    HWND Handle() const { return handle_.get(); }
    void ShowTaskbarEntry();
    // The show request of the process start-up information.
    int ShowCommand() const { return showCommand_; }

    // Dispatches window messages until the main form has closed.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // One message from the loop: the keyboard model's look, then dispatch.
    void HandleMessage(MSG& message);

    // The system reported changed settings (the locale among them).
    std::function<void()> OnSettingChange;

    // Releases every form, as at the end of Execute; the application is
    // then as it was before the first form, with no request to end pending.
    void DestroyForms();

  private:
    // The program's reference to a form, cleared when the form goes.
    struct TReference {
        void* reference;
        void (*clear)(void* reference);
    };
    struct OwnedForm {
        std::unique_ptr<TForm> form;
        TReference reference;
    };
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void CreateHandle();
    void Adopt(std::unique_ptr<TForm> form, TReference reference);
    void ShowMainForm();

    WindowHandle handle_;
    int showCommand_ = SW_SHOWDEFAULT;
    TForm* mainForm_ = nullptr;
    bool mainShowPending_ = false; // until the entry of a minimised start is restored
    bool terminated_ = false;
    std::vector<OwnedForm> forms_;
};

extern TApplication Application;
