// What the decorating doubles tell around each call they pass on to the port they wrap.
#pragma once

namespace korvane::test {

// Told before and after each passed-on call, so that a test can measure what happens inside the
// wrapped port (such as the allocations made there) apart from the rest.
class PortCalls {
  public:
    virtual ~PortCalls() = default;
    virtual void Enter() = 0;
    virtual void Leave() = 0;
};

// One passed-on call, told to `calls` (when set) for as long as it lives.
class PortCall {
  public:
    explicit PortCall(PortCalls* calls) : calls_(calls) {
        if (calls_ != nullptr) {
            calls_->Enter();
        }
    }
    ~PortCall() {
        if (calls_ != nullptr) {
            calls_->Leave();
        }
    }
    PortCall(const PortCall&) = delete;
    PortCall& operator=(const PortCall&) = delete;

  private:
    PortCalls* calls_;
};

} // namespace korvane::test
