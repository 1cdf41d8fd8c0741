// SettingsPage: what the settings window asks of each of its pages (General, Log, the disk
// pages), so that a page is one class and one entry of the window's page list.
#pragma once

#include <string>

namespace korvane {

namespace forms {
class Control;
}
class TOptions;

// Where a page loads its values from and saves them to.
struct SettingsAccess {
    TOptions& options;
    // The unit the temperature boxes show (loading) or were edited in (saving).
    bool celsius = true;
};

class SettingsPage {
  public:
    virtual ~SettingsPage() = default;

    // Builds the page's controls, hidden, into the window's page area. Once, when the page is
    // first shown: its colour lists and pictures cost more than the start-up can wait for. Until
    // then every other call works on the page without controls: it shows nothing, saves nothing
    // and leaves the stored values as they are. The window loads a page right after building it.
    virtual void Build(forms::Control& pageArea) = 0;
    virtual bool IsBuilt() const = 0;
    // The text of the page's tree item; empty while the page has none (a slot without a disk).
    virtual std::string TreeText() const = 0;
    // Sets the page's texts, a disk's own facts included.
    virtual void RefreshTexts() = 0;
    virtual void Load(const SettingsAccess& access) = 0;
    // OK and Apply, every page in the window's order.
    virtual void Save(const SettingsAccess& access) = 0;
    // The General page's unit was chosen (also once after loading).
    virtual void UnitChanged(bool /*celsius*/) {}
    // Made visible above the other pages, captioned for its tree item; a built page only.
    virtual void Show(const std::string& itemText) = 0;
    virtual void Hide() = 0;
};

} // namespace korvane
