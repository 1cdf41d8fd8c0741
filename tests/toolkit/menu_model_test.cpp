// The item-template language and the item tree of pop-up menus.
#include "toolkit/menu_model.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::vector<std::string> Texts(const MenuModel& model) {
    std::vector<std::string> out;
    for (int i = 0; i < model.Count(); ++i)
        out.push_back(model.At(i)->text);
    return out;
}

TEST(MenuTemplate, IndexesDepthFirstWithSeparatorsAndWithoutBrackets) {
    const MenuModel model({"%Open", "-", "Logs", "(", ")", "-", "Feedback", "(", "Web", "Bug", ")",
                           "-", "Help", "Exit"});
    EXPECT_EQ((std::vector<std::string>{"Open", "-", "Logs", "-", "Feedback", "Web", "Bug", "-",
                                        "Help", "Exit"}),
              Texts(model));
    EXPECT_EQ("Web", model.At(5)->text);
    EXPECT_EQ("Feedback", model.At(5)->parent->text);
    EXPECT_EQ("Help", model.At(8)->text);
    EXPECT_EQ(nullptr, model.At(8)->parent);
    EXPECT_TRUE(model.At(1)->separator);
    EXPECT_TRUE(model.At(2)->hasSubMenu); // an empty "(" ")" still gives a sub-menu
    EXPECT_TRUE(model.At(2)->children.empty());
    EXPECT_EQ(nullptr, model.At(10));
    EXPECT_EQ(nullptr, model.At(-1));
}

TEST(MenuTemplate, DefaultMarkKeysAndNesting) {
    const MenuModel model({"A", "(", "%B", "(", "C", ")", "D", ")", "%E"});
    ASSERT_EQ(5, model.Count());
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C", "D", "E"}), Texts(model));
    EXPECT_TRUE(model.At(1)->isDefault);
    EXPECT_TRUE(model.At(4)->isDefault);
    EXPECT_FALSE(model.At(0)->isDefault);
    EXPECT_EQ("B", model.At(2)->parent->text);
    EXPECT_EQ("A", model.At(3)->parent->text);
    // Keys in creation order.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(static_cast<uint32_t>(i + 1), model.At(i)->key);
}

TEST(MenuTemplate, StrayBracketsAreHarmless) {
    // ")" without an open sub-menu, "(" at the start or after a separator, an unclosed "(".
    const MenuModel model({")", "(", "A", "-", "(", "B", "(", "C"});
    EXPECT_EQ((std::vector<std::string>{"A", "-", "B", "C"}), Texts(model));
    EXPECT_EQ(nullptr, model.At(2)->parent);
    EXPECT_EQ("B", model.At(3)->parent->text);
    EXPECT_EQ("%", MenuModel({"%%"}).At(0)->text); // only the first "%" is the mark
}

TEST(MenuModelEdit, AppendRemoveAndIndexesMove) {
    MenuModel model({"Logs", "(", ")", "Exit"});
    auto& a = model.Append(model.At(0), "log a");
    auto& b = model.Append(model.At(0), "log b");
    EXPECT_EQ(1, model.IndexOf(&a));
    EXPECT_EQ(2, model.IndexOf(&b));
    EXPECT_EQ("Exit", model.At(3)->text);
    EXPECT_NE(a.key, b.key);
    model.Remove(a);
    EXPECT_EQ(3, model.Count());
    EXPECT_EQ("log b", model.At(1)->text);
    model.Remove(*model.At(0)); // with its sub-items
    EXPECT_EQ((std::vector<std::string>{"Exit"}), Texts(model));
}

TEST(MenuModelEdit, VisiblePositionSkipsHiddenSiblingsOnly) {
    MenuModel model({"A", "B", "(", "B1", "B2", ")", "C", "D"});
    model.At(1)->visible = false; // B
    model.At(2)->visible = false; // B1, inside the hidden B: its place counts within B only
    EXPECT_EQ(0, model.VisiblePosition(*model.At(0)));
    EXPECT_EQ(1, model.VisiblePosition(*model.At(4))); // C follows A
    EXPECT_EQ(2, model.VisiblePosition(*model.At(5)));
    EXPECT_EQ(0, model.VisiblePosition(*model.At(3))); // B2 first in B's menu
    // Shown again, B goes back between A and C.
    model.At(1)->visible = true;
    EXPECT_EQ(1, model.VisiblePosition(*model.At(1)));
    EXPECT_EQ(2, model.VisiblePosition(*model.At(4)));
}

TEST(MenuModelQueries, SubItemsAndValuesByIndexWithSafeOutOfRange) {
    MenuModel model({"A", "(", "A1", "A2", ")", "-", "B"});
    EXPECT_EQ(3, model.SubItemCount(-1));
    EXPECT_EQ(2, model.SubItemCount(0));
    EXPECT_EQ(0, model.SubItemCount(99));
    EXPECT_EQ(2, model.SubItem(0, 1));
    EXPECT_EQ(4, model.SubItem(-1, 2));
    EXPECT_EQ(-1, model.SubItem(0, 2));
    EXPECT_EQ(-1, model.SubItem(99, 0));
    model.SetTagAt(2, 10);
    model.SetDataAt(2, 7);
    model.SetTagAt(99, 1); // ignored
    EXPECT_EQ(10, model.TagAt(2));
    EXPECT_EQ(7, model.DataAt(2));
    EXPECT_EQ("A2", model.TextAt(2));
    EXPECT_EQ(0, model.TagAt(99));
    EXPECT_EQ("", model.TextAt(-1));
    EXPECT_TRUE(model.VisibleAt(4));
    EXPECT_FALSE(model.VisibleAt(5));
}

} // namespace
} // namespace korvane
