// The tree view control.
#include "toolkit/forms/tree_view_win.h"

#include <utility>

namespace korvane::forms {

namespace {

// Posted to the tree itself after a refused collapse (see OnNotify).
constexpr UINT kKeepExpanded = WM_APP + 0x3A1;

void LoadTreeClass() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&init);
}

const char* TreeClass() {
    LoadTreeClass();
    return WC_TREEVIEWA;
}

} // namespace

TreeView::TreeView(Control& parent, const Args& args)
    : Control(parent, TreeClass(),
              WS_VISIBLE | WS_TABSTOP | TVS_LINESATROOT | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE, args.bounds, "") {
    SetColor(kColorWindow);
}

TreeItem TreeView::InsertItem(TreeItem parent, const std::string& text, bool first, intptr_t data) {
    if (Handle() == nullptr) {
        return nullptr;
    }
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = first ? TVI_FIRST : TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.lParam = static_cast<LPARAM>(data);
    return reinterpret_cast<TreeItem>(
        SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

TreeItem TreeView::Selected() const {
    return Handle() != nullptr ? TreeView_GetSelection(Handle()) : nullptr;
}

TreeItem TreeView::FirstChild(TreeItem item) const {
    return Handle() != nullptr && item != nullptr ? TreeView_GetChild(Handle(), item) : nullptr;
}

TreeItem TreeView::NextSibling(TreeItem item) const {
    return Handle() != nullptr && item != nullptr ? TreeView_GetNextSibling(Handle(), item)
                                                  : nullptr;
}

std::string TreeView::ItemText(TreeItem item) const {
    if (Handle() == nullptr || item == nullptr) {
        return {};
    }
    char buffer[260] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof(buffer);
    if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) {
        return {};
    }
    return tv.pszText != nullptr ? std::string(tv.pszText) : std::string();
}

intptr_t TreeView::ItemData(TreeItem item) const {
    if (Handle() == nullptr || item == nullptr) {
        return 0;
    }
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) {
        return 0;
    }
    return static_cast<intptr_t>(tv.lParam);
}

bool TreeView::HasChildren(TreeItem item) const {
    return FirstChild(item) != nullptr;
}

bool TreeView::IsExpanded(TreeItem item) const {
    return Handle() != nullptr && item != nullptr &&
           (TreeView_GetItemState(Handle(), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TreeView::Select(TreeItem item) {
    if (Handle() != nullptr) {
        TreeView_SelectItem(Handle(), item);
    }
}

void TreeView::Expand(TreeItem item) {
    if (Handle() != nullptr && item != nullptr) {
        TreeView_Expand(Handle(), item, TVE_EXPAND);
    }
}

void TreeView::DeleteItem(TreeItem item) {
    if (Handle() != nullptr && item != nullptr) {
        TreeView_DeleteItem(Handle(), item);
    }
}

void TreeView::Clear() {
    if (Handle() != nullptr) {
        TreeView_DeleteAllItems(Handle());
    }
}

bool TreeView::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != kKeepExpanded) {
        return false;
    }
    TreeItem item = std::exchange(refusedCollapse_, nullptr);
    // The item may have been deleted meanwhile: only a child of the tree is reopened.
    if (item != nullptr && !IsExpanded(item) && HasChildren(item)) {
        TreeView_Expand(Handle(), item, TVE_EXPAND);
    }
    result = 0;
    return true;
}

bool TreeView::OnNotify(NMHDR& header, LRESULT& result) {
    // The notification comes in the ANSI or the Unicode form as the parent's format decides; the
    // item handles sit at the same place in both.
    auto& info = reinterpret_cast<NMTREEVIEWA&>(header);
    switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        if (OnSelectionChanged) {
            OnSelectionChanged(*this, info.itemNew.hItem);
        }
        result = 0;
        return true;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        const bool expanding = !IsExpanded(info.itemNew.hItem);
        const bool allow = !OnExpanding || OnExpanding(*this, info.itemNew.hItem, expanding);
        result = allow ? FALSE : TRUE;
        if (!allow && !expanding && Handle() != nullptr) {
            // Wine's tree view asks but collapses anyway on the user's keys and double clicks;
            // the item is opened again once the collapse has happened.
            refusedCollapse_ = info.itemNew.hItem;
            PostMessageA(Handle(), kKeepExpanded, 0, 0);
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace korvane::forms
