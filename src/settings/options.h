// The options store: the settings file Korvn.ini, read and written key by key, never cached.
#pragma once

#include "settings/alist.h"
#include "settings/keys.h"

#include <cstdint>
#include <memory>
#include <string>

namespace korvane {

class FileSystemPort;
class ProfilePort;
class RegistryPort;

inline constexpr const char* kDriveSectionPrefix = "Drive_";
// The settings name of a disk whose model text is blank.
inline constexpr const char* kUnknownModelName = "(unknown)";
inline constexpr const char* kDefaultSoundFile = "Sounds\\twitch.wav";

// The address of one section of the settings file; creating it writes nothing.
class TOptionsSection {
  public:
    TOptionsSection(ProfilePort& profile, std::string fileName, std::string sectionName);

    const std::string& FileName() const { return fileName_; }
    const std::string& SectionName() const { return sectionName_; }

    // Absent keys read as the empty text, 0 and false; an invalid integer reads as 0.
    std::string ReadString(const std::string& key) const;
    int32_t ReadInteger(const std::string& key) const;
    bool ReadBool(const std::string& key) const;
    // The same reads by a key of the string table, whose name is made into a text only once: the
    // poll reads a disk's settings at every tick.
    std::string ReadString(const SettingsString& key) const;
    int32_t ReadInteger(const SettingsString& key) const;
    bool ReadBool(const SettingsString& key) const;

    // Written at once; a failed write leaves the file as it was and is not reported.
    void WriteString(const std::string& key, const std::string& text) const;
    void WriteInteger(const std::string& key, int32_t value) const;
    void WriteBool(const std::string& key, bool flag) const;

  private:
    ProfilePort& profile_;
    std::string fileName_;
    std::string sectionName_;
};

// What the store needs from its surroundings. The program's path and folder are the running
// program's, given by the caller: the autostart command and the default sound are built on them.
struct OptionsDeps {
    ProfilePort& profile;
    RegistryPort& registry;
    FileSystemPort& files;
    std::string programPath;   // full path of the running program file
    std::string programFolder; // its folder, with the trailing backslash
};

class TOptions {
  public:
    // Writes the first-run defaults when no file exists at `fileName`.
    TOptions(OptionsDeps deps, std::string fileName);
    ~TOptions();
    TOptions(const TOptions&) = delete;
    TOptions& operator=(const TOptions&) = delete;

    const std::string& FileName() const { return fileName_; }
    // For a ProfileReadRun around a poll's reads.
    ProfilePort& Profile() { return deps_.profile; }
    TOptionsSection& General() { return *general_; }
    const TAList<TOptionsSection>& DriveSections() const { return driveSections_; }

    // The section "Drive_" + SafeSectionName(`name`) (exact, case-sensitive); one object per
    // name, kept until the store is destroyed. Pass a disk's settings name, or "COMMON".
    TOptionsSection& GetDriveSection(const std::string& name);
    // The 25 keys of the disk-defaults set, in their order, into "Drive_" + `name`.
    void WriteDriveDefaults(const std::string& name);
    // Autostart on, "General" with its four keys, then the common disk section.
    void WriteFirstRunDefaults();

  private:
    OptionsDeps deps_;
    std::string fileName_;
    std::unique_ptr<TOptionsSection> general_;
    TAList<TOptionsSection> driveSections_;
};

// The name of a string-table entry as a text, made once for the program's life.
const std::string& SettingsName(const SettingsString& entry);

// A disk's settings name: its model text, or "(unknown)" when that is blank.
std::string DriveSettingsName(const std::string& model);

// A name that stays one section of the settings file: control characters (codes 0 to 31 and 127),
// "[" and "]" become "_". A disk model with "]" and a line break in its firmware text would
// otherwise write keys and sections of its own choosing into the file.
std::string SafeSectionName(const std::string& name);

// The section whose disk-defaults keys are in force for a disk: the common section while the
// disk's own section says `UseCommonSettings`, otherwise its own.
TOptionsSection& EffectiveDriveSection(TOptions& options, const std::string& settingsName);

} // namespace korvane
