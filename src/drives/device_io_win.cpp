// Win32 implementation of the device-I/O port.
#include "drives/device_io_win.h"

#include "drives/storage_wire.h"
#include "toolkit/win32.h"

#include <winioctl.h>

#include <cstddef>
#include <memory>

namespace korvane {

static_assert(kGenericRead == GENERIC_READ && kGenericWrite == GENERIC_WRITE);
static_assert(kFileShareRead == FILE_SHARE_READ && kFileShareWrite == FILE_SHARE_WRITE);
static_assert(kCreateNew == CREATE_NEW && kOpenExisting == OPEN_EXISTING);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kIoctlStorageQueryProperty == IOCTL_STORAGE_QUERY_PROPERTY &&
              kIoctlStoragePredictFailure == IOCTL_STORAGE_PREDICT_FAILURE &&
              kIoctlDiskGetDriveGeometryEx == IOCTL_DISK_GET_DRIVE_GEOMETRY_EX);
static_assert(kStorageDeviceProperty == StorageDeviceProperty &&
              kStorageDeviceProtocolSpecificProperty == StorageDeviceProtocolSpecificProperty &&
              kStorageDeviceTemperatureProperty == StorageDeviceTemperatureProperty);
// The SATA and NVMe bus types are declared only for newer targets: the layout test checks them.
static_assert(kBusTypeAta == BusTypeAta && kBusTypeUsb == BusTypeUsb);
static_assert(kProtocolSpecificDataSize == sizeof(STORAGE_PROTOCOL_SPECIFIC_DATA) &&
              kProtocolDescriptorSize == sizeof(STORAGE_PROTOCOL_DATA_DESCRIPTOR) &&
              kDeviceDescriptorFixedSize == sizeof(STORAGE_DEVICE_DESCRIPTOR) &&
              kPredictFailureSize == sizeof(STORAGE_PREDICT_FAILURE) &&
              kGeometryData == offsetof(DISK_GEOMETRY_EX, Data));

namespace {

class Win32DeviceIo final : public DeviceIoPort {
  public:
    DeviceHandle Open(const std::string& name, uint32_t access, uint32_t sharing,
                      uint32_t creation) override;
    uint32_t LastOpenError() const override { return lastOpenError_; }
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output) override;
    void Close(DeviceHandle handle) override;
    DevicePower PowerState(DeviceHandle handle) override;

  private:
    uint32_t lastOpenError_ = 0;
};

DeviceHandle Win32DeviceIo::Open(const std::string& name, uint32_t access, uint32_t sharing,
                                 uint32_t creation) {
    HANDLE handle = CreateFileA(name.c_str(), access, sharing, nullptr, creation, 0, nullptr);
    lastOpenError_ = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    return reinterpret_cast<DeviceHandle>(handle);
}

bool Win32DeviceIo::Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                            std::span<uint8_t> output) {
    DWORD returned = 0;
    // The input block is only read, but the API takes a non-const pointer.
    void* in = input.empty() ? nullptr : const_cast<uint8_t*>(input.data());
    void* out = output.empty() ? nullptr : output.data();
    return DeviceIoControl(reinterpret_cast<HANDLE>(handle), code, in,
                           static_cast<DWORD>(input.size()), out, static_cast<DWORD>(output.size()),
                           &returned, nullptr) != FALSE;
}

DevicePower Win32DeviceIo::PowerState(DeviceHandle handle) {
    // Some implementations (Wine's among them) report success without writing the flag: such an
    // answer must read as "on", never as a disk asleep.
    BOOL on = TRUE;
    if (!GetDevicePowerState(reinterpret_cast<HANDLE>(handle), &on)) {
        return DevicePower::Unknown;
    }
    return on ? DevicePower::On : DevicePower::Off;
}

void Win32DeviceIo::Close(DeviceHandle handle) {
    if (handle != kInvalidDevice) {
        CloseHandle(reinterpret_cast<HANDLE>(handle));
    }
}

} // namespace

std::unique_ptr<DeviceIoPort> CreateWin32DeviceIo() {
    return std::make_unique<Win32DeviceIo>();
}

} // namespace korvane
