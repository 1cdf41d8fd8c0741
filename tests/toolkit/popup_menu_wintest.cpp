// Pop-up menus built from item templates, checked on the real Windows menus.
#include "toolkit/popup_menu_win.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::string MenuText(HMENU menu, int position) {
    char buffer[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof(buffer), MF_BYPOSITION);
    return buffer;
}

const std::vector<std::string> kTemplate = {"%&Settings...", "-",   "Logs", "(",    ")", "-",
                                            "Feedback",      "(",   "Web",  "%Bug", ")", "-",
                                            "Help",          "Exit"};

TEST(PopupMenuWin32, TemplateIndexesAndDefaultItems) {
    AppWindow window;
    PopupMenu& menu = window.CreatePopupMenu(kTemplate);
    EXPECT_EQ(10, menu.Count());
    HMENU root = menu.Handle();
    EXPECT_EQ(8, GetMenuItemCount(root)); // brackets are no items, sub-items live in sub-menus
    EXPECT_EQ("&Settings...", MenuText(root, 0));
    EXPECT_EQ("Exit", MenuText(root, 7));
    EXPECT_EQ(static_cast<UINT>(menu.CommandIdOf(0)), GetMenuDefaultItem(root, FALSE, 0));
    EXPECT_EQ(0u, GetMenuDefaultItem(root, TRUE, 0));
    // Index 2 is Logs with an empty sub-menu; Feedback (4) holds Web (5) and the default Bug (6).
    ASSERT_NE(nullptr, menu.SubMenuOf(2));
    EXPECT_EQ(0, GetMenuItemCount(menu.SubMenuOf(2)));
    HMENU feedback = menu.SubMenuOf(4);
    ASSERT_NE(nullptr, feedback);
    EXPECT_EQ(feedback, GetSubMenu(root, 4));
    EXPECT_EQ("Bug", MenuText(feedback, 1));
    EXPECT_EQ(1u, GetMenuDefaultItem(feedback, TRUE, 0));
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(root, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
}

TEST(PopupMenuWin32, HiddenItemsReturnToTheirPlace) {
    AppWindow window;
    PopupMenu& menu = window.CreatePopupMenu(kTemplate);
    HMENU root = menu.Handle();
    menu.SetVisible(0, false); // the default item
    menu.SetVisible(8, false); // Help
    EXPECT_EQ(6, GetMenuItemCount(root));
    EXPECT_EQ("Exit", MenuText(root, 5));
    menu.SetText(8, "&Help..."); // changed while away
    menu.SetVisible(8, true);
    menu.SetVisible(0, true);
    EXPECT_EQ(8, GetMenuItemCount(root));
    EXPECT_EQ("&Settings...", MenuText(root, 0));
    EXPECT_EQ("&Help...", MenuText(root, 6));
    EXPECT_EQ(static_cast<UINT>(menu.CommandIdOf(0)), GetMenuDefaultItem(root, FALSE, 0));
    // A hidden item with a sub-menu keeps it.
    menu.SetVisible(4, false);
    menu.SetVisible(4, true);
    EXPECT_EQ("Bug", MenuText(GetSubMenu(root, 4), 1));
}

TEST(PopupMenuWin32, InsertAndRemoveInASubMenuMoveLaterIndexes) {
    AppWindow window;
    PopupMenu& menu = window.CreatePopupMenu(kTemplate);
    const int first = menu.InsertItem(2, "HDD - A (80 GB)");
    const int second = menu.InsertItem(2, "HDD - B (40 GB)");
    EXPECT_EQ(3, first);
    EXPECT_EQ(4, second);
    EXPECT_EQ(12, menu.Count());
    EXPECT_EQ("Exit", menu.Text(11));
    HMENU logs = menu.SubMenuOf(2);
    EXPECT_EQ("HDD - B (40 GB)", MenuText(logs, 1));
    // Even an item without a sub-menu can receive one.
    const int nested = menu.InsertItem(11, "under Exit");
    EXPECT_EQ(12, nested);
    EXPECT_EQ("under Exit", MenuText(GetSubMenu(menu.Handle(), 7), 0));
    EXPECT_EQ(-1, menu.InsertItem(1, "under a separator"));
    menu.RemoveItem(second);
    menu.RemoveItem(first);
    EXPECT_EQ(0, GetMenuItemCount(logs));
    EXPECT_EQ(0, menu.SubItemCount(2));
    EXPECT_EQ(2, menu.SubItemCount(4));
    EXPECT_EQ(6, menu.SubItem(4, 1));
    HMENU feedback = menu.SubMenuOf(4);
    menu.RemoveItem(4); // Feedback with its sub-items
    EXPECT_EQ(8, menu.Count());
    EXPECT_EQ(7, GetMenuItemCount(menu.Handle()));
    EXPECT_FALSE(IsMenu(feedback));
    // A sub-menu taken out with its hidden item is freed when the item is removed.
    HMENU nestedMenu = menu.SubMenuOf(6);
    ASSERT_TRUE(IsMenu(nestedMenu));
    menu.SetVisible(6, false);
    EXPECT_TRUE(IsMenu(nestedMenu));
    menu.RemoveItem(6);
    EXPECT_FALSE(IsMenu(nestedMenu));
}

TEST(PopupMenuWin32, ChoosingAnItemCallsTheHandlerWithItsIndex) {
    AppWindow window;
    PopupMenu& other = window.CreatePopupMenu({"X", "Y"});
    PopupMenu& menu = window.CreatePopupMenu(kTemplate);
    menu.SetTag(6, 13);
    std::vector<int> chosen;
    menu.OnItem = [&](PopupMenuPort& sender, int index) {
        EXPECT_EQ(&menu, &sender);
        chosen.push_back(index);
        EXPECT_EQ(13, sender.Tag(index));
    };
    EXPECT_NE(menu.CommandIdOf(6),
              other.CommandIdOf(1)); // one numbering for all menus of the window
    PostMessageA(window.Handle(), WM_COMMAND, menu.CommandIdOf(6), 0);
    window.ProcessMessages();
    EXPECT_EQ((std::vector<int>{6}), chosen);
}

} // namespace
} // namespace korvane
