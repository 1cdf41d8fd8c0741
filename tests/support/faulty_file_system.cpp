// The failing file system's steps and its writers, whose each write and finish count as steps.
#include "faulty_file_system.h"

namespace korvane::test {
namespace {

class FaultyWriter final : public FileWriterPort {
  public:
    FaultyWriter(FaultyFileSystem& owner, std::unique_ptr<FileWriterPort> inner)
        : owner_(owner), inner_(std::move(inner)) {}
    bool Write(const char* data, size_t size) override {
        return owner_.Step() && inner_->Write(data, size);
    }
    bool Finish() override { return owner_.Step() && inner_->Finish(); }

  private:
    FaultyFileSystem& owner_;
    std::unique_ptr<FileWriterPort> inner_;
};

} // namespace

bool FaultyFileSystem::Step() {
    if (++steps_ == failAt_) {
        return false;
    }
    if (full) {
        ++refused;
        return false;
    }
    return true;
}

std::unique_ptr<FileWriterPort> FaultyFileSystem::CreateWrite(const std::string& path) {
    const PortCall call(calls_);
    if (!Step()) {
        return nullptr;
    }
    std::unique_ptr<FileWriterPort> inner = inner_.CreateWrite(path);
    if (inner == nullptr) {
        return nullptr;
    }
    return std::make_unique<FaultyWriter>(*this, std::move(inner));
}

} // namespace korvane::test
