// The Win32 device-I/O port: CreateFileA, DeviceIoControl, GetDevicePowerState, CloseHandle.
#pragma once

#include "drives/device_io.h"

#include <memory>

namespace korvane {

std::unique_ptr<DeviceIoPort> CreateWin32DeviceIo();

} // namespace korvane
