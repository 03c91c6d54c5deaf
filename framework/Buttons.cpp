#include "framework/Buttons.h"

#include "framework/Errors.h"

#include <windowsx.h>

// --- TGlyph --------------------------------------------------------------

TGlyph::~TGlyph() {
    if (images_)
        ImageList_Destroy(images_);
}

void TGlyph::Load(const char* resourceName) {
    const BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), resourceName, IMAGE_BITMAP, 0, 0, 0)));
    if (!bitmap.Get())
        throw EOutOfResources(std::string("Bild nicht gefunden: ") + resourceName);
    BITMAP info;
    GetObjectA(bitmap.Get(), sizeof info, &info);
    size_ = {info.bmWidth, info.bmHeight};
    if (images_)
        ImageList_Destroy(images_);
    images_ = ImageList_Create(size_.cx, size_.cy, ILC_COLOR24 | ILC_MASK, 1, 0);
    ImageList_AddMasked(images_, bitmap.Get(), RGB(255, 0, 255));
}

// --- TButton -------------------------------------------------------------

void TButton::ApplyOptions(const Options& options) {
    if (options.glyph)
        Glyph.Load(options.glyph);
    Default = options.isDefault;
}

DWORD TButton::WindowStyle() const {
    return TWinControl::WindowStyle() | WS_TABSTOP | (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::HandleCreated() {
    if (!Glyph.Images())
        return;
    // Without a caption the picture stands in the middle.
    BUTTON_IMAGELIST list{Glyph.Images(),
                          {2, 0, 2, 0},
                          static_cast<UINT>(Caption().empty() ? BUTTON_IMAGELIST_ALIGN_CENTER
                                                              : BUTTON_IMAGELIST_ALIGN_LEFT)};
    SendMessageA(handle_, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

void TButton::Notify(WORD code) {
    if (code == BN_CLICKED)
        Click();
}

void TButton::Click() {
    if (OnClick)
        OnClick(this);
}

// --- TCheckBox -----------------------------------------------------------

DWORD TCheckBox::WindowStyle() const {
    return TWinControl::WindowStyle() | WS_TABSTOP | BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated() {
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const {
    if (HandleAllocated())
        return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return checked_;
}

// BM_SETCHECK sends no notification, so a change from the program raises
// the event here.
void TCheckBox::SetChecked(bool checked) {
    if (checked == Checked())
        return;
    checked_ = checked;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick)
        OnClick(this);
}

void TCheckBox::Notify(WORD code) {
    checked_ = Checked();
    if (code == BN_CLICKED && OnClick)
        OnClick(this);
}

// --- TLinkButton ---------------------------------------------------------

void TLinkButton::ApplyOptions(const Options& options) {
    if (options.glyph)
        Glyph.Load(options.glyph);
}

void TLinkButton::SetHint(const std::string& hint) {
    hint_ = hint;
    UpdateTooltip();
}

// The whole button is the tooltip's one tool, with the hint as its text.
TOOLINFOA TLinkButton::ToolInfo() {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = reinterpret_cast<UINT_PTR>(handle_);
    tool.lpszText = const_cast<char*>(hint_.c_str());
    return tool;
}

void TLinkButton::HandleCreated() {
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, handle_, nullptr, GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool = ToolInfo();
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TLinkButton::UpdateTooltip() {
    if (!tooltip_)
        return;
    TOOLINFOA tool = ToolInfo();
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TLinkButton::SetHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    if (hovered) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        TrackMouseEvent(&track);
    }
    Invalidate();
}

void TLinkButton::Paint(HDC dc) {
    TWinControl::Paint(dc);
    RECT r = ClientRect();
    if (hovered_)
        DrawEdge(dc, &r, pressed_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    const int shift = pressed_ ? 1 : 0;
    const SIZE glyph = Glyph.Size();
    if (Glyph.Images())
        ImageList_Draw(Glyph.Images(), 0, dc, 1 + shift, (r.bottom - glyph.cy) / 2 + shift,
                       ILD_TRANSPARENT);
    RECT text = r;
    text.left = 1 + glyph.cx + 4 + shift; // the picture 1 px from the edge, then a gap
    text.top += shift;
    const SelectedObject font(dc, FontHandleOf());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    DrawTextA(dc, Caption().c_str(), static_cast<int>(Caption().size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

LRESULT TLinkButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        SetHovered(true);
        return 0;
    case WM_MOUSELEAVE:
        SetHovered(false);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(handle_); // before the press: taking it may tell us of a change
        pressed_ = true;
        Invalidate();
        return 0;
    case WM_LBUTTONUP: {
        if (!pressed_)
            return 0;
        pressed_ = false;
        ReleaseCapture();
        Invalidate();
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const RECT r = ClientRect();
        if (PtInRect(&r, at) && OnClick)
            OnClick(this);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the press is called off.
        if (pressed_) {
            pressed_ = false;
            Invalidate();
        }
        return 0;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    default:
        return TWinControl::WndProc(message, wParam, lParam);
    }
}
