#pragma once
// Push buttons with a small picture, and flat link buttons.

#include "framework/WinControl.h"

#include <commctrl.h>

#include <string>

// A 16 x 16 (or 17 x 16) picture from the program's bitmap resources, with
// magenta as its transparent colour, shown at the window's resolution.
class TGlyph {
  public:
    TGlyph() = default;
    ~TGlyph();
    TGlyph(const TGlyph&) = delete;
    TGlyph& operator=(const TGlyph&) = delete;
    void Load(const char* resourceName);
    bool Loaded() const { return picture_.Get() != nullptr; }
    // The picture for that resolution, each pixel repeated the nearest whole
    // number of times (halves down): smooth scaling would leave pink fringes.
    HIMAGELIST Images(int dpi);
    // The size of the last pictures made.
    SIZE Size() const { return size_; }

  private:
    BitmapHandle picture_;
    SIZE designSize_{};
    HIMAGELIST images_ = nullptr;
    HIMAGELIST retired_ = nullptr; // a button may hold it until given the new one
    SIZE size_{};
};

// The system's push button in the themed look, with its picture left of
// the caption, or alone.
class TButton : public TWinControl {
  public:
    using TWinControl::TWinControl;
    ~TButton() override { DestroyHandle(); } // before its picture
    struct Options {
        const char* glyph = nullptr; // bitmap resource
        bool isDefault = false;
    };
    void ApplyOptions(const Options& options);
    TGlyph Glyph;
    // Enter clicks it while it can be seen (see TKeyboardModel).
    bool Default = false;
    TNotifyEvent OnClick;
    void Click() override;

    bool TakesFocus() const override { return true; }
    bool IsButton() const override { return true; }
    bool IsDefault() const override { return Default; }
    bool UsesParentColor() const override { return false; }

    void DpiChanged() override;

  protected:
    const wchar_t* SystemClass() const override { return L"BUTTON"; }
    DWORD WindowStyle() const override;
    void HandleCreated() override;
    void Notify(WORD code) override;

  private:
    void ShowGlyph();
};

// The system's check box; OnClick follows every change of its state, from
// the mouse, the space bar or the program.
class TCheckBox : public TWinControl {
  public:
    using TWinControl::TWinControl;
    bool Checked() const;
    void SetChecked(bool checked);
    TNotifyEvent OnClick;
    void Click() override { SetChecked(!Checked()); }
    bool TakesFocus() const override { return true; }

  protected:
    const wchar_t* SystemClass() const override { return L"BUTTON"; }
    DWORD WindowStyle() const override;
    void HandleCreated() override;
    void Notify(WORD code) override;

  private:
    bool checked_ = false; // until the window exists
};

// Flat until the pointer is over it, with a hand pointer and a hint; it
// never takes the keyboard focus.
class TLinkButton : public TWinControl {
  public:
    using TWinControl::TWinControl;
    ~TLinkButton() override { DestroyHandle(); } // before its picture
    struct Options {
        const char* glyph = nullptr; // bitmap resource
    };
    void ApplyOptions(const Options& options);
    TGlyph Glyph;
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool Hovered() const { return hovered_; }
    TNotifyEvent OnClick;

  protected:
    void HandleCreated() override;
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void SetHovered(bool hovered);
    void UpdateTooltip();
    void SendTool(UINT message);
    std::string hint_;
    bool hovered_ = false;
    bool pressed_ = false;
    HWND tooltip_ = nullptr;
};
