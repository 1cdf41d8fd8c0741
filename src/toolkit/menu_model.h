// The item tree behind a pop-up menu: the item-template language, depth-first indexes, hidden
// items and their places. Portable, so the platform menu and the test double share the rules.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvane {

// Item template: one text per item in order. "-" is a separator; "(" after an item opens a
// sub-menu of that item whose items follow until ")"; a leading "%" marks the default (bold) item.
class MenuModel {
  public:
    struct Item {
        uint32_t key = 0; // unique within the menu, given in creation order from 1
        std::string text;
        bool separator = false;
        bool isDefault = false;
        bool visible = true;
        bool hasSubMenu = false; // opened by "(" or by inserting a sub-item
        int32_t tag = 0;
        int32_t data = 0;
        Item* parent = nullptr; // null at the top level
        std::vector<std::unique_ptr<Item>> children;
    };

    MenuModel() = default;
    explicit MenuModel(const std::vector<std::string>& itemTemplate);

    int Count() const;
    Item* At(int index);
    const Item* At(int index) const;
    int IndexOf(const Item* item) const; // -1 when not in the menu
    const std::vector<std::unique_ptr<Item>>& TopLevel() const { return root_; }
    const std::vector<std::unique_ptr<Item>>& SiblingsOf(const Item& item) const;

    // Index queries as the menu interface answers them: -1 as parent is the menu itself; out of
    // range gives 0 items, -1 as index, and empty or 0 values.
    int SubItemCount(int parent) const;
    int SubItem(int parent, int n) const;
    std::string TextAt(int index) const;
    int32_t TagAt(int index) const;
    int32_t DataAt(int index) const;
    bool VisibleAt(int index) const;
    void SetTagAt(int index, int32_t tag);
    void SetDataAt(int index, int32_t data);

    // The place of a visible item in its (platform) menu: the visible siblings before it.
    int VisiblePosition(const Item& item) const;

    // Appends an item at the end of the sub-menu of `parent` (null: top level).
    Item& Append(Item* parent, const std::string& text);
    // Removes the item and its sub-items.
    void Remove(Item& item);

  private:
    std::vector<std::unique_ptr<Item>>& ListOf(Item* parent) {
        return parent ? parent->children : root_;
    }

    std::vector<std::unique_ptr<Item>> root_;
    uint32_t nextKey_ = 1;
};

} // namespace korvane
