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

void ApplyKindProperties(TControl& control, TPanelBevel outer, TPanelBevel inner, bool centered,
                         const char* glyph, const char* picture) {
    if (auto* panel = dynamic_cast<TPanel*>(&control)) {
        panel->BevelOuter = outer;
        panel->BevelInner = inner;
    }
    if (auto* label = dynamic_cast<TLabel*>(&control))
        label->Centered = centered;
    if (glyph) {
        if (auto* button = dynamic_cast<TButton*>(&control))
            button->Glyph.Load(glyph);
        else if (auto* link = dynamic_cast<TLinkButton*>(&control))
            link->Glyph.Load(glyph);
    }
    if (picture)
        if (auto* image = dynamic_cast<TImage*>(&control))
            image->LoadJpegResource(picture);
}

TWinControl& ParentOf(TForm& form, const char* parent) {
    if (!parent)
        return form;
    return Component<TWinControl>(form, parent);
}

} // namespace design_detail
