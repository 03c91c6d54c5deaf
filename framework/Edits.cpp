#include "framework/Edits.h"

#include "framework/Errors.h"
#include "framework/WideText.h"

#include <cwchar>
#include <vector>

namespace {

// Keys that move the caret in a single-line edit, and which way.
bool MovesCaret(WPARAM key, bool& forward) {
    forward = key == VK_RIGHT || key == VK_END || key == VK_DOWN;
    return forward || key == VK_LEFT || key == VK_HOME || key == VK_UP;
}

} // namespace

// --- TEdit ---------------------------------------------------------------

void TEdit::ApplyOptions(const Options& options) {
    if (options.maxLength)
        MaxLength = options.maxLength;
}

DWORD TEdit::WindowStyle() const {
    return TWinControl::WindowStyle() | WS_TABSTOP | ES_AUTOHSCROLL;
}

void TEdit::HandleCreated() {
    if (MaxLength)
        SendMessageW(Handle(), EM_LIMITTEXT, MaxLength, 0);
}

bool TEdit::ReadText(std::string& text) const {
    if (!HandleAllocated()) {
        text = Caption();
        return true;
    }
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(Handle());
    std::vector<wchar_t> units(length + 1, L'\0');
    const int read = length > 0 ? GetWindowTextW(Handle(), units.data(), length + 1) : 0;
    if (read == 0 && (length > 0 || GetLastError() != ERROR_SUCCESS))
        return false;
    text = Narrow(units.data(), read);
    return true;
}

// A text Windows will not give is no empty one, which OK would store.
std::string TEdit::Text() const {
    std::string text;
    if (!ReadText(text))
        throw EOutOfResources("Der Text des Eingabefelds kann nicht gelesen werden");
    return text;
}

void TEdit::SetText(const std::string& text) {
    if (HandleAllocated())
        SetWindowTextW(Handle(), Wide(text).c_str()); // EN_CHANGE raises OnChange
    else
        SetCaption(text);
}

void TEdit::EnteredByTab() {
    SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::Notify(WORD code) {
    if (code == EN_CHANGE)
        Changed();
}

void TEdit::Changed() {
    if (OnChange)
        OnChange(this);
}

HBRUSH TEdit::CtlColor(HDC dc) {
    if (!brush_.Get() || brushColor_ != Color()) {
        brushColor_ = Color();
        brush_.Reset(CreateSolidBrush(ColorToRGB(Color())));
    }
    SetTextColor(dc, ColorToRGB(Font.Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    return brush_.Get();
}

// Between the two halves of a surrogate pair the text holds half a
// character: a key released then is not told, so no one sees it split.
LRESULT TEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR)
        halfCharacter_ = IS_HIGH_SURROGATE(wParam);
    const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
    WORD key = static_cast<WORD>(wParam);
    if ((message == WM_KEYUP || message == WM_SYSKEYUP) && !halfCharacter_ && OnKeyUp)
        OnKeyUp(this, key, KeyShiftState());
    return result;
}

// --- TMaskEdit -----------------------------------------------------------

TMaskEdit::TMaskEdit(TComponent* owner) : TEdit(owner) {}

void TMaskEdit::HandleCreated() {
    TEdit::HandleCreated();
    ShowMask(); // whatever caption the design gave, the window shows the mask
}

void TMaskEdit::SetSeparator(const std::string& separator) {
    const std::string before = mask_.Text();
    mask_.SetSeparator(separator);
    entered_.SetSeparator(separator);
    undo_.SetSeparator(separator);
    ShowMask();
    if (mask_.Text() != before)
        Changed();
}

void TMaskEdit::SetText(const std::string& text) {
    const std::string before = mask_.Text();
    mask_.SetText(text);
    entered_ = undo_ = mask_;
    modified_ = false;
    ShowMask();
    if (mask_.Text() != before)
        Changed();
}

// Past the EN_CHANGE: the mask raises OnChange itself.
void TMaskEdit::ShowMask() {
    if (HandleAllocated())
        DefaultProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(mask_.DisplayText()).c_str()));
}

void TMaskEdit::SnapCaret(bool forward) {
    int start = 0;
    int end = 0;
    Selection(start, end);
    if (start == end) {
        const int caret = TDateMask::NormalizeCaret(start, forward);
        Select(caret, caret);
    }
}

void TMaskEdit::Selection(int& start, int& end) const {
    DWORD from = 0;
    DWORD to = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    start = static_cast<int>(from);
    end = static_cast<int>(to);
}

void TMaskEdit::Select(int start, int end) {
    SendMessageW(Handle(), EM_SETSEL, start, end);
}

void TMaskEdit::Apply(const TDateMask& before, const TMaskResult& result) {
    if (result.beep)
        MessageBeep(MB_OK);
    if (result.changed) {
        undo_ = before;
        modified_ = true;
        ShowMask();
    }
    if (result.changed || !result.beep)
        Select(result.caret, result.caret);
    if (mask_.Text() != before.Text())
        Changed();
}

void TMaskEdit::Restore(const TDateMask& state) {
    const TDateMask before = mask_;
    mask_ = state;
    ShowMask();
    Select(0, 0);
    if (mask_.Text() != before.Text())
        Changed();
}

// A character beyond the BMP arrives as two units, and is taken (or refused)
// once, as the one character it is.
LRESULT TMaskEdit::Character(wchar_t unit) {
    if (IS_HIGH_SURROGATE(unit)) {
        highSurrogate_ = unit;
        return 0;
    }
    const char32_t key = IS_LOW_SURROGATE(unit) && highSurrogate_
                             ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00)
                             : unit;
    highSurrogate_ = 0;
    int start = 0;
    int end = 0;
    Selection(start, end);
    const TDateMask before = mask_;
    switch (key) {
    case '\b':
        Apply(before, mask_.Backspace(start, end));
        return 0;
    case 0x01: // Ctrl+A
        Select(0, TDateMask::Length);
        return 0;
    case 0x03: // Ctrl+C
        DefaultProc(WM_COPY, 0, 0);
        return 0;
    case 0x16: // Ctrl+V
        return WndProc(WM_PASTE, 0, 0);
    case 0x18: // Ctrl+X
        return WndProc(WM_CUT, 0, 0);
    case 0x1A: // Ctrl+Z
        return WndProc(WM_UNDO, 0, 0);
    default:
        if (key < ' ')
            return 0; // Enter, Escape and Tab were handled as keys
        Apply(before, mask_.TypeChar(key, start, end));
        return 0;
    }
}

bool TMaskEdit::KeyDown(WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    // The system's edit pastes and cuts these itself, past WM_PASTE and WM_CUT.
    if (shift && (key == VK_INSERT || key == VK_DELETE)) {
        WndProc(key == VK_INSERT ? WM_PASTE : WM_CUT, 0, 0);
        return true;
    }
    switch (key) {
    case VK_DELETE: {
        int start = 0;
        int end = 0;
        Selection(start, end);
        const TDateMask before = mask_;
        Apply(before, mask_.Delete(start, end));
        return true;
    }
    case VK_RETURN:
        Check();
        return true;
    case VK_ESCAPE:
        if (modified_) {
            modified_ = false;
            Restore(entered_);
        }
        return true;
    default:
        return false;
    }
}

// The selection gives way to the text, as far as the mask takes it.
void TMaskEdit::Replace(const std::string& text) {
    int start = 0;
    int end = 0;
    Selection(start, end);
    const TDateMask before = mask_;
    Apply(before, mask_.Paste(text, start, end));
}

std::string TMaskEdit::ClipboardText() const {
    std::string text;
    if (!OpenClipboard(Handle()))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Narrow(units, wcsnlen(units, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void TMaskEdit::Check() {
    const int missing = mask_.FirstMissingRequired();
    if (!modified_ || missing < 0)
        return;
    MessageBeep(MB_OK);
    SetFocus();
    Select(missing, missing);
    throw EInputError(
        "Ungültiger Eingabewert. Mit der Taste ESC machen Sie die Änderungen rückgängig.");
}

void TMaskEdit::BeforeLeave() {
    Check();
    modified_ = false;
}

LRESULT TMaskEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    int start = 0;
    int end = 0;
    switch (message) {
    case WM_CHAR:
        return Character(static_cast<wchar_t>(wParam));
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_CHAR:
        // The system's edit would put an input method's result in itself,
        // past the mask; the default turns it into WM_CHAR, which the mask
        // takes as if typed.
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_KEYDOWN: {
        if (KeyDown(wParam))
            return 0;
        bool forward = false;
        if (!MovesCaret(wParam, forward))
            break;
        const LRESULT result = TEdit::WndProc(message, wParam, lParam);
        SnapCaret(forward); // the caret never rests before a separator
        return result;
    }
    case WM_LBUTTONUP: {
        const LRESULT result = TEdit::WndProc(message, wParam, lParam);
        SnapCaret(true);
        return result;
    }
    case WM_SETFOCUS:
        // Back from another window the field is still being edited.
        if (!modified_)
            entered_ = mask_;
        break;
    case WM_PASTE:
        Replace(ClipboardText());
        return 0;
    case EM_REPLACESEL:
        if (lParam) // no text is nothing to put in
            Replace(Narrow(reinterpret_cast<const wchar_t*>(lParam)));
        return 0;
    case WM_SETTEXT: // from outside: fitted like any text the program sets
        SetText(lParam ? Narrow(reinterpret_cast<const wchar_t*>(lParam)) : std::string());
        return TRUE;
    case WM_CUT:
        DefaultProc(WM_COPY, 0, 0);
        [[fallthrough]];
    case WM_CLEAR: {
        Selection(start, end);
        if (start == end)
            return 0;
        const TDateMask before = mask_;
        Apply(before, mask_.Delete(start, end));
        return 0;
    }
    case WM_UNDO:
    case EM_UNDO: {
        const TDateMask redo = mask_;
        Restore(undo_);
        undo_ = redo;
        modified_ = true;
        return TRUE;
    }
    default:
        break;
    }
    return TEdit::WndProc(message, wParam, lParam);
}
