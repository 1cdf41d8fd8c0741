// The demo form's tree view: items, selection, a vetoed collapse.
#include "toolkit/forms/form_win.h"

#include "demo_form_fixture_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;
class DemoFormTree : public test::DemoFormFixture {};

TEST_F(DemoFormTree, TreeRefusesACollapseTheHandlerVetoes) {
    TreeView& tree = *demo->tree;
    ASSERT_TRUE(tree.IsExpanded(demo->disksItem));
    EXPECT_EQ("HDD1 - DEMO", tree.ItemText(tree.FirstChild(demo->disksItem)));
    EXPECT_EQ(257, tree.ItemData(tree.NextSibling(tree.FirstChild(demo->disksItem))));
    EXPECT_FALSE(tree.HasChildren(demo->generalItem));

    std::vector<std::string> selections;
    tree.OnSelectionChanged = [&](TreeView& t, TreeItem item) {
        selections.push_back(t.ItemText(item));
    };
    std::vector<bool> asked;
    bool allow = false;
    tree.OnExpanding = [&](TreeView&, TreeItem, bool expanding) {
        asked.push_back(expanding);
        return allow;
    };
    tree.Select(demo->disksItem);
    EXPECT_EQ("Hard Disks", ui::TreeSelectionText(tree.Handle()));
    ui::SetFocusTo(tree.Handle());
    ui::PressKey(VK_LEFT);
    EXPECT_EQ(std::vector<bool>{false}, asked);
    EXPECT_TRUE(tree.IsExpanded(demo->disksItem));

    allow = true;
    ui::PressKey(VK_LEFT);
    EXPECT_FALSE(tree.IsExpanded(demo->disksItem));
    EXPECT_EQ("Hard Disks", selections.back());
}

} // namespace
} // namespace korvane::forms
