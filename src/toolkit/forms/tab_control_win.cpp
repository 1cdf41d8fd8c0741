// The tab control with its pages.
#include "toolkit/forms/tab_control_win.h"

#include <algorithm>
#include <commctrl.h>

namespace korvane::forms {

namespace {

const char* TabClass() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES};
    InitCommonControlsEx(&init);
    return WC_TABCONTROLA;
}

DWORD TabStyleBits(TabStyle style) {
    DWORD bits = WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | TCS_HOTTRACK;
    if (style == TabStyle::FlatButtons) {
        bits |= TCS_BUTTONS | TCS_FLATBUTTONS | TCS_FIXEDWIDTH;
    }
    return bits;
}

} // namespace

TabControl::TabControl(Control& parent, const Args& args)
    : Control(parent, TabClass(), TabStyleBits(args.style), 0, args.bounds, "") {
    for (size_t i = 0; i < args.tabs.size(); ++i) {
        Panel& page = Add<Panel>(PanelArgs{});
        page.SetVisible(false);
        pages_.push_back(&page);
        InsertTab(static_cast<int>(i), args.tabs[i], page);
    }
    PlacePages();
    ShowSelectedPage();
}

int TabControl::Count() const {
    return Handle() != nullptr ? static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0))
                               : 0;
}

std::string TabControl::TabText(int index) const {
    if (Handle() == nullptr || index < 0 || index >= Count()) {
        return {};
    }
    char buffer[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    if (!SendMessageA(Handle(), TCM_GETITEMA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item))) {
        return {};
    }
    return item.pszText != nullptr ? std::string(item.pszText) : std::string();
}

void TabControl::SetTabText(int index, const std::string& text) {
    if (Handle() == nullptr || index < 0 || index >= Count()) {
        return;
    }
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Handle(), TCM_SETITEMA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

Panel* TabControl::Page(int index) const {
    if (Handle() == nullptr || index < 0 || index >= Count()) {
        return nullptr;
    }
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    if (!SendMessageA(Handle(), TCM_GETITEMA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item))) {
        return nullptr;
    }
    return reinterpret_cast<Panel*>(item.lParam);
}

bool TabControl::InsertTab(int index, const std::string& text, Panel& page) {
    if (Handle() == nullptr || std::find(pages_.begin(), pages_.end(), &page) == pages_.end()) {
        return false;
    }
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = reinterpret_cast<LPARAM>(&page);
    const auto at = SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(std::max(index, 0)),
                                 reinterpret_cast<LPARAM>(&item));
    if (at < 0) {
        return false;
    }
    PlacePages();
    ShowSelectedPage();
    return true;
}

bool TabControl::DeleteTab(int index) {
    if (Handle() == nullptr || index < 0 || index >= Count()) {
        return false;
    }
    Panel* page = Page(index);
    if (!SendMessageA(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0)) {
        return false;
    }
    if (page != nullptr) {
        page->SetVisible(false);
    }
    PlacePages();
    ShowSelectedPage();
    return true;
}

int TabControl::SelectedIndex() const {
    return Handle() != nullptr ? static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) : -1;
}

void TabControl::SetSelectedIndex(int index) {
    if (Handle() != nullptr) {
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
        ShowSelectedPage();
    }
}

void TabControl::ShowSelectedPage() {
    if (Handle() == nullptr) {
        return;
    }
    // Removing the selected tab leaves no selection behind: the first tab takes over.
    if (SelectedIndex() < 0 && Count() > 0) {
        SendMessageA(Handle(), TCM_SETCURSEL, 0, 0);
    }
    Panel* shown = Page(SelectedIndex());
    for (Panel* page : pages_) {
        if (page != shown) {
            page->SetVisible(false);
        }
    }
    if (shown != nullptr) {
        shown->SetVisible(true);
        SetWindowPos(shown->Handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TabControl::PlacePages() {
    if (Handle() == nullptr) {
        return;
    }
    RECT area{};
    GetClientRect(Handle(), &area);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (Panel* page : pages_) {
        page->SetPixelBounds(Rect{area.left, area.top, std::max<int>(area.right - area.left, 0),
                                  std::max<int>(area.bottom - area.top, 0)});
    }
}

void TabControl::OnDpiLayout() {
    PlacePages();
}

bool TabControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (message != WM_SIZE) {
        return false;
    }
    result = CallDefault(message, wparam, lparam);
    PlacePages();
    return true;
}

bool TabControl::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.code != TCN_SELCHANGE) {
        return false;
    }
    ShowSelectedPage();
    if (OnChange) {
        OnChange(*this);
    }
    result = 0;
    return true;
}

} // namespace korvane::forms
