// Test doubles for the drive monitor and the tray notifications: indicator icons that count the
// live ones and a recording tray shell.
#pragma once

#include "actions/tray_shell.h"
#include "drives/indicator_icons.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace korvane::test {

// Its icons come back here when their owner (a tray icon) destroys them.
class FakeIndicatorIcons final : public IndicatorIconPort, private IconDestroyerPort {
  public:
    struct Made {
        uint16_t value;
        uint32_t background;
        uint32_t textColor;
        IconHandle icon;
    };
    OwnedIcon MakeIcon(uint16_t value, uint32_t background, uint32_t textColor) override;

    std::vector<Made> made;
    std::set<IconHandle> live;
    int badDestroys = 0; // unknown or already destroyed handles
    bool fail = false;   // MakeIcon gives no icon
    // Runs before a destroy, e.g. to check that the handle is no longer in use.
    std::function<void(IconHandle)> beforeDestroy;

  private:
    void DestroyIcon(IconHandle icon) override;
    uintptr_t next_ = 0x500;
};

class RecordingTrayShell final : public TrayShellPort {
  public:
    struct Box {
        std::string text;
        std::string caption;
        uint32_t style;
    };
    void ModifyBalloon(const BalloonRequest& request) override { balloons.push_back(request); }
    int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                           uint32_t style) override {
        boxes.push_back({text, caption, style});
        return answer;
    }
    std::vector<BalloonRequest> balloons;
    std::vector<Box> boxes;
    int32_t answer = kIdOk;
};

} // namespace korvane::test
