// When a tray icon calls the shell, and with which request.
#include "toolkit/tray_icon_state.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane {
namespace {

constexpr IconHandle kIconA{0x10};
constexpr IconHandle kIconB{0x20};

// Records the requests and, as the icons' maker, what the state destroys.
struct Recorder final : IconDestroyerPort {
    std::vector<ShellRequest> sent;
    std::vector<IconHandle> destroyed;
    size_t sentBeforeDestroy = 0;
    TrayIconState state{[this](ShellRequest r) { sent.push_back(r); }};

    OwnedIcon Own(IconHandle icon) { return OwnedIcon(icon, OwnedIconTraits{{}, this}); }
    void DestroyIcon(IconHandle icon) override {
        destroyed.push_back(icon);
        sentBeforeDestroy = sent.size();
    }
};

using R = ShellRequest;

TEST(TrayIconRules, ActivationAddsAndRemovesOnlyOnChangeAndWithAnIcon) {
    Recorder t;
    t.state.SetActive(true); // no icon yet: nothing to show
    EXPECT_TRUE(t.sent.empty());
    t.state.SetIcon(t.Own(kIconA)); // active and the first icon: it appears
    t.state.SetActive(true);        // same state again: nothing
    t.state.SetIcon(t.Own(kIconB)); // replaced while shown
    t.state.SetActive(false);
    t.state.SetIcon(t.Own(kIconA)); // inactive: stored only
    t.state.SetActive(true);
    EXPECT_EQ((std::vector<R>{R::Add, R::Modify, R::Delete, R::Add}), t.sent);
    EXPECT_EQ(kIconA, t.state.Icon());
}

TEST(TrayIconRules, TooltipChangesAreSentOnlyWhileShown) {
    Recorder t;
    t.state.SetIcon(t.Own(kIconA));
    t.state.SetTooltip("Korvane");
    EXPECT_TRUE(t.sent.empty());
    t.state.SetActive(true);
    t.state.SetTooltip("Korvane"); // unchanged
    t.state.SetTooltip("HDD1: 45C");
    EXPECT_EQ((std::vector<R>{R::Add, R::Modify}), t.sent);
    EXPECT_EQ("HDD1: 45C", t.state.Tooltip());
}

TEST(TrayIconRules, TooltipFieldHoldsSixtyThreeCharacters) {
    const std::string eighty(80, 'x');
    EXPECT_EQ(std::string(63, 'x'), TrayTooltipField(eighty));
    EXPECT_EQ("short", TrayTooltipField("short"));
    EXPECT_EQ(63u, TrayTooltipField(std::string(63, 'y')).size());
}

TEST(TrayIconRules, ShellRestartBringsBackOnlyActiveIcons) {
    Recorder active, inactive;
    active.state.SetIcon(active.Own(kIconA));
    active.state.SetActive(true);
    inactive.state.SetIcon(inactive.Own(kIconB));
    active.sent.clear();
    active.state.ReAdd();
    inactive.state.ReAdd();
    EXPECT_EQ((std::vector<R>{R::Add}), active.sent);
    EXPECT_TRUE(active.state.Active());
    EXPECT_TRUE(inactive.sent.empty());
}

TEST(TrayIconRules, RemovingTheIconPictureTakesItOutUntilANewOneComes) {
    // A Modify without a picture would leave the shell with a blank icon, and the next picture
    // would then be sent as an Add that the shell refuses for an icon it still has.
    Recorder t;
    t.state.SetIcon(t.Own(kIconA));
    t.state.SetActive(true);
    t.state.SetIcon(OwnedIcon{});
    t.state.SetTooltip("not sent without a picture");
    t.state.SetIcon(t.Own(kIconB));
    EXPECT_EQ((std::vector<R>{R::Add, R::Delete, R::Add}), t.sent);
}

TEST(TrayIconRules, AfterTheLoopOnlyDeletesAndAfterTheOwnerNothing) {
    Recorder t;
    t.state.SetIcon(t.Own(kIconA));
    t.state.SetActive(true);
    t.state.SetLoopEnded();
    t.state.SetTooltip("late");
    t.state.ReAdd();
    EXPECT_EQ((std::vector<R>{R::Add, R::Delete, R::Delete}), t.sent);
    t.sent.clear();
    t.state.OwnerDestroyed(); // still active: removed once
    t.state.SetActive(false);
    t.state.SetActive(true);
    EXPECT_EQ((std::vector<R>{R::Delete}), t.sent);
}

TEST(TrayIconRules, AReplacedIconIsDestroyedOnceTheShellHasTheNewOne) {
    Recorder t;
    t.state.SetIcon(t.Own(kIconA));
    t.state.SetActive(true);
    t.state.SetIcon(t.Own(kIconA)); // the handle it holds: not a second owner's to destroy
    EXPECT_TRUE(t.destroyed.empty());
    t.state.SetIcon(t.Own(kIconB));
    EXPECT_EQ((std::vector<IconHandle>{kIconA}), t.destroyed);
    EXPECT_EQ(2u, t.sentBeforeDestroy); // after the Modify that showed B
    {
        Recorder last;
        last.state.SetIcon(last.Own(kIconB));
        last.state.SetIcon(OwnedIcon{}); // taken away: destroyed at once
        EXPECT_EQ((std::vector<IconHandle>{kIconB}), last.destroyed);
    }
}

} // namespace
} // namespace korvane
