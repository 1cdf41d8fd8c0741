// Edit boxes and drop-down lists.
#include "toolkit/forms/edit_win.h"

namespace korvane::forms {

namespace {

DWORD EditStyle(const EditArgs& args) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    if (args.readOnly) {
        style |= ES_READONLY;
    }
    if (args.digitsOnly) {
        style |= ES_NUMBER;
    }
    if (args.multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
        style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    }
    return style;
}

} // namespace

Edit::Edit(Control& parent, const Args& args)
    : Control(parent, "EDIT", EditStyle(args), args.border ? WS_EX_CLIENTEDGE : 0, args.bounds,
              args.text) {
    SetColor(kColorWindow);
}

bool Edit::MultiLine() const {
    return Handle() != nullptr && (GetWindowLongA(Handle(), GWL_STYLE) & ES_MULTILINE) != 0;
}

void Edit::SetReadOnly(bool readOnly) {
    if (Handle() != nullptr) {
        SendMessageA(Handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    }
}

bool Edit::OnCommand(WORD code) {
    // EN_KILLFOCUS comes only from a real focus change, never from WM_SETTEXT.
    if (code != EN_KILLFOCUS) {
        return false;
    }
    if (OnLeave) {
        OnLeave(*this);
    }
    return true;
}

ComboBox::ComboBox(Control& parent, const Args& args) : ComboBox(parent, args, 0) {}

ComboBox::ComboBox(Control& parent, const Args& args, DWORD extraStyle)
    : Control(parent, "COMBOBOX",
              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | extraStyle, 0,
              Rect{args.bounds.left, args.bounds.top, args.bounds.width,
                   args.bounds.height + args.droppedHeight},
              ""),
      droppedHeight_(args.droppedHeight) {
    SetColor(kColorWindow);
    for (const std::string& item : args.items) {
        AddItem(item);
    }
}

int ComboBox::AddItem(const std::string& text) {
    if (Handle() == nullptr) {
        return -1;
    }
    return static_cast<int>(
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void ComboBox::SetItemText(int index, const std::string& text) {
    if (Handle() == nullptr || index < 0 || index >= Count()) {
        return;
    }
    const int selected = ItemIndex();
    const auto data = SendMessageA(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    SendMessageA(Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    if (selected == index) {
        SetItemIndex(index);
    }
}

std::string ComboBox::ItemText(int index) const {
    if (Handle() == nullptr || index < 0 || index >= Count()) {
        return {};
    }
    const auto length = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const auto copied = SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

int ComboBox::Count() const {
    return Handle() != nullptr ? static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)) : 0;
}

void ComboBox::Clear() {
    if (Handle() != nullptr) {
        SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    }
}

int ComboBox::ItemIndex() const {
    return Handle() != nullptr ? static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : -1;
}

void ComboBox::SetItemIndex(int index) {
    if (Handle() != nullptr) {
        // Wine keeps the old selection for an index outside the list; Windows clears it.
        const int valid = index >= 0 && index < Count() ? index : -1;
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(valid), 0);
    }
}

bool ComboBox::OnCommand(WORD code) {
    if (code != CBN_SELCHANGE) {
        return false;
    }
    OnSelectionChange();
    if (OnChange) {
        OnChange(*this);
    }
    return true;
}

void ComboBox::OnSelectionChange() {}

} // namespace korvane::forms
