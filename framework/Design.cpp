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

TWinControl& ParentOf(TForm& form, const char* parent) {
    if (!parent)
        return form;
    return Component<TWinControl>(form, parent);
}

} // namespace design_detail
