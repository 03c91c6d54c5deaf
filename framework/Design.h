#pragma once
// A form's layout as data. A design is the form's own properties plus one
// row per control, in the columns of a control table: name, kind, parent,
// position, size, caption, font, tab order; further properties and the event
// handlers are chained onto the row. ApplyDesign turns it into the form; a
// row that does not fit its member (unknown name, other kind, an event the
// kind lacks) is a logic error, raised at once.

#include "framework/Forms.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

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
    using KeyHandler = void (F::*)(TObject*, WORD&, TShiftState);
    using MouseMoveHandler = void (F::*)(TObject*, TShiftState, int, int);

    const char* name;
    TKind kind;
    const char* parent;
    POINT position;
    SIZE size;
    const char* caption;
    TFontDesign font;
    int tabOrder;

    TAnchors anchors = akLeft | akTop;
    bool visible = true;
    TAlign align = TAlign::None;
    bool parentColor = true;
    TColor color = clBtnFace;
    int cursor = crDefault;
    TDesignOptions options{};
    NotifyHandler onClick = nullptr;
    NotifyHandler onChange = nullptr;
    KeyHandler onKeyUp = nullptr;
    MouseMoveHandler onMouseMove = nullptr;
    NotifyHandler onTimer = nullptr;

    TControlDesign& Anchors(TAnchors value) { return anchors = value, *this; }
    TControlDesign& Hidden() { return visible = false, *this; }
    TControlDesign& Align(TAlign value) { return align = value, *this; }
    TControlDesign& Color(TColor value) { return color = value, parentColor = false, *this; }
    TControlDesign& Cursor(int value) { return cursor = value, *this; }
    TControlDesign& Interval(unsigned ms) { return options.interval = ms, *this; }
    TControlDesign& Bevels(TPanelBevel outer, TPanelBevel inner) {
        return options.bevelOuter = outer, options.bevelInner = inner, *this;
    }
    TControlDesign& Centered() { return options.centered = true, *this; }
    TControlDesign& Glyph(const char* resource) { return options.glyph = resource, *this; }
    TControlDesign& Picture(const char* resource) { return options.picture = resource, *this; }
    TControlDesign& Default() { return options.isDefault = true, *this; }
    TControlDesign& MaxLength(int value) { return options.maxLength = value, *this; }
    TControlDesign& OnClick(NotifyHandler handler) { return onClick = handler, *this; }
    TControlDesign& OnChange(NotifyHandler handler) { return onChange = handler, *this; }
    TControlDesign& OnKeyUp(KeyHandler handler) { return onKeyUp = handler, *this; }
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
    const char* activeControl = nullptr;
    std::vector<std::string> stacking{};
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
    TFormDesign& ActiveControl(const char* name) { return activeControl = name, *this; }
    // Windowed controls from the bottom of the stack to its top.
    TFormDesign& Stacking(std::initializer_list<const char*> names) {
        return stacking.assign(names.begin(), names.end()), *this;
    }
    TFormDesign& OnCreate(NotifyHandler handler) { return onCreate = handler, *this; }
    TFormDesign& OnKeyDown(KeyHandler handler) { return onKeyDown = handler, *this; }
    TFormDesign& OnKeyPress(KeyPressHandler handler) { return onKeyPress = handler, *this; }
    TFormDesign& OnClose(CloseHandler handler) { return onClose = handler, *this; }
};

// --- Applying a design ---------------------------------------------------

namespace design_detail {

void ApplyFont(TControl& control, const TFontDesign& font);
// The component of that name and kind; a logic error where there is none.
TComponent& Component(TForm& form, const char* name, TKind kind);
TWinControl& ParentOf(TForm& form, const char* parent);
TWinControl& WindowedControl(TForm& form, const char* name);
[[noreturn]] void MissingEvent(const char* name, const char* event);

// Binds a handler to an event the component has; a logic error otherwise.
template <class Event, class Handler>
void Bind(Event* event, const char* name, const char* kind, Handler handler) {
    if (!event)
        MissingEvent(name, kind);
    *event = handler;
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
    form.TControl::SetVisible(d.visible);
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

template <class F> void ApplyControlDesign(F& form, const TControlDesign<F>& row) {
    using design_detail::Bind;
    TComponent& component = design_detail::Component(form, row.name, row.kind);
    component.ApplyOptions(row.options);
    const auto notify = [&form](void (F::*handler)(TObject*)) {
        return [&form, handler](TObject* sender) { (form.*handler)(sender); };
    };
    if (row.onClick)
        Bind(component.ClickEvent(), row.name, "click", notify(row.onClick));
    if (row.onChange)
        Bind(component.ChangeEvent(), row.name, "change", notify(row.onChange));
    if (row.onTimer)
        Bind(component.TimerEvent(), row.name, "timer", notify(row.onTimer));
    if (row.onKeyUp)
        Bind(component.KeyUpEvent(), row.name, "key-up",
             [&form, h = row.onKeyUp](TObject* sender, WORD& key, TShiftState shift) {
                 (form.*h)(sender, key, shift);
             });
    auto* control = dynamic_cast<TControl*>(&component);
    if (!control)
        return; // timers and common dialogs have no place on the form
    TWinControl& parent = design_detail::ParentOf(form, row.parent);
    control->SetParent(&parent);
    control->SetBounds(row.position.x, row.position.y, row.size.cx, row.size.cy);
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!row.parentColor)
        control->SetColor(row.color);
    else if (!windowed || windowed->UsesParentColor())
        control->SetColor(parent.Color());
    control->Cursor = row.cursor;
    design_detail::ApplyFont(*control, row.font);
    control->SetCaption(row.caption);
    control->SetAlign(row.align);
    control->SetAnchors(row.anchors);
    control->TabOrder = row.tabOrder;
    control->SetVisible(row.visible);
    if (row.onMouseMove)
        control->OnMouseMove = [&form, h = row.onMouseMove](TObject* sender, TShiftState shift,
                                                            int x, int y) {
            (form.*h)(sender, shift, x, y);
        };
}

template <class F>
void ApplyDesign(F& form, const TFormDesign<F>& formDesign,
                 std::initializer_list<TControlDesign<F>> controls) {
    ApplyFormDesign(form, formDesign);
    for (const auto& row : controls)
        ApplyControlDesign(form, row);
    if (formDesign.activeControl)
        form.ActiveControl = &design_detail::WindowedControl(form, formDesign.activeControl);
    for (const std::string& name : formDesign.stacking)
        form.StackingOrder.push_back(&design_detail::WindowedControl(form, name.c_str()));
}
