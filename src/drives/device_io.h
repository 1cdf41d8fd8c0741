// The device-I/O port: open a device by name, send it control requests, close it.
#pragma once

#include "toolkit/scoped_handle.h"

#include <cstdint>
#include <span>
#include <string>

namespace korvane {

// An opaque device handle; kInvalidDevice is what a failed open returns.
using DeviceHandle = std::uintptr_t;
constexpr DeviceHandle kInvalidDevice = ~DeviceHandle{0};

// Win32 values for the open (checked against <windows.h> by a Windows-side test).
constexpr uint32_t kGenericRead = 0x80000000u;
constexpr uint32_t kGenericWrite = 0x40000000u;
constexpr uint32_t kFileShareRead = 0x1u;
constexpr uint32_t kFileShareWrite = 0x2u;
constexpr uint32_t kCreateNew = 1u;
constexpr uint32_t kOpenExisting = 3u;
constexpr uint32_t kErrorAccessDenied = 5u;

// What GetDevicePowerState says of a device: spinning (or unknown to it), or spun down.
enum class DevicePower : uint8_t { Unknown, On, Off };

class DeviceIoPort {
  public:
    virtual ~DeviceIoPort() = default;
    // CreateFileA(name, access, sharing, no security, creation, flags 0, no template).
    virtual DeviceHandle Open(const std::string& name, uint32_t access, uint32_t sharing,
                              uint32_t creation) = 0;
    // GetLastError of the latest Open that failed; 0 after one that succeeded.
    virtual uint32_t LastOpenError() const = 0;
    // DeviceIoControl; true when the driver accepted the request.
    virtual bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                         std::span<uint8_t> output) = 0;
    virtual void Close(DeviceHandle handle) = 0;
    // GetDevicePowerState on an open handle; asking wakes no disk.
    virtual DevicePower PowerState(DeviceHandle handle) = 0;
};

// A device handle is closed through the port that opened it.
struct DeviceTraits {
    using Handle = DeviceHandle;
    DeviceIoPort* io = nullptr;
    static constexpr Handle Invalid() { return kInvalidDevice; }
    static constexpr bool IsValid(Handle h) { return h != kInvalidDevice; }
    bool Close(Handle h) const {
        io->Close(h);
        return true;
    }
};

// Owns one open device handle and closes it through its port when it goes.
class ScopedDevice : public ScopedHandle<DeviceTraits> {
  public:
    ScopedDevice(DeviceIoPort& io, DeviceHandle handle) : ScopedHandle(handle, DeviceTraits{&io}) {}
};

} // namespace korvane
