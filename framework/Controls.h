#pragma once
// The thin control layer: components with a name and an owner, windowed
// controls over real windows, windowless ones (labels, pictures) drawn by
// their parent, containers (group boxes in windows of their own, panels
// drawn on their parent's) and the timer.
//
// A message travels: Windows -> FrameworkWindowProc (through the one Guard)
// -> the bound control's WndProc; notifications a child sends its parent
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) go on to the child's own object.

#include "framework/Gdi.h"
#include "framework/Graphics.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class TObject {
  public:
    virtual ~TObject() = default;
};

enum class TAlign { None, Top, Bottom, Client };
enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

using TShiftState = unsigned; // MK_* flags of the mouse message, or 0
// Shift and Ctrl as the keyboard holds them now.
TShiftState KeyShiftState();

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState)>;

constexpr int crDefault = 0;
constexpr int crNone = -1; // no pointer image at all

enum class TPanelBevel { None, Lowered, Raised };

// Anything a form owns: controls, timers, common dialogs.
class TComponent : public TObject {
  public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Every component this one owns, in the order they were made.
    const std::vector<TComponent*>& Components() const { return components_; }

    // What a design row sets beyond its common columns; a kind with options
    // of its own declares both again.
    struct Options {};
    void ApplyOptions(const Options&) {}

  private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
};

class TWinControl;

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);

    // Bounds are in units of 1/96 inch, whoever sets them; the window or
    // area on the screen is in pixels at the form's resolution.
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    const RECT& BoundsRect() const { return bounds_; }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    void SetBounds(int left, int top, int width, int height);
    // For what is measured in pixels: the screen, and what alignment fills.
    void SetPixelBounds(const RECT& pixels);
    const RECT& PixelBounds() const { return pixels_; }

    // Pixels per inch of the form the control is on.
    virtual int Dpi() const;
    // A length of 1/96 inch units in pixels at the control's resolution.
    int Scaled(int value) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    // The parent's edges the control keeps its distance to when the parent
    // is resized.
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);
    // Position among the parent's controls for Tab; -1 takes no part.
    int TabOrder = -1;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // The control's own font object; changing it re-measures and repaints.
    TFont Font;
    // That font as the control draws with it, made at its resolution when
    // first asked and kept until the font or the resolution changes.
    HFONT FontHandleOf();

    // These work before and after the window exists.
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    int Cursor = crDefault; // read at every WM_SETCURSOR
    // Visible and enabled, and so are all its parents.
    bool Reachable() const;

    TMouseMoveEvent OnMouseMove;

    // Repaints the control's area.
    virtual void Invalidate();

    // The form's resolution changed: pixels and fonts again from the 96-ppi
    // values, never from the pixels of the old resolution.
    virtual void DpiChanged();

  protected:
    virtual void CaptionChanged() { Invalidate(); }
    // Overrides let go of the old font handle first (TakeFont).
    virtual void FontChanged() {
        TakeFont();
        Invalidate();
    }
    // Both rectangles are final: the control moves its window or area.
    virtual void Place(const RECT& bounds, const RECT& pixels);
    // The font handle made so far, which the control no longer keeps.
    FontHandle TakeFont() { return std::move(font_); }
    // For an area its parent draws, which was at old.
    void InvalidateMoved(const RECT& old);

  private:
    friend class TWinControl;
    void FollowAnchors(const RECT& parentClient);
    TWinControl* parent_ = nullptr;
    FontHandle font_;
    RECT bounds_{};
    RECT pixels_{};
    TAlign align_ = TAlign::None;
    TAnchors anchors_ = akLeft | akTop;
    SIZE anchorBase_{}; // the parent's client size the distances refer to
    std::string caption_;
    TColor color_ = clBtnFace;
    bool visible_ = true;
    bool enabled_ = true;
};

// A control without a window of its own, drawn by its parent.
class TGraphicControl : public TControl {
  public:
    using TControl::TControl;
    virtual void Paint(HDC dc) = 0;
    void SetVisible(bool visible) override;
    void Invalidate() override;

  protected:
    void Place(const RECT& bounds, const RECT& pixels) override;
};

class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* owner) : TWinControl(owner, false) {}
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    // A container drawn on its parent's window, with no window of its own;
    // its windowed children are children of that window, above its drawing.
    bool Windowless() const { return windowless_; }
    // The window this control's window or drawing is on.
    HWND HostHandle() const;
    // The inside in that window's client coordinates.
    RECT ToHost(RECT pixels) const;
    // The control bound to a window of this program, or nullptr.
    static TWinControl* FromHandle(HWND window);

    const std::vector<TControl*>& Controls() const { return controls_; }
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    void InvalidateArea(const RECT& area);
    // Lays out the children aligned to an edge or the client area, and moves
    // the anchored ones.
    void Realign();
    // The inside, in 1/96 inch units and in pixels.
    virtual RECT ClientRect() const;
    RECT PixelClientRect() const;
    void DpiChanged() override;

    // Makes the window and those of all its children.
    void CreateHandle();
    void SetFocus();

    // --- The keyboard model asks these ------------------------------------
    // Tab and accelerators may put the focus here.
    virtual bool TakesFocus() const { return false; }
    // A push or picture button: Enter on it clicks it.
    virtual bool IsButton() const { return false; }
    // The form's default button.
    virtual bool IsDefault() const { return false; }
    // Runs before the focus moves elsewhere in the form; an error it raises
    // keeps the focus here, and the key or mouse press goes nowhere.
    virtual void BeforeLeave() {}
    // Enter or Escape that the form has no use for may go to the control.
    virtual bool WantsKey(WORD) const { return false; }
    // The letter after a single "&" in the caption, upper-cased, or 0.
    virtual char Accelerator() const;
    // What Alt plus that letter does.
    virtual void Click() {}
    // The focus arrived by Tab.
    virtual void EnteredByTab() {}
    // The top-level window's first look at a message from the loop.
    virtual bool PreTranslateMessage(MSG&) { return false; }
    // The focused window was hidden: a top-level window puts the focus
    // somewhere sensible again.
    virtual void RecoverFocus() { SetFocus(); }
    // Design rows take the parent's colour unless they name one; an input
    // control has the window colour instead.
    virtual bool UsesParentColor() const { return true; }

  protected:
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);

    TWinControl(TComponent* owner, bool windowless);

    virtual DWORD WindowStyle() const { return WS_CHILD | WS_CLIPSIBLINGS; }
    virtual DWORD WindowExStyle() const { return 0; }
    virtual HWND WindowParent() const;
    // A system window class to subclass, or nullptr for the framework's own.
    virtual const char* SystemClass() const { return nullptr; }
    virtual void HandleCreated() {}
    // What the control's window sent its parent, handed back to it.
    virtual void Notify(WORD) {}
    virtual LRESULT NotifyEx(NMHDR*) { return 0; }
    // The brush for WM_CTLCOLOR*; the control keeps it. nullptr: default.
    virtual HBRUSH CtlColor(HDC) { return nullptr; }
    void CaptionChanged() override;
    void Place(const RECT& bounds, const RECT& pixels) override;
    void DestroyHandle();

    // The window's own messages; the default does what Windows does.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void Paint(HDC dc);
    void PaintChildren(HDC dc);
    void FontChanged() override;

    HWND handle_ = nullptr;

  private:
    friend class TControl;
    void Bind(HWND handle);
    void Unbind();
    void CreateOwnWindow();
    // Visible or enabled, and so is every windowless container it lies in.
    bool ShownInHost() const;
    bool EnabledInHost() const;
    // The own window's place in its parent window's client coordinates.
    RECT RectInHost() const;
    void MoveWindowInHost();
    void PaintOnHost(HDC dc);
    // The windowless container under the point, with the point made its
    // own; this control where there is none.
    TWinControl& ContainerAt(POINT& pixel);
    void AlignStrip(TControl& child, RECT& free);
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    std::vector<TControl*> controls_;
    WNDPROC systemProc_ = nullptr;
    const bool windowless_;
};

// Text in one colour on its parent's colour, sized to the text.
class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner);
    struct Options {
        bool centered = false;
    };
    void ApplyOptions(const Options& options) { Centered = options.centered; }
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

// A coloured area with bevels and a centred caption. It draws on its
// parent's window: a window fewer to make is a start of the full-screen
// display some milliseconds sooner.
class TPanel : public TWinControl {
  public:
    explicit TPanel(TComponent* owner) : TWinControl(owner, true) {}
    struct Options {
        TPanelBevel bevelOuter = TPanelBevel::None;
        TPanelBevel bevelInner = TPanelBevel::None;
    };
    void ApplyOptions(const Options& options);
    TPanelBevel BevelOuter = TPanelBevel::None;
    TPanelBevel BevelInner = TPanelBevel::None;

  protected:
    void Paint(HDC dc) override;

  private:
    void PaintCaption(HDC dc, const RECT& area);
};

// A framed box with a caption that holds controls. Unlike a plain
// BS_GROUPBOX it is opaque: it paints its inside and takes the clicks on
// its empty parts, so that it can lie over other controls.
class TGroupBox : public TWinControl {
  public:
    using TWinControl::TWinControl;

  protected:
    DWORD WindowStyle() const override { return TWinControl::WindowStyle() | WS_CLIPCHILDREN; }
    void Paint(HDC dc) override;
};

// Owns a window that no control object stands for.
struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// A periodic timer delivered through the message loop. A thread timer, with
// no window of its own: it runs before its form has a window, and costs the
// screen saver's start no window.
class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    struct Options {
        unsigned interval = 1000; // milliseconds
    };
    void ApplyOptions(const Options& options) { SetInterval(options.interval); }

    unsigned Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void SetInterval(unsigned milliseconds);
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

  private:
    void Tick();
    void Update();
    void Stop();
    UINT_PTR id_ = 0; // the system's, while it runs
    unsigned interval_ = 1000;
    bool enabled_ = true;
};

LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);

// Registers a window class of the framework once per process. Only a class
// whose windows show an icon without being given one names it: loading an
// icon costs the screen saver's start milliseconds, and forms set theirs in
// the sizes of their scale.
void RegisterClassOnce(const char* name, WNDPROC proc, const char* icon = nullptr);
