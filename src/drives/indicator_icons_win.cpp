// The indicator-icon port over GDI: MakeTemperatureIcon, with DestroyIcon as the icons' end.
#include "drives/indicator_icons.h"

#include "drives/indicator_icons_win.h"
#include "drives/temperature_icon_win.h"
#include "toolkit/handles_win.h"

namespace korvane {
namespace {

class Win32IndicatorIcons final : public IndicatorIconPort {
  public:
    OwnedIcon MakeIcon(uint16_t value, uint32_t background, uint32_t textColor) override {
        return OwnIcon(MakeTemperatureIcon(value, background, textColor));
    }
};

} // namespace

std::unique_ptr<IndicatorIconPort> CreateWin32IndicatorIcon() {
    return std::make_unique<Win32IndicatorIcons>();
}

} // namespace korvane
