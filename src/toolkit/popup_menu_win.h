// A pop-up menu of the application window, built from an item template over a MenuModel.
#pragma once

#include "toolkit/app_window_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/menu_model.h"
#include "toolkit/popup_menu.h"
#include "toolkit/win32.h"

#include <map>

namespace korvane {

class PopupMenu final : public PopupMenuPort {
  public:
    // Created by AppWindow::CreatePopupMenu.
    PopupMenu(AppWindow& window, const std::vector<std::string>& itemTemplate);
    ~PopupMenu() override;

    int Count() const override { return model_.Count(); }
    void SetText(int index, const std::string& text) override;
    std::string Text(int index) const override { return model_.TextAt(index); }
    void SetTag(int index, int32_t tag) override { model_.SetTagAt(index, tag); }
    int32_t Tag(int index) const override { return model_.TagAt(index); }
    void SetData(int index, int32_t data) override { model_.SetDataAt(index, data); }
    int32_t Data(int index) const override { return model_.DataAt(index); }
    void SetVisible(int index, bool visible) override;
    bool Visible(int index) const override { return model_.VisibleAt(index); }
    int InsertItem(int parent, const std::string& text) override;
    void RemoveItem(int index) override;
    int SubItemCount(int parent) const override { return model_.SubItemCount(parent); }
    int SubItem(int parent, int n) const override { return model_.SubItem(parent, n); }
    void Popup(int32_t x, int32_t y) override;

    HMENU Handle() const { return root_.Get(); }
    // The Windows menu that holds the sub-items of an item (null when it has none).
    HMENU SubMenuOf(int index) const;
    // The command identifier of an item in WM_COMMAND.
    uint16_t CommandIdOf(int index) const;

    // Called by the application window for WM_COMMAND; true when the id is one of this menu's.
    bool HandleCommand(uint16_t commandId);

  private:
    struct Native {
        uint16_t commandId = 0;
        HMENU subMenu = nullptr; // the item's sub-menu, destroyed with the menu that holds it...
        ScopedMenu detached;     // ...or, while the item is hidden, by this owner
    };

    HMENU ContainerOf(const MenuModel::Item& item) const;
    void InsertNative(MenuModel::Item& item);
    void Build(MenuModel::Item& item);
    void ForgetSubtree(MenuModel::Item& item);

    AppWindow& window_;
    MenuModel model_;
    ScopedMenu root_;
    std::map<uint32_t, Native> native_; // by item key; freed before the root
};

} // namespace korvane
