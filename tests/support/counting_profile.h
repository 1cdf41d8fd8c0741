// A profile decorator that counts the reads and writes it passes on and can keep the reads.
#pragma once

#include "settings/profile.h"

#include "port_calls.h"

#include <string>
#include <vector>

namespace korvane::test {

// Passes every call, read runs included, to the wrapped profile.
class CountingProfile final : public ProfilePort {
  public:
    struct Read {
        std::string file, section, key, fallback;
    };

    explicit CountingProfile(ProfilePort& inner, PortCalls* calls = nullptr)
        : inner_(inner), calls_(calls) {}

    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback) override {
        ++reads;
        if (recording) {
            recorded.push_back({file, section, key, fallback});
        }
        const PortCall call(calls_);
        return inner_.ReadText(file, section, key, fallback);
    }
    bool WriteText(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
        ++writes;
        const PortCall call(calls_);
        return inner_.WriteText(file, section, key, value);
    }
    void BeginReadRun() override { inner_.BeginReadRun(); }
    void EndReadRun() override { inner_.EndReadRun(); }

    long reads = 0;
    long writes = 0;
    // While set, each read is kept in `recorded`.
    bool recording = false;
    std::vector<Read> recorded;

  private:
    ProfilePort& inner_;
    PortCalls* calls_;
};

} // namespace korvane::test
