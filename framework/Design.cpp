#include "framework/Design.h"

namespace design_detail {

void ApplyFont(TControl& control, const TFontDesign& font) {
    if (!font.name) {
        if (control.Parent())
            control.Font.Assign(control.Parent()->Font);
        return;
    }
    control.Font.SetName(font.name);
    control.Font.SetHeight(font.height);
    control.Font.SetStyle(font.style);
    control.Font.SetColor(font.color);
    control.Font.SetCharset(font.charset);
}

TComponent& Component(TForm& form, const char* name, TKind kind) {
    TComponent* component = form.FindComponent(name);
    if (!component)
        throw std::logic_error(std::string("design names an unknown control: ") + name);
    if (component->Kind() != kind)
        throw std::logic_error(std::string("design gives another kind to ") + name);
    return *component;
}

TWinControl& ParentOf(TForm& form, const char* parent) {
    return parent ? WindowedControl(form, parent) : form;
}

TWinControl& WindowedControl(TForm& form, const char* name) {
    if (auto* control = dynamic_cast<TWinControl*>(form.FindComponent(name)))
        return *control;
    throw std::logic_error(std::string("design names no windowed control ") + name);
}

void MissingEvent(const char* name, const char* event) {
    throw std::logic_error(std::string("design binds a ") + event + " event that " + name +
                           " does not have");
}

} // namespace design_detail
