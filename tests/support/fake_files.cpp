// Writers of the failing file system: each write and the finish count as steps.
#include "fake_files.h"

namespace korvane::test {
namespace {

class FaultyWriter final : public FileWriter {
  public:
    FaultyWriter(FaultyFileSystem& owner, std::unique_ptr<FileWriter> inner)
        : owner_(owner), inner_(std::move(inner)) {}
    bool Write(const char* data, size_t size) override {
        return owner_.Step() && inner_->Write(data, size);
    }
    bool Finish() override { return owner_.Step() && inner_->Finish(); }

  private:
    FaultyFileSystem& owner_;
    std::unique_ptr<FileWriter> inner_;
};

} // namespace

std::unique_ptr<FileWriter> FaultyFileSystem::CreateWrite(const std::string& path) {
    if (!Step()) {
        return nullptr;
    }
    std::unique_ptr<FileWriter> inner = inner_.CreateWrite(path);
    if (inner == nullptr) {
        return nullptr;
    }
    return std::make_unique<FaultyWriter>(*this, std::move(inner));
}

} // namespace korvane::test
