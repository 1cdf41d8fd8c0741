// A pop-up menu of the application window.
#include "toolkit/popup_menu_win.h"

namespace korvane {

PopupMenu::PopupMenu(AppWindow& window, const std::vector<std::string>& itemTemplate)
    : window_(window), model_(itemTemplate), root_(::CreatePopupMenu()) {
    for (const auto& item : model_.TopLevel())
        Build(*item);
}

PopupMenu::~PopupMenu() {
    for (const auto& [key, n] : native_)
        window_.ReleaseCommandId(n.commandId);
}

void PopupMenu::Build(MenuModel::Item& item) {
    Native& n = native_[item.key];
    n.commandId = window_.AllocateCommandId();
    if (item.hasSubMenu)
        n.subMenu = ::CreatePopupMenu();
    InsertNative(item);
    for (const auto& child : item.children)
        Build(*child);
}

HMENU PopupMenu::ContainerOf(const MenuModel::Item& item) const {
    return item.parent ? native_.at(item.parent->key).subMenu : root_.Get();
}

void PopupMenu::InsertNative(MenuModel::Item& item) {
    if (!item.visible)
        return;
    const Native& n = native_.at(item.key);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
    info.wID = n.commandId;
    info.fType = item.separator ? MFT_SEPARATOR : MFT_STRING;
    info.fState = item.isDefault ? MFS_DEFAULT : 0;
    if (!item.separator) {
        info.fMask |= MIIM_STRING;
        info.dwTypeData = const_cast<char*>(item.text.c_str());
    }
    if (n.subMenu) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = n.subMenu;
    }
    InsertMenuItemA(ContainerOf(item), static_cast<UINT>(model_.VisiblePosition(item)), TRUE,
                    &info);
}

void PopupMenu::SetText(int index, const std::string& text) {
    MenuModel::Item* item = model_.At(index);
    if (!item)
        return;
    item->text = text;
    if (!item->visible || item->separator)
        return;
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(item->text.c_str());
    SetMenuItemInfoA(ContainerOf(*item), static_cast<UINT>(model_.VisiblePosition(*item)), TRUE,
                     &info);
}

void PopupMenu::SetVisible(int index, bool visible) {
    MenuModel::Item* item = model_.At(index);
    if (!item || item->visible == visible)
        return;
    if (visible) {
        item->visible = true;
        native_[item->key].detached.Release(); // its menu holds it again
        InsertNative(*item);
    } else {
        // RemoveMenu keeps the sub-menu alive for the return of the item.
        RemoveMenu(ContainerOf(*item), static_cast<UINT>(model_.VisiblePosition(*item)),
                   MF_BYPOSITION);
        item->visible = false;
        Native& n = native_[item->key];
        n.detached.Reset(n.subMenu);
    }
}

int PopupMenu::InsertItem(int parent, const std::string& text) {
    MenuModel::Item* parentItem = nullptr;
    if (parent >= 0) {
        parentItem = model_.At(parent);
        if (!parentItem || parentItem->separator)
            return -1;
        Native& pn = native_[parentItem->key];
        if (!pn.subMenu) {
            // The item gets its sub-menu now.
            pn.subMenu = ::CreatePopupMenu();
            if (parentItem->visible) {
                MENUITEMINFOA info{};
                info.cbSize = sizeof(info);
                info.fMask = MIIM_SUBMENU;
                info.hSubMenu = pn.subMenu;
                SetMenuItemInfoA(ContainerOf(*parentItem),
                                 static_cast<UINT>(model_.VisiblePosition(*parentItem)), TRUE,
                                 &info);
            } else {
                pn.detached.Reset(pn.subMenu);
            }
        }
    }
    MenuModel::Item& item = model_.Append(parentItem, text);
    native_[item.key].commandId = window_.AllocateCommandId();
    InsertNative(item);
    return model_.IndexOf(&item);
}

void PopupMenu::ForgetSubtree(MenuModel::Item& item) {
    // The sub-menu of a visible item goes with the menu that holds it; a hidden item's goes with
    // its entry here.
    for (const auto& child : item.children)
        ForgetSubtree(*child);
    window_.ReleaseCommandId(native_[item.key].commandId);
    native_.erase(item.key);
}

void PopupMenu::RemoveItem(int index) {
    MenuModel::Item* item = model_.At(index);
    if (!item)
        return;
    if (item->visible) {
        // DeleteMenu destroys the attached sub-menus as well.
        DeleteMenu(ContainerOf(*item), static_cast<UINT>(model_.VisiblePosition(*item)),
                   MF_BYPOSITION);
    }
    ForgetSubtree(*item);
    model_.Remove(*item);
}

HMENU PopupMenu::SubMenuOf(int index) const {
    const MenuModel::Item* item = model_.At(index);
    return item ? native_.at(item->key).subMenu : nullptr;
}

uint16_t PopupMenu::CommandIdOf(int index) const {
    const MenuModel::Item* item = model_.At(index);
    return item ? native_.at(item->key).commandId : 0;
}

void PopupMenu::Popup(int32_t x, int32_t y) {
    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(window_.Handle());
    TrackPopupMenu(root_.Get(), TPM_RIGHTBUTTON, x, y, 0, window_.Handle(), nullptr);
    // Lets the menu's modal loop end cleanly.
    PostMessageA(window_.Handle(), WM_NULL, 0, 0);
}

bool PopupMenu::HandleCommand(uint16_t commandId) {
    for (int i = 0; i < model_.Count(); ++i) {
        if (native_[model_.At(i)->key].commandId == commandId) {
            if (OnItem)
                OnItem(*this, i);
            return true;
        }
    }
    return false;
}

} // namespace korvane
