// The options store: section objects over the profile helpers, and the settings' first values.
#include "settings/options.h"

#include "settings/alarm_settings.h"
#include "settings/keys.h"
#include "settings/profile.h"
#include "settings/registry.h"
#include "toolkit/color.h"
#include "toolkit/files.h"

#include <array>
#include <string_view>
#include <utility>

namespace korvane {
namespace {

// Colour values of the defaults (0x00BBGGRR; kNoColor draws a transparent background).
constexpr int32_t kBlue = 16711680;
constexpr int32_t kRed = 255;
constexpr int32_t kWhite = 16777215;
constexpr int32_t kHibernate = 1;

struct IconColors {
    int32_t text;
    int32_t background;
};
// Normal, warning, critical.
constexpr std::array<IconColors, 3> kDefaultIconColors{{
    {kBlue, static_cast<int32_t>(kNoColor)},
    {kRed, static_cast<int32_t>(kNoColor)},
    {kWhite, kRed},
}};

char SafeSectionChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 32 || code == 127 || c == '[' || c == ']' ? '_' : c;
}

// sectionName == kDriveSectionPrefix + SafeSectionName(name), without making the right side.
bool IsDriveSectionOf(const std::string& sectionName, const std::string& name) {
    const std::string_view prefix = kDriveSectionPrefix;
    if (sectionName.size() != prefix.size() + name.size() || !sectionName.starts_with(prefix)) {
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        if (sectionName[prefix.size() + i] != SafeSectionChar(name[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

const std::string& SettingsName(const SettingsString& entry) {
    static const auto names = [] {
        std::array<std::string, kSettingsStringIdRange> made;
        for (const SettingsString& known : kSettingsStrings) {
            made[known.id - kFirstSettingsStringId] = known.name;
        }
        return made;
    }();
    return names[entry.id - kFirstSettingsStringId];
}

TOptionsSection::TOptionsSection(ProfilePort& profile, std::string fileName,
                                 std::string sectionName)
    : profile_(profile), fileName_(std::move(fileName)), sectionName_(std::move(sectionName)) {}

std::string TOptionsSection::ReadString(const std::string& key) const {
    return ProfileReadString(profile_, fileName_, sectionName_, key, "");
}

int32_t TOptionsSection::ReadInteger(const std::string& key) const {
    return ProfileReadInteger(profile_, fileName_, sectionName_, key, 0);
}

bool TOptionsSection::ReadBool(const std::string& key) const {
    return ProfileReadBool(profile_, fileName_, sectionName_, key, false);
}

std::string TOptionsSection::ReadString(const SettingsString& key) const {
    return ReadString(SettingsName(key));
}

int32_t TOptionsSection::ReadInteger(const SettingsString& key) const {
    return ReadInteger(SettingsName(key));
}

bool TOptionsSection::ReadBool(const SettingsString& key) const {
    return ReadBool(SettingsName(key));
}

void TOptionsSection::WriteString(const std::string& key, const std::string& text) const {
    ProfileWriteString(profile_, fileName_, sectionName_, key, text);
}

void TOptionsSection::WriteInteger(const std::string& key, int32_t value) const {
    ProfileWriteInteger(profile_, fileName_, sectionName_, key, value);
}

void TOptionsSection::WriteBool(const std::string& key, bool flag) const {
    ProfileWriteBool(profile_, fileName_, sectionName_, key, flag);
}

TOptions::TOptions(OptionsDeps deps, std::string fileName)
    : deps_(std::move(deps)), fileName_(std::move(fileName)),
      general_(std::make_unique<TOptionsSection>(deps_.profile, fileName_, key::General.name)) {
    if (!deps_.files.FileExists(fileName_)) {
        WriteFirstRunDefaults();
    }
}

TOptions::~TOptions() {
    general_.reset(); // before the drive sections
}

TOptionsSection& TOptions::GetDriveSection(const std::string& name) {
    // Compared in place: every poll looks its disk's section up, and making the name first would
    // cost an allocation each time.
    for (size_t i = 0; i < driveSections_.Count(); ++i) {
        TOptionsSection* section = driveSections_.Get(i);
        if (IsDriveSectionOf(section->SectionName(), name)) {
            return *section;
        }
    }
    return driveSections_.Add(std::make_unique<TOptionsSection>(
        deps_.profile, fileName_, kDriveSectionPrefix + SafeSectionName(name)));
}

void TOptions::WriteDriveDefaults(const std::string& name) {
    const TOptionsSection& s = GetDriveSection(name);
    const std::string sound = deps_.programFolder + kDefaultSoundFile;
    s.WriteInteger(key::PollInterval.name, 20);
    s.WriteInteger(key::PollUnits.name, 0);
    s.WriteInteger(key::ShowDriveTempInTray.name, 0);
    for (size_t state = 0; state < kIconColorKeys.size(); ++state) {
        s.WriteInteger(kIconColorKeys[state].text.name, kDefaultIconColors[state].text);
        s.WriteInteger(kIconColorKeys[state].background.name, kDefaultIconColors[state].background);
    }
    s.WriteInteger(key::WarningTemp_Level.name, 50);
    s.WriteInteger(key::CriticalTemp_Level.name, 60);
    WriteAlarmSettings(s, AlarmLevel::Warning,
                       {.showMessage = true,
                        .playSound = true,
                        .soundFile = sound,
                        .poweroff = false,
                        .poweroffMethod = kHibernate});
    WriteAlarmSettings(s, AlarmLevel::Critical,
                       {.showMessage = true,
                        .playSound = true,
                        .soundFile = sound,
                        .poweroff = true,
                        .poweroffMethod = kHibernate});
}

void TOptions::WriteFirstRunDefaults() {
    SetAutostart(deps_.registry, kAutostartValueName, deps_.programPath, true);
    general_->WriteBool(key::UseCelsius.name, true);
    general_->WriteInteger(key::ShowMainIcon.name, 1);
    general_->WriteBool(key::LogEnabled.name, true);
    general_->WriteInteger(key::LogDays.name, 3);
    WriteDriveDefaults(key::Common.name);
}

std::string DriveSettingsName(const std::string& model) {
    return model.empty() ? kUnknownModelName : model;
}

std::string SafeSectionName(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        c = SafeSectionChar(c);
    }
    return safe;
}

TOptionsSection& EffectiveDriveSection(TOptions& options, const std::string& settingsName) {
    TOptionsSection& own = options.GetDriveSection(settingsName);
    if (own.ReadBool(key::UseCommonSettings)) {
        return options.GetDriveSection(SettingsName(key::Common));
    }
    return own;
}

} // namespace korvane
