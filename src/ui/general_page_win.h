// The settings window's General page: autostart, the main icon's rule, the temperature unit, and
// what the collectors read (the event log and the metrics file).
#pragma once

#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/edit_win.h"
#include "toolkit/forms/statics_win.h"
#include "ui/settings_page_win.h"

#include <functional>
#include <string>

namespace korvane {

class RegistryPort;

inline constexpr const char* kEventLogText = "Write events to the Windows event log";
inline constexpr const char* kMetricsGroupText =
    "Metrics file (windows_exporter textfile collector)";
inline constexpr const char* kChooseMetricsTitle = "Metrics file";
inline constexpr const char* kMetricsFilter = "Metrics files (*.prom)|*.prom|All files (*.*)|*.*";

struct GeneralPageDeps {
    RegistryPort& registry;
    std::string programPath; // the running program file: the autostart command
    // A click on either unit button, after it is checked.
    std::function<void()> onUnitClick;
};

class GeneralPage final : public SettingsPage {
  public:
    explicit GeneralPage(GeneralPageDeps deps);

    // Whether "Celsius" is checked: the unit the disk pages are saved in; before the page is
    // built, the unit it was loaded with.
    bool Celsius() const;

    void Build(forms::Control& pageArea) override;
    bool IsBuilt() const override { return page_ != nullptr; }
    std::string TreeText() const override;
    void RefreshTexts() override;
    void Load(const SettingsAccess& access) override;
    void Save(const SettingsAccess& access) override;
    void Show(const std::string& itemText) override;
    void Hide() override;

  private:
    GeneralPageDeps deps_;
    bool loadedCelsius_ = true;
    forms::GroupBox* page_ = nullptr;
    forms::CheckBox* autostart_ = nullptr;
    forms::GroupBox* mainIconGroup_ = nullptr;
    forms::Label* displayMainIcon_ = nullptr;
    forms::ComboBox* mainIcon_ = nullptr;
    forms::GroupBox* unitsGroup_ = nullptr;
    forms::RadioButton* celsius_ = nullptr;
    forms::RadioButton* fahrenheit_ = nullptr;
    forms::CheckBox* eventLog_ = nullptr;
    forms::GroupBox* metricsGroup_ = nullptr;
    forms::Edit* metricsFile_ = nullptr;
    forms::Button* browseMetrics_ = nullptr;
};

} // namespace korvane
