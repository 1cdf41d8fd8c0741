// The item tree behind a pop-up menu.
#include "toolkit/menu_model.h"

#include <algorithm>

namespace korvane {
namespace {

// Depth-first walk; `visit` returns true to stop.
template <typename ItemT, typename Visit>
bool Walk(const std::vector<std::unique_ptr<ItemT>>& list, Visit&& visit) {
    for (const auto& item : list) {
        if (visit(*item) || Walk(item->children, visit))
            return true;
    }
    return false;
}

} // namespace

MenuModel::MenuModel(const std::vector<std::string>& itemTemplate) {
    Item* parent = nullptr; // the item whose sub-menu receives the next items
    Item* last = nullptr;   // the item created last at the current level
    for (const std::string& line : itemTemplate) {
        if (line == "(") {
            // A bracket without an item before it (or after a separator) opens nothing.
            if (last && !last->separator) {
                last->hasSubMenu = true;
                parent = last;
                last = nullptr;
            }
        } else if (line == ")") {
            if (parent) {
                last = parent;
                parent = parent->parent;
            }
        } else {
            const bool isDefault = !line.empty() && line[0] == '%';
            Item& item = Append(parent, isDefault ? line.substr(1) : line);
            item.separator = line == "-";
            item.isDefault = isDefault;
            last = &item;
        }
    }
}

int MenuModel::Count() const {
    int n = 0;
    Walk(root_, [&](const Item&) { return ++n, false; });
    return n;
}

MenuModel::Item* MenuModel::At(int index) {
    return const_cast<Item*>(static_cast<const MenuModel*>(this)->At(index));
}

const MenuModel::Item* MenuModel::At(int index) const {
    if (index < 0)
        return nullptr;
    const Item* found = nullptr;
    int i = 0;
    Walk(root_, [&](const Item& item) {
        if (i++ == index)
            found = &item;
        return found != nullptr;
    });
    return found;
}

int MenuModel::IndexOf(const Item* item) const {
    int i = 0;
    int found = -1;
    Walk(root_, [&](const Item& candidate) {
        if (&candidate == item)
            found = i;
        ++i;
        return found >= 0;
    });
    return found;
}

int MenuModel::SubItemCount(int parent) const {
    if (parent < 0)
        return static_cast<int>(root_.size());
    const Item* item = At(parent);
    return item ? static_cast<int>(item->children.size()) : 0;
}

int MenuModel::SubItem(int parent, int n) const {
    const auto* list = &root_;
    if (parent >= 0) {
        const Item* item = At(parent);
        if (!item)
            return -1;
        list = &item->children;
    }
    if (n < 0 || n >= static_cast<int>(list->size()))
        return -1;
    return IndexOf((*list)[static_cast<size_t>(n)].get());
}

std::string MenuModel::TextAt(int index) const {
    const Item* item = At(index);
    return item ? item->text : std::string();
}

int32_t MenuModel::TagAt(int index) const {
    const Item* item = At(index);
    return item ? item->tag : 0;
}

int32_t MenuModel::DataAt(int index) const {
    const Item* item = At(index);
    return item ? item->data : 0;
}

bool MenuModel::VisibleAt(int index) const {
    const Item* item = At(index);
    return item && item->visible;
}

void MenuModel::SetTagAt(int index, int32_t tag) {
    if (Item* item = At(index))
        item->tag = tag;
}

void MenuModel::SetDataAt(int index, int32_t data) {
    if (Item* item = At(index))
        item->data = data;
}

const std::vector<std::unique_ptr<MenuModel::Item>>& MenuModel::SiblingsOf(const Item& item) const {
    return item.parent ? item.parent->children : root_;
}

int MenuModel::VisiblePosition(const Item& item) const {
    int position = 0;
    for (const auto& sibling : SiblingsOf(item)) {
        if (sibling.get() == &item)
            break;
        if (sibling->visible)
            ++position;
    }
    return position;
}

MenuModel::Item& MenuModel::Append(Item* parent, const std::string& text) {
    auto item = std::make_unique<Item>();
    item->key = nextKey_++;
    item->text = text;
    item->parent = parent;
    if (parent)
        parent->hasSubMenu = true;
    auto& list = ListOf(parent);
    list.push_back(std::move(item));
    return *list.back();
}

void MenuModel::Remove(Item& item) {
    auto& list = ListOf(item.parent);
    list.erase(
        std::remove_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == &item; }),
        list.end());
}

} // namespace korvane
