// The "STATIC" kinds of controls.
#include "toolkit/forms/statics_win.h"

#include "toolkit/forms/form_win.h"

namespace korvane::forms {

Label::Label(Control& parent, const Args& args)
    : Control(parent, "STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOTIFY, 0, args.bounds,
              args.text) {}

WordWrapLabel::WordWrapLabel(Control& parent, const Args& args)
    : Label(parent, LabelArgs{args.bounds, args.text}) {
    if (Handle() != nullptr) {
        // Same window, other text layout: the style of a static decides how it wraps.
        LONG style = GetWindowLongA(Handle(), GWL_STYLE) & ~static_cast<LONG>(SS_TYPEMASK);
        style |= args.align == TextAlign::Center ? SS_CENTER : SS_LEFT;
        SetWindowLongA(Handle(), GWL_STYLE, style);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

bool Label::OnCommand(WORD code) {
    if (code != STN_CLICKED) {
        return false;
    }
    if (OnClick) {
        OnClick(*this);
    }
    return true;
}

HBRUSH Label::OnCtlColor(HDC dc) {
    Form* owner = ParentForm();
    if (owner == nullptr || !owner->TransparentLabels() || Color() != kNoColor) {
        return Control::OnCtlColor(dc);
    }
    SetTextColor(dc, ResolveColor(Font().color));
    SetBkMode(dc, TRANSPARENT);
    return Parent() != nullptr ? Parent()->BackgroundBrush() : nullptr;
}

Panel::Panel(Control& parent, const Args& args)
    : Control(parent, "STATIC", WS_VISIBLE | WS_CLIPCHILDREN | SS_LEFT,
              args.border ? WS_EX_STATICEDGE : 0, args.bounds, "") {
    SetColor(args.color);
    if (args.align != Align::None) {
        SetAlign(args.align);
    }
}

void WordWrapLabel::OnDpiLayout() {
    const Rect bounds = Bounds();
    const int needed = MeasureWrappedText(Text(), bounds.width).height;
    if (needed > bounds.height) {
        SetBounds({bounds.left, bounds.top + bounds.height - needed, bounds.width, needed});
    }
}

} // namespace korvane::forms
