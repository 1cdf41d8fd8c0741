// The pop-up menu port: a tree of items built from an item template and addressed by index.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace korvane {

// Items are addressed by their index: counted from 0 depth first, sub-items right after their
// parent, separators counted. Inserting or removing an item moves the indexes of the items after
// it. An index outside the range is ignored (and reads as empty or 0).
class PopupMenuPort {
  public:
    virtual ~PopupMenuPort() = default;

    virtual int Count() const = 0; // all items, recursively

    virtual void SetText(int index, const std::string& text) = 0;
    virtual std::string Text(int index) const = 0;

    // Two integers per item for the owner: a tag (the command code) and a data value.
    virtual void SetTag(int index, int32_t tag) = 0;
    virtual int32_t Tag(int index) const = 0;
    virtual void SetData(int index, int32_t data) = 0;
    virtual int32_t Data(int index) const = 0;

    // A hidden item leaves the menu and comes back at its own place when shown again.
    virtual void SetVisible(int index, bool visible) = 0;
    virtual bool Visible(int index) const = 0;

    // Appends an item at the end of the sub-menu of `parent` (-1: the menu itself) and returns
    // its index, or -1 when `parent` is out of range.
    virtual int InsertItem(int parent, const std::string& text) = 0;
    // Removes an item together with its sub-items.
    virtual void RemoveItem(int index) = 0;
    // The number of direct sub-items of `parent` (-1: the menu itself).
    virtual int SubItemCount(int parent) const = 0;
    // The index of the n-th direct sub-item of `parent`, or -1.
    virtual int SubItem(int parent, int n) const = 0;

    // Shows the menu at a screen point, its window brought to the foreground first so that a
    // click elsewhere closes it; a chosen item reaches OnItem.
    virtual void Popup(int32_t x, int32_t y) = 0;

    std::function<void(PopupMenuPort& menu, int index)> OnItem;
};

} // namespace korvane
