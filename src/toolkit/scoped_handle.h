// The portable core of the handle family: a move-only owner whose traits say what the handle is,
// what "no handle" is and how one is freed.
#pragma once

#include <utility>

namespace korvane {

// Traits give `Handle`, `Invalid()`, `IsValid(h)` and `Close(h)` (true when freeing worked). Those
// whose Close needs more than the handle (the port that opened it, the window of a DC) carry that
// as data; the others are empty and cost nothing.
template <typename Traits> class ScopedHandle {
  public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle, Traits traits = {})
        : handle_(handle), traits_(std::move(traits)) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept
        : handle_(other.Release()), traits_(std::move(other.traits_)) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            traits_ = std::move(other.traits_);
            handle_ = other.Release();
        }
        return *this;
    }
    ~ScopedHandle() { Reset(); }

    Handle Get() const { return handle_; }
    bool Valid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return Valid(); }

    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    // Frees the current handle now; false when freeing it failed (a file's close can report a
    // failed write-back).
    bool Reset(Handle handle = Traits::Invalid()) {
        Handle old = std::exchange(handle_, handle);
        return !Traits::IsValid(old) || traits_.Close(old);
    }
    // For functions that hand a new handle back through a pointer.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::Invalid();
    [[no_unique_address]] Traits traits_{};
};

// What "no handle" is for most kinds: null.
template <typename H> struct NullIsNoHandle {
    using Handle = H;
    static constexpr Handle Invalid() { return Handle{}; }
    static constexpr bool IsValid(Handle h) { return h != Handle{}; }
};

} // namespace korvane
