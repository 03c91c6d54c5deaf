#pragma once
// A form's layout as data. A design is the form's own properties plus one
// row per control, in the columns of a control table: member, parent,
// position, size, caption, font, tab order; further properties and the event
// handlers are chained onto the row. ApplyDesign turns it into the form.
//
// A row names its control by a pointer to the form's member and takes the
// kind from the member's type, so a misspelt control, an option or an event
// the kind does not have, or a parent that is no container, does not
// compile.

#include "framework/Application.h"
#include "framework/StdControls.h"

#include <cstddef>
#include <initializer_list>
#include <type_traits>
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
constexpr std::nullptr_t OnForm = nullptr; // the parent column for the form itself

// A control of the form F in one role, named by its member, or the form
// itself: a container (the parent column) or a windowed control (the active
// control, the stacking list). One type whatever the member's class, so that
// a column takes any control of its role.
template <class F, class Role> class TRoleMember {
  public:
    TRoleMember(std::nullptr_t) {}
    template <class C>
    TRoleMember(C F::*member) : member_(reinterpret_cast<Erased>(member)), resolve_(&Resolve<C>) {
        if constexpr (std::is_same_v<Role, TContainer>)
            static_assert(std::is_base_of_v<TContainer, C>, "only a container holds controls");
        else
            static_assert(std::is_base_of_v<TWinControl, C>,
                          "only a windowed control takes the focus or is stacked");
    }
    Role& Of(F& form) const { return resolve_ ? resolve_(form, member_) : form; }
    bool IsForm() const { return !resolve_; }

  private:
    // The member is kept as a pointer to a Role member of F and turned back
    // into a pointer to a C member of F before use. Converting a pointer to
    // a data member to another such type and back gives the original value,
    // whatever the classes ([expr.reinterpret.cast] paragraph 10); for a
    // pointer to a member function it would not, and this holds none.
    using Erased = Role F::*;
    template <class C> static Role& Resolve(F& form, Erased member) {
        static_assert(std::is_member_object_pointer_v<C F::*>);
        return form.*reinterpret_cast<C F::*>(member);
    }
    Erased member_ = nullptr;
    Role& (*resolve_)(F&, Erased) = nullptr;
};

template <class F> using TContainerMember = TRoleMember<F, TContainer>;
template <class F> using TWindowedMember = TRoleMember<F, TWinControl>;

// The columns every control has, the same for every kind.
struct TControlColumns {
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
    int cursor = crDefault; // containers only
};

// An event of the control of class C and the form's handler bound to it.
template <class C, class Event, class Handler> struct TEventBinding {
    Event C::*event = nullptr;
    Handler handler = nullptr;
};

// One control of the form F; C is its class. Options a kind has of its own
// live in C::Options, so a setter compiles only on a row of such a kind.
template <class F, class C> struct Row : TControlColumns {
    using Parent = TContainerMember<F>;
    using NotifyHandler = void (F::*)(TObject*);
    using KeyHandler = void (F::*)(TObject*, WORD&, TShiftState);
    using MouseMoveHandler = void (F::*)(TObject*, TShiftState, int, int);

    Row(C F::*control, Parent parentControl, POINT position, SIZE size, const char* caption,
        TFontDesign font, int tabOrder)
        : TControlColumns{position, size, caption, font, tabOrder}, member(control),
          parent(parentControl) {}

    C F::*member;
    Parent parent;
    TWindowedMember<F> labelFor = OnForm; // none
    const char* accessibleName = nullptr;
    typename C::Options options{};
    TEventBinding<C, TNotifyEvent, NotifyHandler> click, change, timer;
    TEventBinding<C, TKeyEvent, KeyHandler> keyUp;
    TEventBinding<C, TMouseMoveEvent, MouseMoveHandler> mouseMove;

    Row& Anchors(TAnchors value) { return OnControl(), anchors = value, *this; }
    Row& Hidden() { return OnControl(), visible = false, *this; }
    Row& Align(TAlign value) { return OnControl(), align = value, *this; }
    Row& Color(TColor value) { return OnControl(), color = value, parentColor = false, *this; }
    // The control beside it that this label names for screen readers.
    Row& LabelFor(TWindowedMember<F> control) {
        static_assert(std::is_base_of_v<TLabel, C>, "only a label names a control beside it");
        return labelFor = control, *this;
    }
    // The name screen readers read, where the control's own text is none.
    Row& AccessibleName(const char* name) {
        static_assert(std::is_base_of_v<TWinControl, C>,
                      "a drawn control is no window that a screen reader could ask");
        return accessibleName = name, *this;
    }
    Row& Cursor(int value) {
        static_assert(std::is_base_of_v<TContainer, C>,
                      "only a container has a pointer of its own; the mouse goes through the rest");
        return cursor = value, *this;
    }

    Row& Interval(unsigned ms) { return options.interval = ms, *this; }
    Row& Bevels(TPanelBevel outer, TPanelBevel inner) {
        return options.bevelOuter = outer, options.bevelInner = inner, *this;
    }
    Row& Centered() { return options.centered = true, *this; }
    Row& Glyph(const char* resource) { return options.glyph = resource, *this; }
    Row& Picture(const char* resource) { return options.picture = resource, *this; }
    Row& Default() { return options.isDefault = true, *this; }
    Row& MaxLength(int value) { return options.maxLength = value, *this; }

    Row& OnClick(NotifyHandler handler) { return click = {&C::OnClick, handler}, *this; }
    Row& OnChange(NotifyHandler handler) { return change = {&C::OnChange, handler}, *this; }
    Row& OnTimer(NotifyHandler handler) { return timer = {&C::OnTimer, handler}, *this; }
    Row& OnKeyUp(KeyHandler handler) { return keyUp = {&C::OnKeyUp, handler}, *this; }
    Row& OnMouseMove(MouseMoveHandler handler) {
        return mouseMove = {&C::OnMouseMove, handler}, *this;
    }

  private:
    static void OnControl() {
        static_assert(std::is_base_of_v<TControl, C>, "only a control has a place on the form");
    }
};

// The form and the control class come from the member alone; the parent
// column converts afterwards.
template <class F, class C, class P>
Row(C F::*, P, POINT, SIZE, const char*, TFontDesign, int) -> Row<F, C>;

template <class F> struct TFormDesign {
    using NotifyHandler = void (F::*)(TObject*);
    using KeyHandler = void (F::*)(TObject*, WORD&, TShiftState);
    using KeyPressHandler = void (F::*)(TObject*, wchar_t&);
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
    TWindowedMember<F> activeControl = OnForm; // none
    std::vector<TWindowedMember<F>> stacking{};
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
    TFormDesign& ActiveControl(TWindowedMember<F> control) {
        return activeControl = control, *this;
    }
    // Windowed controls from the bottom of the stack to its top.
    TFormDesign& Stacking(std::initializer_list<TWindowedMember<F>> controls) {
        return stacking.assign(controls), *this;
    }
    TFormDesign& OnCreate(NotifyHandler handler) { return onCreate = handler, *this; }
    TFormDesign& OnKeyDown(KeyHandler handler) { return onKeyDown = handler, *this; }
    TFormDesign& OnKeyPress(KeyPressHandler handler) { return onKeyPress = handler, *this; }
    TFormDesign& OnClose(CloseHandler handler) { return onClose = handler, *this; }
};

// --- Applying a design ---------------------------------------------------

namespace design_detail {

void ApplyFont(TControl& control, const TFontDesign& font);
// The common columns, on a control just given its parent.
void Place(TControl& control, TContainer& parent, const TControlColumns& row);

// The form's handler as the event's callable; nothing where there is none.
template <class Event, class F, class... Args>
void Bind(Event& event, F& form, void (F::*handler)(Args...)) {
    if (handler)
        event = [&form, handler](Args... args) { (form.*handler)(args...); };
}

template <class F, class C, class Event, class Handler>
void Bind(C& control, F& form, const TEventBinding<C, Event, Handler>& binding) {
    if (binding.handler)
        Bind(control.*binding.event, form, binding.handler);
}

} // namespace design_detail

template <class F> void ApplyFormDesign(F& form, const TFormDesign<F>& d) {
    using design_detail::Bind;
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
    Bind(form.OnCreate, form, d.onCreate);
    Bind(form.OnKeyDown, form, d.onKeyDown);
    Bind(form.OnKeyPress, form, d.onKeyPress);
    Bind(form.OnClose, form, d.onClose);
}

template <class F, class C> void ApplyControlDesign(F& form, const Row<F, C>& row) {
    using design_detail::Bind;
    C& component = form.*row.member;
    component.ApplyOptions(row.options);
    Bind(component, form, row.click);
    Bind(component, form, row.change);
    Bind(component, form, row.timer);
    Bind(component, form, row.keyUp);
    Bind(component, form, row.mouseMove);
    // Timers and common dialogs have no place on the form.
    if constexpr (std::is_base_of_v<TControl, C>)
        design_detail::Place(component, row.parent.Of(form), row);
    if constexpr (std::is_base_of_v<TContainer, C>)
        component.Cursor = row.cursor;
    if constexpr (std::is_base_of_v<TWinControl, C>)
        if (row.accessibleName)
            component.AccessibleName = row.accessibleName;
    if constexpr (std::is_base_of_v<TLabel, C>)
        if (!row.labelFor.IsForm())
            row.labelFor.Of(form).Label = &component;
}

template <class F, class... C>
void ApplyDesign(F& form, const TFormDesign<F>& formDesign, const Row<F, C>&... controls) {
    ApplyFormDesign(form, formDesign);
    (ApplyControlDesign(form, controls), ...);
    if (!formDesign.activeControl.IsForm())
        form.ActiveControl = &formDesign.activeControl.Of(form);
    for (const TWindowedMember<F>& control : formDesign.stacking)
        form.StackingOrder.push_back(&control.Of(form));
}
