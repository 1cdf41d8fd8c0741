// A power-off engine that records the methods it was asked for instead of powering off; safe to
// call from the alarm worker while the test thread reads it.
#pragma once

#include "actions/shutdown.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace korvane::test {

class RecordingEngine final : public PowerOffEngine {
  public:
    bool HibernateAvailable() const override { return hibernate; }
    bool PowerOff(int32_t method) override {
        std::lock_guard<std::mutex> lock(mutex_);
        methods_.push_back(method);
        return accepts;
    }
    std::vector<int32_t> Methods() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return methods_;
    }
    std::atomic<bool> hibernate{true};
    std::atomic<bool> accepts{true}; // what PowerOff answers

  private:
    mutable std::mutex mutex_;
    std::vector<int32_t> methods_;
};

} // namespace korvane::test
