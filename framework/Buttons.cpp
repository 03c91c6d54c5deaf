#include "framework/Buttons.h"

#include "framework/Errors.h"
#include "framework/WideText.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

// --- TGlyph --------------------------------------------------------------

TGlyph::~TGlyph() {
    for (HIMAGELIST list : {images_, retired_})
        if (list)
            ImageList_Destroy(list);
}

void TGlyph::Load(const char* resourceName) {
    picture_.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), Wide(resourceName).c_str(), IMAGE_BITMAP, 0, 0, 0)));
    if (!picture_.Get())
        throw EOutOfResources(std::string("Bild nicht gefunden: ") + resourceName);
    BITMAP info;
    GetObjectW(picture_.Get(), sizeof info, &info);
    designSize_ = {info.bmWidth, info.bmHeight};
    size_ = {};
}

HIMAGELIST TGlyph::Images(int dpi) {
    const int factor = std::max(1, (dpi + DesignPixelsPerInch / 2 - 1) / DesignPixelsPerInch);
    const SIZE size{designSize_.cx * factor, designSize_.cy * factor};
    if (!picture_.Get() || (images_ && size.cx == size_.cx))
        return images_;
    const ScreenDC screen;
    const MemoryDC source(screen), target(screen);
    const BitmapHandle scaled(CreateCompatibleBitmap(screen, size.cx, size.cy));
    {
        const SelectedObject from(source, picture_.Get()), to(target, scaled.Get());
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, designSize_.cx, designSize_.cy,
                   SRCCOPY);
    }
    const HIMAGELIST images = ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (!images)
        return images_;
    ImageList_AddMasked(images, scaled.Get(), RGB(255, 0, 255));
    if (retired_)
        ImageList_Destroy(retired_);
    retired_ = std::exchange(images_, images);
    size_ = size;
    return images_;
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
    ShowGlyph();
}

void TButton::DpiChanged() {
    TWinControl::DpiChanged();
    ShowGlyph();
}

void TButton::ShowGlyph() {
    if (!Glyph.Loaded() || !HandleAllocated())
        return;
    // Without a caption the picture stands in the middle.
    const int margin = Scaled(2);
    BUTTON_IMAGELIST list{Glyph.Images(Dpi()),
                          {margin, 0, margin, 0},
                          static_cast<UINT>(Caption().empty() ? BUTTON_IMAGELIST_ALIGN_CENTER
                                                              : BUTTON_IMAGELIST_ALIGN_LEFT)};
    SendMessageW(handle_, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
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
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const {
    if (HandleAllocated())
        return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return checked_;
}

// BM_SETCHECK sends no notification, so a change from the program raises
// the event here.
void TCheckBox::SetChecked(bool checked) {
    if (checked == Checked())
        return;
    checked_ = checked;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
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

// The whole button is the tooltip's one tool, with the hint as its text,
// which the tooltip copies.
void TLinkButton::SendTool(UINT message) {
    const TWideText text = Wide(hint_);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = reinterpret_cast<UINT_PTR>(handle_);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_, message, 0, reinterpret_cast<LPARAM>(&tool));
}

void TLinkButton::HandleCreated() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, handle_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_)
        throw EOutOfResources(WindowRefused);
    SendTool(TTM_ADDTOOLW);
}

void TLinkButton::UpdateTooltip() {
    if (tooltip_)
        SendTool(TTM_UPDATETIPTEXTW);
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
    RECT r = PixelClientArea();
    if (hovered_)
        DrawEdge(dc, &r, pressed_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    const int shift = pressed_ ? Scaled(1) : 0;
    const HIMAGELIST images = Glyph.Images(Dpi());
    const SIZE glyph = Glyph.Size();
    if (images)
        ImageList_Draw(images, 0, dc, Scaled(1) + shift, (r.bottom - glyph.cy) / 2 + shift,
                       ILD_TRANSPARENT);
    RECT text = r;
    text.left = Scaled(1) + glyph.cx + Scaled(4) + shift; // the picture off the edge, then a gap
    text.top += shift;
    const SelectedObject font(dc, FontHandleOf());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font.Color()));
    const TWideText caption = Wide(Caption());
    DrawTextW(dc, caption.c_str(), caption.size(), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
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
        const RECT r = PixelClientArea();
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
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    default:
        return TWinControl::WndProc(message, wParam, lParam);
    }
}
