#include "framework/Keyboard.h"

#include "framework/Form.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// The keys the form's own handlers are told of.
bool IsHandlersKey(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR ||
           message == WM_SYSCHAR;
}

// The presses that move the focus to a control.
bool IsMousePress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
}

// The smallest tab order above `after` among the controls, or -1.
int NextTabOrder(const TContainer& container, int after) {
    int next = -1;
    for (const TControl* control : container.Controls())
        if (control->TabOrder > after && (next < 0 || control->TabOrder < next))
            next = control->TabOrder;
    return next;
}

// The windowed controls inside the container in tab order, depth first, in
// the design's order where two share one; those hidden or disabled are left
// out with everything inside them. The lists are short: a pass per order,
// where std::stable_sort would bring 4 KiB of merging code.
void CollectTabStops(const TContainer& container, std::vector<TWinControl*>& stops) {
    for (int order = -1; (order = NextTabOrder(container, order)) >= 0;)
        for (TControl* control : container.Controls()) {
            if (control->TabOrder != order || !control->Visible() || !control->Enabled())
                continue;
            if (auto* windowed = dynamic_cast<TWinControl*>(control);
                windowed && windowed->TakesFocus())
                stops.push_back(windowed);
            if (const auto* inner = dynamic_cast<const TContainer*>(control))
                CollectTabStops(*inner, stops);
        }
}

} // namespace

bool TKeyboardModel::LooksAt(UINT message) {
    return IsKeyMessage(message) || IsMousePress(message);
}

TWinControl* TKeyboardModel::FocusedControl() const {
    const HWND focus = GetFocus();
    if (!focus || !IsChild(form_.Handle(), focus))
        return nullptr; // in another window: no control of this form is left
    for (HWND window = focus; window && window != form_.Handle(); window = GetParent(window))
        if (TWinControl* control = TWinControl::FromHandle(window))
            return control;
    return nullptr;
}

TWinControl* TKeyboardModel::ReachableDefaultButton() const {
    for (TComponent* component : form_.Components())
        if (auto* button = dynamic_cast<TWinControl*>(component);
            button && button->IsButton() && button->IsDefault() && button->Reachable())
            return button;
    return nullptr;
}

std::vector<TWinControl*> TKeyboardModel::TabList() const {
    std::vector<TWinControl*> stops;
    CollectTabStops(form_, stops);
    return stops;
}

void TKeyboardModel::FocusControl(TWinControl* target) {
    TWinControl* focused = FocusedControl();
    if (focused && focused != target)
        focused->BeforeLeave();
    target->SetFocus();
}

bool TKeyboardModel::SelectNext(bool forward) {
    const std::vector<TWinControl*> stops = TabList();
    if (stops.empty())
        return false;
    const auto at = std::find(stops.begin(), stops.end(), FocusedControl());
    const int count = static_cast<int>(stops.size());
    int index;
    if (at == stops.end())
        index = forward ? 0 : count - 1;
    else
        index = (static_cast<int>(at - stops.begin()) + (forward ? 1 : count - 1)) % count;
    FocusControl(stops[index]);
    stops[index]->EnteredByTab();
    return true;
}

void TKeyboardModel::RecoverFocus() {
    const std::vector<TWinControl*> stops = TabList();
    if (!stops.empty())
        stops.front()->SetFocus();
    else
        form_.SetFocus();
}

bool TKeyboardModel::RunKeyHandlers(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(wParam);
        if (form_.OnKeyDown)
            form_.OnKeyDown(&form_, key, KeyShiftState());
        return key == 0;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        wchar_t key = static_cast<wchar_t>(wParam);
        if (form_.OnKeyPress)
            form_.OnKeyPress(&form_, key);
        return key == 0;
    }
    default:
        return false;
    }
}

// The full-screen display has no control at all: there these keys end it
// like every other key.
bool TKeyboardModel::NavigationKey(WPARAM key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    TWinControl* focused = FocusedControl();
    switch (key) {
    case VK_TAB:
        return !ctrl && SelectNext(GetKeyState(VK_SHIFT) >= 0);
    case VK_RETURN:
        if (focused && focused->IsButton()) {
            focused->Click();
            return true;
        }
        if (TWinControl* button = ReachableDefaultButton()) {
            button->Click();
            return true;
        }
        [[fallthrough]];
    case VK_ESCAPE:
        return focused && !focused->WantsKey(static_cast<WORD>(key));
    default:
        return false;
    }
}

bool TKeyboardModel::AcceleratorKey(WPARAM key) {
    if (!std::isalnum(static_cast<int>(key)))
        return false;
    for (TComponent* component : form_.Components()) {
        auto* control = dynamic_cast<TWinControl*>(component);
        if (!control || !control->TakesFocus() || !control->Reachable() ||
            control->Accelerator() != static_cast<char>(key))
            continue;
        FocusControl(control);
        control->Click();
        return true;
    }
    return false;
}

// A press on another control that takes the focus is a focus move: the
// focused control may refuse it, and then the press goes nowhere.
bool TKeyboardModel::MousePress(HWND target) {
    TWinControl* control = TWinControl::FromHandle(target);
    TWinControl* focused = FocusedControl();
    if (control && control->TakesFocus() && focused && focused != control)
        focused->BeforeLeave();
    return false;
}

bool TKeyboardModel::PreTranslate(const MSG& message) {
    if (IsMousePress(message.message))
        return MousePress(message.hwnd);
    if (!IsKeyMessage(message.message))
        return false;
    if (form_.KeyPreview && RunKeyHandlers(message.message, message.wParam))
        return true;
    bool handled = false;
    if (message.message == WM_KEYDOWN)
        handled = NavigationKey(message.wParam);
    else if (message.message == WM_SYSKEYDOWN)
        handled = AcceleratorKey(message.wParam);
    if (!handled && form_.KeyPreview && message.hwnd == form_.Handle() &&
        IsHandlersKey(message.message))
        previewed_ = message; // dispatched next, to the form's own window
    return handled;
}

bool TKeyboardModel::FormKey(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool previewed =
        previewed_.message == message && previewed_.wParam == wParam && previewed_.lParam == lParam;
    previewed_ = MSG{};
    return !previewed && RunKeyHandlers(message, wParam);
}
