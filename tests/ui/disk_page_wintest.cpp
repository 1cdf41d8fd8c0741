// The settings window's disk pages under Wine, through the UI driver, against a real Korvn.ini.
#include "ui/disk_page_win.h"

#include "settings/keys.h"
#include "ui/disk_page_texts.h"

#include "disk_page_rig_win.h"
#include "test_env.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

namespace ui = korvane::test::ui;
using namespace disk_page;
using test::DiskPageRig;

std::string Disk(int number, const std::string& model, int temperature,
                 const std::string& extra = "") {
    return "[PhysicalDrive" + std::to_string(number) + "]\nModel=" + model + "\nSerial=SN" +
           std::to_string(number) +
           "\nSectors=156301488\nTemperature=" + std::to_string(temperature) + "\n" + extra;
}

TEST(DiskPageLook, Screenshots) {
    DiskPageRig rig("disk_page_look", Disk(0, "SIM DISK 80", 45));
    rig.Load(true);
    rig.ShowPage(-1);
    ui::SaveWindowPng(rig.Window(), "disk_page_common");
    rig.Page(0).CommonBox()->SetChecked(false);
    rig.Page(0).ApplyEnablingRules();
    rig.ShowPage(0);
    ui::SaveWindowPng(rig.Window(), "disk_page_general");
    rig.Page(0).Tabs().SetSelectedIndex(1);
    ui::SaveWindowPng(rig.Window(), "disk_page_levels");
    rig.Page(0).Tabs().SetSelectedIndex(2);
    ui::SaveWindowPng(rig.Window(), "disk_page_control");
    EXPECT_EQ(3, rig.Page(0).Tabs().Count());
}

} // namespace
} // namespace korvane
