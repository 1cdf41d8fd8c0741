// The disk pages' bench under Wine.
#include "disk_page_rig_win.h"

#include "settings/profile_win.h"
#include "test_env.h"
#include "toolkit/clock_win.h"
#include "toolkit/files_win.h"
#include "ui_driver_win.h"

namespace korvane::test {

namespace {

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
      profile(CreateWin32Profile()), files(CreateWin32FileSystem()), clock(CreateSystemClock()),
      driver(sim::CreateSimulatedDriver(dir + "\\simulation.ini")) {
    WriteFileBytes(dir + "\\simulation.ini", simulation);
    files->CreateFolder(dir + "\\logs");
    if (prepare) {
        prepare(iniPath);
    }
    options = std::make_unique<TOptions>(TOptionsEnvironment{*profile, registry, *files,
                                                             programFolder + "KorvaneMonitor.exe",
                                                             programFolder},
                                         iniPath);
    logger = std::make_unique<TLogger>(*files, *clock, *options, programFolder);
    context = std::make_unique<TDriveContext>(TDriveContext{
        *options, *logger, toolkit, icons, nullptr, *driver, os, nullptr, nullptr, nullptr});
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
    for (int slot = TDiskPage::kCommonSlot; slot < TDrives::kMaxDrives; ++slot) {
        DiskPageEnv env;
        env.images = &images_;
        env.hibernateAvailable = hibernateAvailable;
        env.playTestSound = [this](const std::string& file) {
            played.push_back(file);
            return playResult;
        };
        env.programFolder = programFolder;
        env.dialogOwner = window.Handle();
        env.onEnableBoxesClicked = [this] { ++enableClicks; };
        pages_[static_cast<size_t>(slot + 1)] = std::make_unique<TDiskPage>(*pageArea_, slot, env);
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
    for (int slot = TDiskPage::kCommonSlot; slot < TDrives::kMaxDrives; ++slot) {
        const TDrive* drive = slot < 0 ? nullptr : drives->GetDrive(slot);
        Page(slot).SetTexts(drive);
        Page(slot).Load(*options, drive, celsius);
        Page(slot).SwitchUnit(celsius);
    }
}

void DiskPageRig::Save(bool celsius) {
    for (int slot = TDiskPage::kCommonSlot; slot < TDrives::kMaxDrives; ++slot) {
        Page(slot).Save(*options, celsius);
    }
}

void DiskPageRig::SwitchUnit(bool celsius) {
    for (int slot = TDiskPage::kCommonSlot; slot < TDrives::kMaxDrives; ++slot) {
        Page(slot).SwitchUnit(celsius);
    }
}

void DiskPageRig::ShowPage(int slot) {
    for (auto& page : pages_) {
        page->SetVisible(false);
    }
    TDiskPage& page = Page(slot);
    if (page.IsCommon()) {
        page.ShowHeader();
        page.SetHeaderCaption(disk_page::kCommonCaption);
    } else if (const TDrive* drive = drives->GetDrive(slot)) {
        page.SetHeaderCaption("[ " + drive->ModelText() + " ]");
    }
    page.SetVisible(true);
    page.Raise();
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
