#pragma once
// Controls: what lies in a container with a place, a caption, a font and a
// colour; and the drawn controls among them, which have no window of their
// own and paint on the window their container is drawn on.

#include "framework/Component.h"
#include "framework/Gdi.h"
#include "framework/Graphics.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

class TContainer;

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

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TContainer* Parent() const { return parent_; }
    void SetParent(TContainer* parent);

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
    // Visible and enabled, and so are all its parents.
    bool Reachable() const;

    // Repaints the control's area.
    virtual void Invalidate();

    // The form's resolution changed: pixels and fonts again from the 96-ppi
    // values, never from the pixels of the old resolution.
    virtual void DpiChanged();
    // The container moved on its window, or was shown, hidden, enabled or
    // disabled there: a window inside follows.
    virtual void ContainerChanged() {}

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
    friend class TContainer;
    void FollowAnchors(const RECT& parentClient);
    TContainer* parent_ = nullptr;
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

// A control without a window of its own, drawn by its container. The mouse
// goes through it to the container under it.
class TGraphicControl : public TControl {
  public:
    using TControl::TControl;
    // At its pixel bounds, in the coordinates of its container's inside.
    virtual void Paint(HDC dc) = 0;
    // It fills all of its bounds, so its container paints nothing there.
    virtual bool Opaque() const { return false; }
    void SetVisible(bool visible) override;
    void Invalidate() override;

  protected:
    void Place(const RECT& bounds, const RECT& pixels) override;
};
