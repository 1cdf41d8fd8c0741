// Fuzz target: the pop-up menu's item-template language and the index queries over its tree.
#include "fuzz_check.h"
#include "toolkit/menu_model.h"

#include <string>
#include <vector>

namespace {

using namespace korvane;

constexpr size_t kMaxLines = 96; // the queries are linear per index: keep each run short

int SubtreeSize(const MenuModel::Item& item) {
    int n = 1;
    for (const auto& child : item.children) {
        n += SubtreeSize(*child);
    }
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size && lines.size() <= kMaxLines; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += static_cast<char>(data[i]);
        }
    }
    if (lines.size() > kMaxLines) {
        lines.pop_back();
    }

    MenuModel menu(lines);
    std::vector<std::string> items;
    for (const std::string& line : lines) {
        if (line != "(" && line != ")") {
            items.push_back(line);
        }
    }

    // Every text but a bracket is one item; depth-first order is the template's order.
    const int count = menu.Count();
    FUZZ_CHECK(count == static_cast<int>(items.size()));
    FUZZ_CHECK(menu.At(count) == nullptr && menu.At(-1) == nullptr);
    int viaSubItems = menu.SubItemCount(-1);
    for (int i = 0; i < count; ++i) {
        const MenuModel::Item* item = menu.At(i);
        FUZZ_CHECK(item != nullptr);
        FUZZ_CHECK(menu.IndexOf(item) == i);
        FUZZ_CHECK(item->key == static_cast<uint32_t>(i + 1));
        const std::string& line = items[static_cast<size_t>(i)];
        const bool isDefault = !line.empty() && line[0] == '%';
        FUZZ_CHECK(item->isDefault == isDefault);
        FUZZ_CHECK(item->text == (isDefault ? line.substr(1) : line));
        FUZZ_CHECK(item->separator == (line == "-"));
        FUZZ_CHECK(!item->separator || item->children.empty());
        FUZZ_CHECK(item->hasSubMenu || item->children.empty());
        FUZZ_CHECK(menu.TextAt(i) == item->text);

        const int children = menu.SubItemCount(i);
        FUZZ_CHECK(children == static_cast<int>(item->children.size()));
        viaSubItems += children;
        for (int n = 0; n < children; ++n) {
            const int index = menu.SubItem(i, n);
            FUZZ_CHECK(index > i && index < count);
            FUZZ_CHECK(menu.At(index)->parent == item);
        }
        FUZZ_CHECK(menu.SubItem(i, children) == -1);
        FUZZ_CHECK(menu.VisiblePosition(*item) < static_cast<int>(menu.SiblingsOf(*item).size()));
    }
    FUZZ_CHECK(viaSubItems == count);
    FUZZ_CHECK(menu.SubItemCount(count) == 0 && menu.SubItem(count, 0) == -1);

    // Hiding an item moves its later siblings up by one place; removing takes its whole subtree.
    if (count > 0) {
        const int pick = static_cast<int>(data[0]) % count;
        MenuModel::Item* item = menu.At(pick);
        const auto& siblings = menu.SiblingsOf(*item);
        if (siblings.back().get() != item) {
            const MenuModel::Item& last = *siblings.back();
            const int before = menu.VisiblePosition(last);
            item->visible = false;
            FUZZ_CHECK(menu.VisiblePosition(last) == before - 1);
            FUZZ_CHECK(!menu.VisibleAt(pick));
        }
        const int removed = SubtreeSize(*item);
        menu.Remove(*item);
        FUZZ_CHECK(menu.Count() == count - removed);
    }
    return 0;
}
