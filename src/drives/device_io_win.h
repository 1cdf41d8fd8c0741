// The Win32 device-I/O port: CreateFileA, DeviceIoControl, GetDevicePowerState, CloseHandle.
#pragma once

#include "drives/device_io.h"

namespace korvane {

class Win32DeviceIo final : public DeviceIoPort {
  public:
    DeviceHandle Open(const std::string& name, uint32_t access, uint32_t sharing,
                      uint32_t creation) override;
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output) override;
    void Close(DeviceHandle handle) override;
    DevicePower PowerState(DeviceHandle handle) override;
};

} // namespace korvane
