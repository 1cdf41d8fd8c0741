// TAList: the program's growable list of objects, each owned by the list.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace korvane {

// An ordered list that owns its elements: they live as long as the list and go with it, from the
// first to the last.
template <typename T> class TAList {
  public:
    TAList() = default;
    TAList(const TAList&) = delete;
    TAList& operator=(const TAList&) = delete;
    ~TAList() {
        for (auto& item : items_) {
            item.reset();
        }
    }

    // Appends `item` at the end and hands it back.
    T& Add(std::unique_ptr<T> item) {
        items_.push_back(std::move(item));
        return *items_.back();
    }
    size_t Count() const { return items_.size(); }
    // The element at `index`, or none outside the list.
    T* Get(size_t index) const { return index < items_.size() ? items_[index].get() : nullptr; }

  private:
    std::vector<std::unique_ptr<T>> items_;
};

} // namespace korvane
