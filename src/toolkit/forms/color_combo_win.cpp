// The colour list: entries, current value and drawing.
#include "toolkit/forms/color_combo_win.h"

#include <algorithm>
#include <cstring>

namespace korvane::forms {

namespace {

constexpr int kSwatch = 12;
constexpr int kSwatchLeft = 2;
constexpr int kTextGap = 5;

ComboBoxArgs BaseArgs(const ColorComboBoxArgs& args) {
    ComboBoxArgs base;
    base.bounds = args.bounds;
    base.droppedHeight = 240;
    return base;
}

} // namespace

ColorComboBox::ColorComboBox(Control& parent, const Args& args)
    : ComboBox(parent, BaseArgs(args), CBS_OWNERDRAWFIXED | CBS_HASSTRINGS),
      entries_(ColorListEntries(args.allowTransparent)) {
    FontSpec font;
    font.face = "Tahoma";
    font.height = 13;
    SetFont(font);
    for (const NamedColor& entry : entries_) {
        const int index = AddItem(entry.name);
        if (index >= 0 && Handle() != nullptr) {
            SendMessageA(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), entry.value);
        }
    }
    OnFontChanged();
}

void ColorComboBox::SetColorValue(int64_t value) {
    const int index = FindColorEntry(entries_, value);
    value_ = index >= 0 ? static_cast<int32_t>(entries_[static_cast<size_t>(index)].value) : -1;
    SetItemIndex(index);
    if (Handle() != nullptr) {
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void ColorComboBox::OnSelectionChange() {
    const int index = ItemIndex();
    if (index >= 0 && static_cast<size_t>(index) < entries_.size()) {
        value_ = static_cast<int32_t>(entries_[static_cast<size_t>(index)].value);
    }
}

int ColorComboBox::ItemHeight() {
    // In pixels, as the list asks for it.
    return ToPixels(std::max(MeasureText("Wg").height + 3, kSwatch + 4));
}

void ColorComboBox::OnFontChanged() {
    if (Handle() == nullptr) {
        return;
    }
    // WM_MEASUREITEM came while the window was created, before this object could answer it.
    const int height = ItemHeight();
    SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, height);
}

bool ColorComboBox::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(ItemHeight());
    return true;
}

bool ColorComboBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    // The text of the box is what it shows: "???" while the value is unknown.
    if (value_ != -1 || ItemIndex() >= 0) {
        return false;
    }
    const size_t length = std::strlen(kUnknownColorText);
    if (message == WM_GETTEXTLENGTH) {
        result = static_cast<LRESULT>(length);
        return true;
    }
    if (message == WM_GETTEXT) {
        const size_t room = static_cast<size_t>(wparam);
        auto* buffer = reinterpret_cast<char*>(lparam);
        if (buffer == nullptr || room == 0) {
            result = 0;
            return true;
        }
        const size_t copied = std::min(length, room - 1);
        std::memcpy(buffer, kUnknownColorText, copied);
        buffer[copied] = '\0';
        result = static_cast<LRESULT>(copied);
        return true;
    }
    return false;
}

bool ColorComboBox::OnDrawItem(DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, &area, BackgroundBrush());
        SetTextColor(dc, ResolveColor(Font().color));
    }
    SetBkMode(dc, TRANSPARENT);
    const ScopedSelection font(dc, FontHandle());

    const int index = static_cast<int>(item.itemID);
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) {
        RECT text = area;
        text.left += ToPixels(kSwatchLeft);
        DrawTextA(dc, kUnknownColorText, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else {
        const NamedColor& entry = entries_[static_cast<size_t>(index)];
        const int edge = ToPixels(kSwatch);
        const int left = area.left + ToPixels(kSwatchLeft);
        const int top = area.top + (area.bottom - area.top - edge) / 2;
        RECT swatch{left, top, left + edge, top + edge};
        const bool transparent = entry.value == kNoColor;
        const ScopedBrush fill(CreateSolidBrush(transparent ? RGB(255, 255, 255) : entry.value));
        FillRect(dc, &swatch, fill.Get());
        FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        if (transparent) {
            const ScopedSelection pen(dc, GetStockObject(BLACK_PEN));
            MoveToEx(dc, left, top, nullptr);
            LineTo(dc, left + edge, top + edge);
            MoveToEx(dc, left + edge - 1, top, nullptr);
            LineTo(dc, left - 1, top + edge);
        }
        RECT text = area;
        text.left = left + edge + ToPixels(kTextGap);
        DrawTextA(dc, entry.name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &area);
    }
    return true;
}

} // namespace korvane::forms
