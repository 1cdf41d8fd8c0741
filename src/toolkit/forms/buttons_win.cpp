// The "BUTTON" kinds of controls.
#include "toolkit/forms/buttons_win.h"

namespace korvane::forms {

Button::Button(Control& parent, const Args& args)
    : Control(parent, "BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, args.bounds,
              args.text) {}

void Button::Click() {
    if (OnClick) {
        OnClick(*this);
    }
}

bool Button::OnCommand(WORD code) {
    if (code != BN_CLICKED) {
        return false;
    }
    Click();
    return true;
}

ImageButton::ImageButton(Control& parent, const Args& args)
    : Control(parent, "BUTTON", WS_VISIBLE | BS_OWNERDRAW, 0, args.bounds, ""),
      images_(args.images) {}

void ImageButton::SetImages(const ImageList* images) {
    images_ = images;
    if (Handle() != nullptr) {
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

bool ImageButton::OnDrawItem(DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, BackgroundBrush());
    if (images_ != nullptr && images_->Count() > 0) {
        if (Dpi() == kLayoutDpi) {
            images_->Draw(0, item.hDC, item.rcItem.left, item.rcItem.top);
        } else {
            images_->DrawStretched(0, item.hDC, item.rcItem.left, item.rcItem.top,
                                   ToPixels(images_->Width()), ToPixels(images_->Height()));
        }
    }
    return true;
}

CheckBox::CheckBox(Control& parent, const Args& args)
    : Control(parent, "BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, args.bounds,
              args.text) {
    SetChecked(args.checked);
}

bool CheckBox::Checked() const {
    return Handle() != nullptr && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    if (Handle() != nullptr) {
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

bool CheckBox::OnCommand(WORD code) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (OnClick) {
        OnClick(*this);
    }
    return true;
}

RadioButton::RadioButton(Control& parent, const Args& args)
    : Control(parent, "BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, args.bounds,
              args.text) {
    // This object is not yet among the parent's children: any radio button there came earlier.
    bool first = true;
    for (const auto& sibling : parent.Children()) {
        first = first && dynamic_cast<RadioButton*>(sibling.get()) == nullptr;
    }
    if (first) {
        SetChecked(true);
    }
}

bool RadioButton::Checked() const {
    return Handle() != nullptr && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::SetChecked(bool checked) {
    if (Handle() == nullptr) {
        return;
    }
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (checked) {
        UncheckSiblings();
    }
}

void RadioButton::UncheckSiblings() {
    // The system's own grouping follows WS_GROUP marks among all siblings; the rule here is
    // simpler: every radio button of the same parent.
    if (Parent() == nullptr) {
        return;
    }
    for (const auto& sibling : Parent()->Children()) {
        auto* radio = dynamic_cast<RadioButton*>(sibling.get());
        if (radio != nullptr && radio != this && radio->Handle() != nullptr) {
            SendMessageA(radio->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

bool RadioButton::OnCommand(WORD code) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (Checked()) {
        UncheckSiblings();
    }
    if (OnClick) {
        OnClick(*this);
    }
    return true;
}

GroupBox::GroupBox(Control& parent, const Args& args)
    : Control(parent, "BUTTON", WS_VISIBLE | BS_GROUPBOX | WS_CLIPCHILDREN, 0, args.bounds,
              args.text) {}

bool GroupBox::OnMessage(UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
    // The frame paints only its line and caption, and its parent clips it out (WS_CLIPCHILDREN):
    // the inside would keep whatever was on the screen.
    if (message != WM_ERASEBKGND) {
        return false;
    }
    RECT r{};
    GetClientRect(Handle(), &r);
    FillRect(reinterpret_cast<HDC>(wparam), &r, BackgroundBrush());
    result = 1;
    return true;
}

} // namespace korvane::forms
