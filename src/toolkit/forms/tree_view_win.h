// The tree view ("SysTreeView32"): lines at the root, no expand buttons, full-row selection.
#pragma once

#include "toolkit/forms/control_win.h"

#include <commctrl.h>

namespace korvane::forms {

using TreeItem = HTREEITEM;

struct TreeViewArgs {
    Rect bounds{0, 0, 121, 97};
};

class TreeView : public Control {
  public:
    using Args = TreeViewArgs;
    TreeView(Control& parent, const Args& args);

    // Under `parent` (null: the root), first or last among its siblings. Null on failure.
    TreeItem InsertItem(TreeItem parent, const std::string& text, bool first, intptr_t data);
    TreeItem Selected() const;
    TreeItem FirstChild(TreeItem item) const;
    TreeItem NextSibling(TreeItem item) const;
    std::string ItemText(TreeItem item) const;
    intptr_t ItemData(TreeItem item) const;
    bool HasChildren(TreeItem item) const;
    bool IsExpanded(TreeItem item) const;
    void Select(TreeItem item);
    void Expand(TreeItem item);
    void DeleteItem(TreeItem item);
    void Clear();

    std::function<void(TreeView& sender, TreeItem item)> OnSelectionChanged;
    // Asked before an item opens (`expanding`) or closes; false refuses the change.
    std::function<bool(TreeView& sender, TreeItem item, bool expanding)> OnExpanding;

  protected:
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

  private:
    TreeItem refusedCollapse_ = nullptr;
};

} // namespace korvane::forms
