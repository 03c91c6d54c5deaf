#pragma once
// The standard controls of a form: labels and panels drawn on their
// container's window, and the group box in a window of its own.

#include "framework/WinControl.h"

// Text in one colour on its parent's colour, sized to the text.
class TLabel : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;
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

enum class TPanelBevel { None, Lowered, Raised };

// A coloured area with bevels and a centred caption that holds controls. It
// draws on its container's window: a window fewer to make is a start of the
// full-screen display some milliseconds sooner. The windows inside it are
// children of that window, above its drawing.
class TPanel : public TGraphicControl, public TContainer {
  public:
    explicit TPanel(TComponent* owner)
        : TGraphicControl(owner), TContainer(static_cast<TControl&>(*this)) {}
    struct Options {
        TPanelBevel bevelOuter = TPanelBevel::None;
        TPanelBevel bevelInner = TPanelBevel::None;
    };
    void ApplyOptions(const Options& options);
    TPanelBevel BevelOuter = TPanelBevel::None;
    TPanelBevel BevelInner = TPanelBevel::None;

    HWND HostHandle() const override;
    RECT ToHost(RECT inside) const override;
    bool ShowsInside() const override;
    bool EnablesInside() const override;
    RECT ClientRect() const override { return {0, 0, Width(), Height()}; }
    RECT PixelClientRect() const override;

    void Paint(HDC dc) override;
    bool Opaque() const override { return true; }
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void DpiChanged() override;
    void ContainerChanged() override { InsideChanged(); }

  protected:
    void Place(const RECT& bounds, const RECT& pixels) override;

  private:
    void PaintFace(HDC dc);
    void PaintCaption(HDC dc, const RECT& area);
};

// A framed box with a caption that holds controls. Unlike a plain
// BS_GROUPBOX it is opaque: it paints its inside and takes the clicks on
// its empty parts, so that it can lie over other controls.
class TGroupBox : public TWinContainer {
  public:
    using TWinContainer::TWinContainer;

  protected:
    void Paint(HDC dc) override;
};
