// The sound player over the media control interface (MCI) of winmm.dll.
#pragma once

#include "toolkit/handles_win.h"
#include "toolkit/sound_player.h"
#include "toolkit/win32.h"

#include <mmsystem.h>

namespace korvane {

// The media control interface of winmm.dll, loaded at run time from the system folder: winmm is
// no KnownDLL, so as a static import a copy beside the program would be loaded instead.
class MciLibrary {
  public:
    MciLibrary();
    bool Loaded() const { return send_ != nullptr; }
    // mciSendCommandA; MCIERR_DEVICE_NOT_INSTALLED when winmm could not be loaded.
    MCIERROR Send(MCIDEVICEID device, UINT command, DWORD_PTR flags, DWORD_PTR params) const;

  private:
    ScopedModule library_;
    decltype(&mciSendCommandA) send_ = nullptr;
};

// An open MCI device and the library that closes it.
struct MciDevice {
    const MciLibrary* library = nullptr;
    MCIDEVICEID id = 0;
};

struct MciDeviceTraits {
    using Handle = MciDevice;
    static Handle Invalid() { return {}; }
    static bool IsValid(Handle h) { return h.id != 0; }
    static bool Close(Handle h) { return h.library->Send(h.id, MCI_CLOSE, MCI_WAIT, 0) == 0; }
};
using ScopedMciDevice = ScopedHandle<MciDeviceTraits>;

class SoundPlayer final : public SoundPlayerPort {
  public:
    // Notifications of non-waiting commands go to `notifyWindow` (the application window).
    explicit SoundPlayer(HWND notifyWindow);
    // The open device refers to this player's library.
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void SetWait(bool wait) override { wait_ = wait; }
    bool Wait() const override { return wait_; }
    bool SetFileName(const std::string& path) override;
    std::string FileName() const override { return fileName_; }
    bool Stop() override;
    bool Pause() override;
    bool SeekToStart() override;
    bool SetTimeFormatMilliseconds() override;
    uint32_t Length() override;
    uint32_t Position() override;
    bool Play() override;
    bool PlayFor(uint32_t length) override;
    uint32_t LastError() const override { return lastError_; }

    MCIDEVICEID DeviceId() const { return device_.Get().id; }

  private:
    DWORD ModeFlag() const { return wait_ ? MCI_WAIT : MCI_NOTIFY; }
    bool Send(UINT command, DWORD flags, void* params);
    bool ApplyTimeFormat();
    uint32_t Status(DWORD item);

    HWND notifyWindow_;
    MciLibrary mci_;
    ScopedMciDevice device_; // after mci_: closed before the library goes
    std::string fileName_;
    bool wait_ = false;
    DWORD timeFormat_ = MCI_FORMAT_MILLISECONDS;
    DWORD lastError_ = 0;
};

} // namespace korvane
