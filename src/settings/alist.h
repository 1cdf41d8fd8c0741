// TAList: the program's growable list of object references.
#pragma once

#include <cstddef>
#include <vector>

namespace korvane {

// An ordered list of references. It owns its elements only in the sense that `FreeAll` destroys
// them; `Clear` forgets them without destroying anything.
template <typename T> class TAList {
  public:
    TAList() = default;
    TAList(const TAList&) = delete;
    TAList& operator=(const TAList&) = delete;

    void Add(T* item) { items_.push_back(item); }
    void Clear() { items_.clear(); }
    void FreeAll() {
        for (T* item : items_) {
            delete item;
        }
        items_.clear();
    }
    size_t Count() const { return items_.size(); }
    // The element at `index`, or none outside the list.
    T* Get(size_t index) const { return index < items_.size() ? items_[index] : nullptr; }

  private:
    std::vector<T*> items_;
};

} // namespace korvane
