#include "framework/Design.h"

namespace design_detail {

void ApplyFont(TControl& control, const TFontDesign& font) {
    if (!font.name) {
        if (control.Parent())
            control.Font.Assign(control.Parent()->Self().Font);
        return;
    }
    control.Font.SetName(font.name);
    control.Font.SetHeight(font.height);
    control.Font.SetStyle(font.style);
    control.Font.SetColor(font.color);
    control.Font.SetCharset(font.charset);
}

void Place(TControl& control, TContainer& parent, const TControlColumns& row) {
    control.SetParent(&parent);
    control.SetBounds(row.position.x, row.position.y, row.size.cx, row.size.cy);
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!row.parentColor)
        control.SetColor(row.color);
    else if (!windowed || windowed->UsesParentColor())
        control.SetColor(parent.Self().Color());
    ApplyFont(control, row.font);
    control.SetCaption(row.caption);
    control.SetAlign(row.align);
    control.SetAnchors(row.anchors);
    control.TabOrder = row.tabOrder;
    control.SetVisible(row.visible);
}

} // namespace design_detail
