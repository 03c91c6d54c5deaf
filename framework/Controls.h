#pragma once
// The thin control layer: windowed controls (forms, panels) and windowless
// ones (labels) drawn by their parent, plus the timer. Every message from
// Windows enters through one window procedure, which is the only place that
// catches errors (see TApplication::ShowException).

#include "framework/Gdi.h"
#include "framework/Graphics.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TForm;
class TWinControl;

class TObject {
  public:
    virtual ~TObject() = default;
};

enum class TAlign { None, Top, Bottom, Client };

using TShiftState = unsigned; // MK_* flags of the mouse message, or 0

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState, int x, int y)>;

constexpr int crDefault = 0;
constexpr int crNone = -1; // no pointer image at all

class TControl : public TObject {
  public:
    // Controls belong to a form and are placed into a parent by its design.
    TControl(TForm* owner, const char* name);
    ~TControl() override;

    const std::string Name;

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    TForm* Form() const;

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    const RECT& BoundsRect() const { return bounds_; }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    virtual void SetBounds(int left, int top, int width, int height);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // The control's own font object; changing it re-measures and repaints.
    TFont Font;

    int Cursor = crDefault;
    bool Visible = true;

    TMouseMoveEvent OnMouseMove;

    // Repaints the control's area.
    virtual void Invalidate();

  protected:
    virtual void CaptionChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }

  private:
    TForm* owner_;
    TWinControl* parent_ = nullptr;
    RECT bounds_{};
    TAlign align_ = TAlign::None;
    std::string caption_;
    TColor color_ = clBtnFace;
};

// A control without a window of its own, drawn by its parent.
class TGraphicControl : public TControl {
  public:
    using TControl::TControl;
    virtual void Paint(HDC dc) = 0;
    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;
};

class TWinControl : public TControl {
  public:
    TWinControl(TForm* owner, const char* name);
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }

    const std::vector<TControl*>& Controls() const { return controls_; }
    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;
    void InvalidateArea(const RECT& area);
    // Lays out the children that are aligned to an edge or the client area.
    void Realign();
    RECT ClientRect() const;

  protected:
    friend class TControl;
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);

    virtual DWORD WindowStyle() const { return WS_CHILD | WS_CLIPSIBLINGS; }
    virtual DWORD WindowExStyle() const { return 0; }
    virtual HWND WindowParent() const;
    // A system window class to subclass, or nullptr for the framework's own.
    virtual const char* SystemClass() const { return nullptr; }
    virtual void HandleCreated() {}
    // A notification (WM_COMMAND) the control sent its parent.
    virtual void Notify(WORD) {}
    void CaptionChanged() override;
    void CreateHandle();
    void DestroyHandle();

    // The window's own messages; the default does what Windows does.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void Paint(HDC dc);
    void PaintChildren(HDC dc);
    void FontChanged() override;
    HFONT FontHandleOf();

    HWND handle_ = nullptr;

  private:
    void CreateChildHandles();
    void Bind(HWND handle);
    std::vector<TControl*> controls_;
    FontHandle font_;
    WNDPROC systemProc_ = nullptr;
};

// Text in one colour on its parent's colour, sized to the text.
class TLabel : public TGraphicControl {
  public:
    TLabel(TForm* owner, const char* name);
    bool AutoSize = true;
    // "&" underlines the next character, "&&" draws one ampersand.
    bool ShowAccelChar = true;
    bool Centered = false;
    void Paint(HDC dc) override;
    void AdjustSize();

  protected:
    void CaptionChanged() override;
    void FontChanged() override;

  private:
    UINT DrawFlags() const;
};

enum class TPanelBevel { None, Lowered, Raised };

class TPanel : public TWinControl {
  public:
    TPanel(TForm* owner, const char* name);
    TPanelBevel BevelOuter = TPanelBevel::None;
    TPanelBevel BevelInner = TPanelBevel::None;

  protected:
    void Paint(HDC dc) override;

  private:
    void PaintCaption(HDC dc, const RECT& area);
};

// A periodic timer delivered through the message loop. It keeps a
// message-only window of its own, so it runs before its form has a window.
class TTimer : public TObject {
  public:
    TTimer(TForm* owner, const char* name);
    ~TTimer() override;
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    const std::string Name;
    unsigned Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void SetInterval(unsigned milliseconds);
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

  private:
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
    void Update();
    HWND window_ = nullptr;
    unsigned interval_ = 1000;
    bool enabled_ = true;
};

LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
