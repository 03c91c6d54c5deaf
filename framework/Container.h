#pragma once
// Holding controls is a role of its own. The form and the group box hold
// theirs in a window of their own; a panel holds its on the window of the
// container it lies in, the host, at its own place there. Either way the
// role lays the controls out (alignment and anchors), paints the drawn
// ones, finds the container under the mouse, and tells the windows inside
// where they lie on the host and whether they show there.

#include "framework/Control.h"

#include <windows.h>

#include <vector>

class TContainer {
  public:
    explicit TContainer(TControl& self) : self_(self) {}
    virtual ~TContainer();
    TContainer(const TContainer&) = delete;
    TContainer& operator=(const TContainer&) = delete;

    // The container as the control it also is.
    TControl& Self() const { return self_; }
    const std::vector<TControl*>& Controls() const { return controls_; }

    // The window the inside is drawn on, and a rectangle of the inside in
    // that window's client coordinates.
    virtual HWND HostHandle() const = 0;
    virtual RECT ToHost(RECT inside) const = 0;
    // Whether what lies inside shows, and takes input, on the host: not
    // where a panel around it is hidden or disabled.
    virtual bool ShowsInside() const = 0;
    virtual bool EnablesInside() const = 0;
    // The inside, in 1/96 inch units and in pixels.
    virtual RECT ClientRect() const = 0;
    virtual RECT PixelClientRect() const = 0;

    void InvalidateArea(const RECT& inside);
    // Lays out the controls aligned to an edge or the inside, and moves the
    // anchored ones.
    void Realign();

    // The pointer over the inside, where no container inside is under it.
    int Cursor = crDefault;
    TMouseMoveEvent OnMouseMove;

  protected:
    // The innermost container under the point, with the point made its
    // own; this one where no enabled panel is there.
    TContainer& ContainerAt(POINT& pixel);
    // The inside in the container's colour, but under opaque drawn
    // controls: each area is filled once, so nothing flickers.
    void PaintBackground(HDC dc) const;
    // Every drawn control that meets the area being painted.
    void PaintControls(HDC dc) const;
    // What lies inside follows a move, a showing or an enabling.
    void InsideChanged() const;
    void InsideDpiChanged() const;
    // The windows of the controls inside, at any depth of panels.
    void CreateWindowsInside() const;

  private:
    friend class TControl;
    void Add(TControl& control) { controls_.push_back(&control); }
    void Remove(TControl& control);
    void AlignStrip(TControl& control, RECT& free);

    TControl& self_;
    std::vector<TControl*> controls_;
};
