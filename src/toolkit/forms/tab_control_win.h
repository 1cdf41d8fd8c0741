// The tab control ("SysTabControl32"): one page per tab, shown while its tab is selected; tabs
// can be removed and put back while their pages live on.
#pragma once

#include "toolkit/forms/statics_win.h"

namespace korvane::forms {

enum class TabStyle {
    Tabs,        // plain tabs with hot tracking
    FlatButtons, // flat fixed-width buttons with hot tracking
};

struct TabControlArgs {
    Rect bounds{0, 0, 289, 193};
    std::vector<std::string> tabs;
    TabStyle style = TabStyle::Tabs;
};

class TabControl : public Control {
  public:
    using Args = TabControlArgs;
    TabControl(Control& parent, const Args& args);

    int Count() const;
    std::string TabText(int index) const;
    void SetTabText(int index, const std::string& text);
    // The page of the tab at `index`, or null.
    Panel* Page(int index) const;
    // Puts `page` (a page of this control) back as a tab at `index`.
    bool InsertTab(int index, const std::string& text, Panel& page);
    // Removes the tab at `index`; its page is hidden and kept.
    bool DeleteTab(int index);
    int SelectedIndex() const;
    void SetSelectedIndex(int index);

    std::function<void(TabControl& sender)> OnChange;

  protected:
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnDpiLayout() override;
    void OnFontChanged() override { PlacePages(); }

  private:
    void ShowSelectedPage();
    void PlacePages();
    std::vector<Panel*> pages_; // every page ever made here, in or out of the tab row
};

} // namespace korvane::forms
