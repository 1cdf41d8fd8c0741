// The indicator-icon port over GDI: MakeTemperatureIcon at the taskbar's size and in its
// colours, with DestroyIcon as the icons' end.
#include "drives/indicator_icons.h"

#include "drives/indicator_icons_win.h"
#include "drives/temperature_icon_colors.h"
#include "drives/temperature_icon_win.h"
#include "toolkit/handles_win.h"

#include <utility>

namespace korvane {
namespace {

class Win32IndicatorIcons final : public IndicatorIconPort {
  public:
    explicit Win32IndicatorIcons(std::function<TaskbarLook()> look) : look_(std::move(look)) {}

    OwnedIcon MakeIcon(uint16_t value, uint32_t background, uint32_t textColor) override {
        const TaskbarLook look = look_ ? look_() : TaskbarLook{};
        const IndicatorColors colors = ColorsForTaskbar({background, textColor}, look);
        return OwnIcon(MakeTemperatureIcon(value, colors.background, colors.text,
                                           IndicatorIconSize(look.iconSize)));
    }

  private:
    std::function<TaskbarLook()> look_;
};

} // namespace

std::unique_ptr<IndicatorIconPort> CreateWin32IndicatorIcon(std::function<TaskbarLook()> look) {
    return std::make_unique<Win32IndicatorIcons>(std::move(look));
}

} // namespace korvane
