#pragma once
// A form's layout as data. A design is the form's own properties plus one
// row per control, in the columns of a control table: name, kind, parent,
// position, size, caption, font, tab order; further properties and the event
// handlers are chained onto the row. ApplyDesign turns it into the form.

#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "framework/Pictures.h"

#include <initializer_list>
#include <stdexcept>

enum class TKind { Panel, Label, Timer, Button, LinkButton, Bevel, Image };

struct TFontDesign {
    const char* name = nullptr; // nullptr: the parent's font
    int height = 0;             // negative: character height in pixels
    TFontStyles style = 0;
    TColor color = clWindowText;
    int charset = DEFAULT_CHARSET;
};

constexpr TFontDesign ParentFont{};
constexpr int NoTabStop = -1;
constexpr const char* OnForm = nullptr; // the parent column for the form itself

template <class F> struct TControlDesign {
    using NotifyHandler = void (F::*)(TObject*);
    using MouseMoveHandler = void (F::*)(TObject*, TShiftState, int, int);

    const char* name;
    TKind kind;
    const char* parent;
    POINT position;
    SIZE size;
    const char* caption;
    TFontDesign font;
    int tabOrder;

    TAlign align = TAlign::None;
    bool parentColor = true;
    TColor color = clBtnFace;
    int cursor = crDefault;
    TPanelBevel bevelOuter = TPanelBevel::None;
    TPanelBevel bevelInner = TPanelBevel::None;
    unsigned interval = 1000;
    bool centered = false;
    const char* glyph = nullptr;   // bitmap resource
    const char* picture = nullptr; // JPEG resource
    MouseMoveHandler onMouseMove = nullptr;
    NotifyHandler onTimer = nullptr;
    NotifyHandler onClick = nullptr;

    TControlDesign& Align(TAlign value) { return align = value, *this; }
    TControlDesign& Color(TColor value) { return color = value, parentColor = false, *this; }
    TControlDesign& Cursor(int value) { return cursor = value, *this; }
    TControlDesign& Bevels(TPanelBevel outer, TPanelBevel inner) {
        return bevelOuter = outer, bevelInner = inner, *this;
    }
    TControlDesign& Interval(unsigned ms) { return interval = ms, *this; }
    TControlDesign& Centered() { return centered = true, *this; }
    TControlDesign& Glyph(const char* resource) { return glyph = resource, *this; }
    TControlDesign& Picture(const char* resource) { return picture = resource, *this; }
    TControlDesign& OnClick(NotifyHandler handler) { return onClick = handler, *this; }
    TControlDesign& OnMouseMove(MouseMoveHandler handler) { return onMouseMove = handler, *this; }
    TControlDesign& OnTimer(NotifyHandler handler) { return onTimer = handler, *this; }
};

template <class F> struct TFormDesign {
    using NotifyHandler = void (F::*)(TObject*);
    using KeyHandler = void (F::*)(TObject*, WORD&, TShiftState);
    using KeyPressHandler = void (F::*)(TObject*, char&);
    using CloseHandler = void (F::*)(TObject*, TCloseAction&);

    const char* caption;
    SIZE clientSize;
    TFontDesign font;

    TBorderStyle border = TBorderStyle::Sizeable;
    TBorderIcons borderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle style = TFormStyle::Normal;
    TWindowState state = TWindowState::Normal;
    TAlign align = TAlign::None;
    TPosition position = TPosition::Designed;
    TColor color = clBtnFace;
    int cursor = crDefault;
    bool keyPreview = false;
    bool visible = true;
    NotifyHandler onCreate = nullptr;
    KeyHandler onKeyDown = nullptr;
    KeyPressHandler onKeyPress = nullptr;
    CloseHandler onClose = nullptr;

    TFormDesign& Border(TBorderStyle value, TBorderIcons icons) {
        return border = value, borderIcons = icons, *this;
    }
    TFormDesign& Style(TFormStyle value) { return style = value, *this; }
    TFormDesign& State(TWindowState value) { return state = value, *this; }
    TFormDesign& Align(TAlign value) { return align = value, *this; }
    TFormDesign& Position(TPosition value) { return position = value, *this; }
    TFormDesign& Color(TColor value) { return color = value, *this; }
    TFormDesign& Cursor(int value) { return cursor = value, *this; }
    TFormDesign& KeyPreview(bool value) { return keyPreview = value, *this; }
    TFormDesign& Hidden() { return visible = false, *this; }
    TFormDesign& OnCreate(NotifyHandler handler) { return onCreate = handler, *this; }
    TFormDesign& OnKeyDown(KeyHandler handler) { return onKeyDown = handler, *this; }
    TFormDesign& OnKeyPress(KeyPressHandler handler) { return onKeyPress = handler, *this; }
    TFormDesign& OnClose(CloseHandler handler) { return onClose = handler, *this; }
};

// --- Applying a design ---------------------------------------------------

namespace design_detail {

void ApplyFont(TControl& control, const TFontDesign& font);
void ApplyKindProperties(TControl& control, TPanelBevel outer, TPanelBevel inner, bool centered,
                         const char* glyph, const char* picture);
TWinControl& ParentOf(TForm& form, const char* parent);
template <class T> T& Component(TForm& form, const char* name) {
    if (auto* component = dynamic_cast<T*>(form.FindComponent(name)))
        return *component;
    throw std::logic_error(std::string("design names an unknown control: ") + name);
}

} // namespace design_detail

template <class F> void ApplyFormDesign(F& form, const TFormDesign<F>& d) {
    form.SetCaption(d.caption);
    form.BorderStyle = d.border;
    form.BorderIcons = d.borderIcons;
    form.FormStyle = d.style;
    form.SetWindowState(d.state);
    form.SetAlign(d.align);
    form.Position = d.position;
    form.SetColor(d.color);
    form.Cursor = d.cursor;
    form.KeyPreview = d.keyPreview;
    form.Visible = d.visible;
    design_detail::ApplyFont(form, d.font);
    form.SetClientSize(d.clientSize.cx, d.clientSize.cy);
    if (d.onCreate)
        form.OnCreate = [&form, h = d.onCreate](TObject* sender) { (form.*h)(sender); };
    if (d.onKeyDown)
        form.OnKeyDown = [&form, h = d.onKeyDown](TObject* sender, WORD& key, TShiftState shift) {
            (form.*h)(sender, key, shift);
        };
    if (d.onKeyPress)
        form.OnKeyPress = [&form, h = d.onKeyPress](TObject* sender, char& key) {
            (form.*h)(sender, key);
        };
    if (d.onClose)
        form.OnClose = [&form, h = d.onClose](TObject* sender, TCloseAction& action) {
            (form.*h)(sender, action);
        };
}

template <class F> void ApplyTimerDesign(F& form, const TControlDesign<F>& row) {
    TTimer& timer = design_detail::Component<TTimer>(form, row.name);
    timer.SetInterval(row.interval);
    if (row.onTimer)
        timer.OnTimer = [&form, h = row.onTimer](TObject* sender) { (form.*h)(sender); };
}

template <class F> void ApplyControlDesign(F& form, const TControlDesign<F>& row) {
    TControl& control = design_detail::Component<TControl>(form, row.name);
    TWinControl& parent = design_detail::ParentOf(form, row.parent);
    control.SetParent(&parent);
    control.SetBounds(row.position.x, row.position.y, row.size.cx, row.size.cy);
    control.SetColor(row.parentColor ? parent.Color() : row.color);
    control.Cursor = row.cursor;
    design_detail::ApplyFont(control, row.font);
    control.SetCaption(row.caption);
    control.SetAlign(row.align);
    design_detail::ApplyKindProperties(control, row.bevelOuter, row.bevelInner, row.centered,
                                       row.glyph, row.picture);
    if (row.onClick) {
        TNotifyEvent click = [&form, h = row.onClick](TObject* sender) { (form.*h)(sender); };
        if (auto* button = dynamic_cast<TButton*>(&control))
            button->OnClick = click;
        else if (auto* link = dynamic_cast<TLinkButton*>(&control))
            link->OnClick = click;
    }
    if (row.onMouseMove)
        control.OnMouseMove = [&form, h = row.onMouseMove](TObject* sender, TShiftState shift,
                                                           int x, int y) {
            (form.*h)(sender, shift, x, y);
        };
}

template <class F>
void ApplyDesign(F& form, const TFormDesign<F>& formDesign,
                 std::initializer_list<TControlDesign<F>> controls) {
    ApplyFormDesign(form, formDesign);
    for (const auto& row : controls) {
        if (row.kind == TKind::Timer)
            ApplyTimerDesign(form, row);
        else
            ApplyControlDesign(form, row);
    }
}
