#pragma once
// The keyboard model of a form, which the message loop runs before a key
// message is translated or dispatched. It differs from IsDialogMessage where
// dialogs here need it: Tab follows the design's tab order rather than the
// stacking order, and Enter reaches the default button only while that
// button can be seen, where IsDialogMessage would press a hidden one.
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
// With KeyPreview the form's key handlers see every key first, once.

#include <windows.h>

#include <vector>

class TForm;
class TWinControl;

class TKeyboardModel {
  public:
    explicit TKeyboardModel(TForm& form) : form_(form) {}

    // Keys and the mouse presses that move the focus.
    static bool LooksAt(UINT message);

    // The form's first look at a key or mouse press from the loop; true
    // where it was handled and goes no further.
    bool PreTranslate(const MSG& message);
    // A key that reached the form's own window: its handlers, unless the
    // preview gave them this very key already. True where they took it.
    bool FormKey(UINT message, WPARAM wParam, LPARAM lParam);

    // The control of the form that has the focus, or nullptr.
    TWinControl* FocusedControl() const;
    // The push button marked as default, if it can take Enter now.
    TWinControl* ReachableDefaultButton() const;
    // Moves the focus; the focused control may refuse with an error.
    void FocusControl(TWinControl* target);
    // The focused window was hidden: the first tab stop takes the focus.
    void RecoverFocus();

  private:
    std::vector<TWinControl*> TabList() const;
    bool RunKeyHandlers(UINT message, WPARAM wParam);
    bool NavigationKey(WPARAM key);
    bool AcceleratorKey(WPARAM key);
    bool MousePress(HWND target);
    // Moves the focus along the tab order; false where there is no tab stop.
    bool SelectNext(bool forward);

    TForm& form_;
    MSG previewed_{}; // a key the handlers had, on its way to the form's window
};
