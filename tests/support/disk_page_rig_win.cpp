// The disk pages' bench under Wine.
#include "disk_page_rig_win.h"

#include "settings/profile_win.h"
#include "test_env.h"
#include "toolkit/clock_win.h"
#include "toolkit/files_win.h"
#include "ui_driver_win.h"

namespace korvane::test {

namespace {

constexpr int kDiskSlots = 4; // the disk slots of the rig's pages, after the common one

constexpr int kFormWidth = 500;
constexpr int kFormHeight = 410;
// Where the settings window puts its page area: right of the 130-pixel tree.
constexpr int kPageAreaLeft = 6 + 130 + 5;
constexpr int kPageAreaTop = 2;

} // namespace

DiskPageRig::DiskPageRig(const std::string& name, const std::string& simulation,
                         const std::function<void(const std::string&)>& prepare,
                         bool hibernateAvailable)
    : dir(FreshTempDir(name)), iniPath(dir + "\\Korvn.ini"), programFolder(dir + "\\"),
      profile(CreateWin32Profile()), files(CreateWin32FileSystem()), clock(CreateWin32Clock()),
      driver(sim::CreateSimulatedDriver(dir + "\\simulation.ini")) {
    WriteFileBytes(dir + "\\simulation.ini", simulation);
    files->CreateFolder(dir + "\\logs");
    if (prepare) {
        prepare(iniPath);
    }
    options =
        std::make_unique<TOptions>(OptionsDeps{*profile, registry, *files,
                                               programFolder + "KorvaneMonitor.exe", programFolder},
                                   iniPath);
    logger = std::make_unique<TLogger>(*files, *clock, *options, programFolder);
    context = std::make_unique<DriveDeps>(DriveDeps{*options, *logger, *toolkit, icons, nullptr,
                                                    *driver, *os, nullptr, nullptr, nullptr});
    drives = std::make_unique<TDrives>(*context);

    images_.AddResource(GetModuleHandleA(nullptr), "XP_DRIVE", 0xFF00FF);
    form_ = std::make_unique<forms::Form>(forms::FormArgs{.caption = kCaption,
                                                          .owner = window.Handle(),
                                                          .left = 20,
                                                          .top = 20,
                                                          .clientWidth = kFormWidth,
                                                          .clientHeight = kFormHeight,
                                                          .icon = nullptr,
                                                          .stayOnTop = false,
                                                          .color = kColorButtonFace});
    pageArea_ = &form_->Add<forms::Panel>(
        {.bounds = {kPageAreaLeft, kPageAreaTop, kPageAreaWidth, kPageAreaHeight},
         .color = kNoColor,
         .border = false,
         .align = forms::Align::None});
    for (int slot = DiskPage::kCommonSlot; slot < kDiskSlots; ++slot) {
        DiskPageDeps env;
        env.drives = drives.get();
        env.images = &images_;
        env.hibernateAvailable = hibernateAvailable;
        env.playTestSound = [this](const std::string& file) {
            played.push_back(file);
            return playResult;
        };
        env.programFolder = programFolder;
        env.dialogOwner = window.Handle();
        env.onEnableBoxesClicked = [this] { ++enableClicks; };
        auto& page = pages_[static_cast<size_t>(slot + 1)];
        page = std::make_unique<DiskPage>(slot, env);
        page->Build(*pageArea_);
    }
    ui::SetMessageFilter([](MSG& msg) { return forms::HandleFormNavigation(msg); });
    form_->Show();
    ui::WaitUntil([this] { return ui::IsVisible(form_->Handle()); });
}

DiskPageRig::~DiskPageRig() {
    ui::SetMessageFilter(nullptr);
    // The pages live on the form: they go first.
    for (auto& page : pages_) {
        page.reset();
    }
    form_.reset();
}

void DiskPageRig::Load(bool celsius) {
    for (int slot = DiskPage::kCommonSlot; slot < kDiskSlots; ++slot) {
        Page(slot).RefreshTexts();
        Page(slot).Load({*options, celsius});
        Page(slot).UnitChanged(celsius);
    }
}

void DiskPageRig::Save(bool celsius) {
    for (int slot = DiskPage::kCommonSlot; slot < kDiskSlots; ++slot) {
        Page(slot).Save({*options, celsius});
    }
}

void DiskPageRig::SwitchUnit(bool celsius) {
    for (int slot = DiskPage::kCommonSlot; slot < kDiskSlots; ++slot) {
        Page(slot).UnitChanged(celsius);
    }
}

void DiskPageRig::ShowPage(int slot) {
    for (auto& page : pages_) {
        page->Hide();
    }
    Page(slot).Show(Page(slot).TreeText());
    form_->Update();
    ui::PumpMessages();
}

std::string DiskPageRig::IniText() const {
    return ReadFileBytes(iniPath);
}

std::string DiskPageRig::Key(const std::string& section, const std::string& key) const {
    char buffer[1024] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<absent>", buffer, sizeof(buffer),
                             iniPath.c_str());
    return buffer;
}

} // namespace korvane::test
