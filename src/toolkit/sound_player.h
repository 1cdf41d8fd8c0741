// The sound-player port: .wav and .mid files played through the media control interface.
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

class SoundPlayerPort {
  public:
    virtual ~SoundPlayerPort() = default;

    // Waiting mode: every command returns when the device has finished it. Otherwise commands
    // return at once and the device notifies the application window when done.
    virtual void SetWait(bool wait) = 0;
    virtual bool Wait() const = 0;

    // A different name closes the open device; a non-empty name is opened at once. True when the
    // device is open afterwards.
    virtual bool SetFileName(const std::string& path) = 0;
    virtual std::string FileName() const = 0;

    // Each command answers whether the device accepted it and records the device's error code.
    virtual bool Stop() = 0;
    // Holds playing where it is. Some devices stop only once the data already handed on has
    // played; a pause first lets the stop after it take effect at once.
    virtual bool Pause() = 0;
    virtual bool SeekToStart() = 0;
    virtual bool SetTimeFormatMilliseconds() = 0;
    virtual uint32_t Length() = 0;             // 0 when unknown
    virtual uint32_t Position() = 0;           // 0 when unknown
    virtual bool Play() = 0;                   // from the current position to the end
    virtual bool PlayFor(uint32_t length) = 0; // that many units from the current position

    // The error code of the last command (0 = none).
    virtual uint32_t LastError() const = 0;
};

} // namespace korvane
