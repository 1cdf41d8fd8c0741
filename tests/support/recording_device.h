// A device decorator that passes every request on and can keep the requests of a stretch of time.
#pragma once

#include "drives/device_io.h"

#include "port_calls.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvane::test {

class RecordingDevice final : public DeviceIoPort {
  public:
    enum class Kind { Open, Control, Power, Close };
    struct Op {
        Kind kind;
        std::string name;
        uint32_t access = 0, sharing = 0, creation = 0, code = 0;
        DeviceHandle handle = kInvalidDevice; // as recorded: the open's result or the handle used
        std::vector<uint8_t> input;
        size_t outputSize = 0;
    };

    explicit RecordingDevice(DeviceIoPort& inner, PortCalls* calls = nullptr)
        : inner_(inner), calls_(calls) {}

    DeviceHandle Open(const std::string& name, uint32_t access, uint32_t sharing,
                      uint32_t creation) override {
        DeviceHandle handle = kInvalidDevice;
        {
            const PortCall call(calls_);
            handle = inner_.Open(name, access, sharing, creation);
        }
        if (recording) {
            ops.push_back({Kind::Open, name, access, sharing, creation, 0, handle, {}, 0});
        }
        return handle;
    }
    uint32_t LastOpenError() const override { return inner_.LastOpenError(); }
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output) override {
        if (recording) {
            ops.push_back({Kind::Control,
                           {},
                           0,
                           0,
                           0,
                           code,
                           handle,
                           std::vector<uint8_t>(input.begin(), input.end()),
                           output.size()});
        }
        const PortCall call(calls_);
        return inner_.Control(handle, code, input, output);
    }
    void Close(DeviceHandle handle) override {
        if (recording) {
            ops.push_back({Kind::Close, {}, 0, 0, 0, 0, handle, {}, 0});
        }
        const PortCall call(calls_);
        inner_.Close(handle);
    }
    DevicePower PowerState(DeviceHandle handle) override {
        if (recording) {
            ops.push_back({Kind::Power, {}, 0, 0, 0, 0, handle, {}, 0});
        }
        const PortCall call(calls_);
        return inner_.PowerState(handle);
    }

    // While set, each request is kept in `ops`, in order.
    bool recording = false;
    std::vector<Op> ops;

  private:
    DeviceIoPort& inner_;
    PortCalls* calls_;
};

} // namespace korvane::test
