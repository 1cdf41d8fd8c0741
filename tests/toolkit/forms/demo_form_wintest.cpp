// A demo form with every control kind, driven through the UI test driver under Wine.
#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/color_combo_win.h"
#include "toolkit/forms/dialogs_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/statics_win.h"
#include "toolkit/forms/tab_control_win.h"
#include "toolkit/forms/tree_view_win.h"
#include "toolkit/forms/updown_win.h"

#include "test_env.h"
#include "ui_driver_win.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <memory>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;

// A 48 x 48 disk picture drawn here, magenta where it should be transparent.
ScopedBitmap DrawDiskPicture() {
    const ScopedWindowDc screen(nullptr);
    const ScopedMemoryDc dc(CreateCompatibleDC(screen.Get()));
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 48, 48));
    const ScopedSelection selection(dc.Get(), bitmap.Get());
    RECT all{0, 0, 48, 48};
    const ScopedBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
    const ScopedBrush body(CreateSolidBrush(RGB(90, 90, 100)));
    const ScopedBrush light(CreateSolidBrush(RGB(230, 40, 40)));
    FillRect(dc.Get(), &all, magenta.Get());
    RECT caseRect{4, 10, 44, 38};
    FillRect(dc.Get(), &caseRect, body.Get());
    RECT led{34, 30, 40, 34};
    FillRect(dc.Get(), &led, light.Get());
    return bitmap;
}

// Stands in for the application window: owner of forms and dialogs, captioned "Korvane".
class OwnerWindow {
  public:
    OwnerWindow()
        : window_(CreateWindowExA(0, "STATIC", "Korvane", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr)) {}
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

struct DemoForm {
    explicit DemoForm(HWND owner)
        : images(48, 48), form(FormArgs{.caption = "Korvane Forms Demo",
                                        .owner = owner,
                                        .left = 40,
                                        .top = 40,
                                        .clientWidth = 560,
                                        .clientHeight = 420}) {
        const ScopedBitmap picture = DrawDiskPicture();
        images.AddMasked(picture.Get(), 0xFF00FF);

        strip = &form.Add<Panel>({.bounds = {0, 0, 0, 36}, .align = Align::Bottom});
        ok = &strip->Add<Button>({.bounds = {305, 7, 80, 26}, .text = "&OK"});
        cancel = &strip->Add<Button>({.bounds = {390, 7, 80, 26}, .text = "&Cancel"});
        browse = &strip->Add<Button>({.bounds = {475, 7, 80, 26}, .text = "&Browse..."});
        form.SetDefaultButton(ok);

        pictureButton = &form.Add<ImageButton>({.bounds = {10, 10, 48, 48}, .images = &images});
        heading = &form.Add<Label>({.bounds = {68, 10, 10, 20}, .text = "Every control kind"});
        heading->SetFontBold(true);
        heading->SetBounds({68, 10, heading->MeasureText(heading->Text()).width + 5, 20});
        note = &form.Add<WordWrapLabel>(
            {.bounds = {68, 32, 180, 30},
             .text = "NOTE: a word-wrap label with centred text over two lines.",
             .align = TextAlign::Center});

        options = &form.Add<GroupBox>({.bounds = {10, 66, 240, 150}, .text = "Options"});
        enable =
            &options->Add<CheckBox>({.bounds = {15, 20, 200, 18}, .text = "Enable monitoring"});
        celsius = &options->Add<RadioButton>({.bounds = {25, 42, 150, 18},
                                              .text = "Celsius (\xB0"
                                                      "C)"});
        fahrenheit = &options->Add<RadioButton>({.bounds = {25, 62, 150, 18},
                                                 .text = "Fahrenheit (\xB0"
                                                         "F)"});
        daysLabel = &options->Add<Label>({.bounds = {15, 93, 90, 16}, .text = "Store log for "});
        days =
            &options->Add<Edit>({.bounds = {105, 90, 60, 21}, .text = "100", .digitsOnly = true});
        spin = &options->Add<UpDown>({.buddy = days, .minimum = 1, .maximum = 100});
        disabledBox = &options->Add<Edit>({.bounds = {15, 118, 60, 21}, .text = "off"});
        disabledBox->SetEnabled(false);

        method =
            &form.Add<ComboBox>({.bounds = {260, 10, 140, 21}, .items = {"Shutdown", "Hibernate"}});
        method->SetItemIndex(0);
        textColor = &form.Add<ColorComboBox>({.bounds = {260, 40, 140, 22}});
        bgColor =
            &form.Add<ColorComboBox>({.bounds = {410, 40, 140, 22}, .allowTransparent = true});
        textColor->SetColorValue(0x0000FF);
        bgColor->SetColorValue(kNoColor);

        tree = &form.Add<TreeView>({.bounds = {260, 72, 130, 144}});
        generalItem = tree->InsertItem(nullptr, "General", false, 1);
        disksItem = tree->InsertItem(nullptr, "Hard Disks", false, 2);
        tree->InsertItem(disksItem, "HDD1 - DEMO", false, 256);
        tree->InsertItem(disksItem, "HDD2 - DEMO", false, 257);
        tree->Expand(disksItem);

        sound = &form.Add<Edit>(
            {.bounds = {400, 72, 150, 21}, .text = "C:\\old.wav", .readOnly = true});

        tabs = &form.Add<TabControl>(
            {.bounds = {10, 222, 540, 156},
             .tabs = {"General", "Temperature Levels", "Temperature Control"}});
        generalPageBox = &tabs->Page(0)->Add<Edit>({.bounds = {15, 10, 100, 21}, .text = "page 1"});
        inner = &tabs->Page(1)->Add<TabControl>({.bounds = {10, 10, 300, 90},
                                                 .tabs = {"Normal", "Warning", "Critical"},
                                                 .style = TabStyle::FlatButtons});
        inner->SetFontBold(true);
        levelsBox = &tabs->Page(1)->Add<Edit>({.bounds = {320, 10, 60, 21}, .text = "50"});
        controlCheck =
            &tabs->Page(2)->Add<CheckBox>({.bounds = {15, 10, 150, 18}, .text = "Play sound"});
    }

    ImageList images;
    Form form;
    Panel* strip;
    Button* ok;
    Button* cancel;
    Button* browse;
    ImageButton* pictureButton;
    Label* heading;
    WordWrapLabel* note;
    GroupBox* options;
    CheckBox* enable;
    RadioButton* celsius;
    RadioButton* fahrenheit;
    Label* daysLabel;
    Edit* days;
    UpDown* spin;
    Edit* disabledBox;
    ComboBox* method;
    ColorComboBox* textColor;
    ColorComboBox* bgColor;
    TreeView* tree;
    TreeItem generalItem;
    TreeItem disksItem;
    Edit* sound;
    TabControl* tabs;
    Edit* generalPageBox;
    TabControl* inner;
    Edit* levelsBox;
    CheckBox* controlCheck;
};

class DemoFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::SetMessageFilter(HandleFormNavigation);
        demo = std::make_unique<DemoForm>(owner.get());
        demo->form.Show();
        ASSERT_NE(nullptr, ui::WaitForWindow("Korvane Forms Demo", "KorvaneForm"));
    }
    void TearDown() override {
        demo.reset();
        ui::SetMessageFilter(nullptr);
    }
    // Clicks the upper or lower half of the spin control.
    void ClickSpin(bool up) {
        HWND spin = demo->spin->Handle();
        RECT r{};
        GetClientRect(spin, &r);
        ui::ClickAt(spin, r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    }

    OwnerWindow owner;
    std::unique_ptr<DemoForm> demo;
};

TEST_F(DemoFormTest, EveryKindIsItsWindowClassAndTheScreenshotIsSaved) {
    HWND form = demo->form.Handle();
    EXPECT_EQ("KorvaneForm", ui::ClassOf(form));
    EXPECT_EQ("SysTreeView32", ui::ClassOf(demo->tree->Handle()));
    EXPECT_EQ("SysTabControl32", ui::ClassOf(demo->tabs->Handle()));
    EXPECT_EQ("msctls_updown32", ui::ClassOf(demo->spin->Handle()));
    EXPECT_EQ("ComboBox", ui::ClassOf(demo->textColor->Handle()));
    EXPECT_EQ("Static", ui::ClassOf(demo->strip->Handle()));
    EXPECT_EQ(demo->ok->Handle(), ui::FindByText(form, "&OK", "Button"));
    EXPECT_EQ(demo->celsius->Handle(), ui::FindChild(demo->options->Handle(), "Button", 1));

    // Client size and alignment: the strip spans the bottom 36 pixels of a 560 x 420 area.
    EXPECT_EQ(560, demo->form.ClientWidth());
    EXPECT_EQ(420, demo->form.ClientHeight());
    EXPECT_EQ((Rect{0, 384, 560, 36}), demo->strip->Bounds());
    // A measured label is as wide as its text plus the margin; bold text is wider.
    const int plain = demo->daysLabel->MeasureText("Every control kind").width;
    EXPECT_GT(demo->heading->Width(), plain + 5);
    EXPECT_EQ(700, [&] {
        LOGFONTA lf{};
        GetObjectA(demo->heading->FontHandle(), sizeof(lf), &lf);
        return static_cast<int>(lf.lfWeight);
    }());

    // The first radio button of a parent starts checked; a click moves the check.
    EXPECT_TRUE(ui::IsChecked(demo->celsius->Handle()));
    EXPECT_FALSE(ui::IsChecked(demo->fahrenheit->Handle()));
    int radioClicks = 0;
    demo->fahrenheit->OnClick = [&](RadioButton&) { ++radioClicks; };
    ui::Click(demo->fahrenheit->Handle());
    EXPECT_TRUE(ui::WaitUntil([&] { return radioClicks == 1; }));
    EXPECT_TRUE(demo->fahrenheit->Checked());
    EXPECT_FALSE(demo->celsius->Checked());

    const std::string path = ui::SaveWindowPng(form, "forms_demo");
    ASSERT_FALSE(path.empty());
    EXPECT_GT(test::ReadFileBytes(path).size(), 10000u);
    EXPECT_FALSE(ui::SaveScreenPng("forms_demo_screen").empty());
}

TEST_F(DemoFormTest, ColorComboShowsUnknownAsQuestionMarksUntilPicked) {
    HWND combo = demo->textColor->Handle();
    EXPECT_EQ(16, ui::ComboCount(combo));
    EXPECT_EQ("Black", ui::ComboItemText(combo, 0));
    EXPECT_EQ(17, ui::ComboCount(demo->bgColor->Handle()));
    EXPECT_EQ("Transparent", ui::ComboItemText(demo->bgColor->Handle(), 0));
    EXPECT_EQ(static_cast<int32_t>(kNoColor), demo->bgColor->ColorValue());
    EXPECT_EQ("Red", ui::Text(combo));

    // Transparent is not in a list that does not allow it, so it is unknown there.
    demo->textColor->SetColorValue(kNoColor);
    EXPECT_EQ(-1, demo->textColor->ColorValue());
    demo->textColor->SetColorValue(0x123456);
    EXPECT_EQ(-1, demo->textColor->ColorValue());
    EXPECT_EQ(-1, ui::ComboSelection(combo));
    EXPECT_EQ("???", ui::Text(combo));
    demo->form.Update();
    ui::SaveWindowPng(combo, "forms_color_combo_unknown");

    int changes = 0;
    demo->textColor->OnChange = [&](ComboBox&) { ++changes; };
    ui::PickComboItem(combo, 10); // Lime
    EXPECT_EQ(1, changes);
    EXPECT_EQ(0x00FF00, demo->textColor->ColorValue());
    EXPECT_EQ("Lime", ui::Text(combo));
}

TEST_F(DemoFormTest, UpDownStaysAtItsMaximumAndObeysAVeto) {
    HWND days = demo->days->Handle();
    ClickSpin(true);
    EXPECT_EQ("100", ui::Text(days));
    EXPECT_EQ(100, demo->spin->Position());

    demo->days->SetText("50");
    ClickSpin(true);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::Text(days) == "51"; }));

    std::vector<int> offered;
    demo->spin->OnChanging = [&](UpDown&, int position, bool& allow) {
        offered.push_back(position);
        allow = false;
    };
    ClickSpin(true);
    ClickSpin(false);
    EXPECT_EQ((std::vector<int>{52, 50}), offered);
    EXPECT_EQ("51", ui::Text(days));

    demo->spin->OnChanging = nullptr;
    demo->spin->SetEnabled(false);
    EXPECT_FALSE(ui::IsEnabled(demo->spin->Handle()));
    EXPECT_TRUE(ui::IsEnabled(days));
}

TEST_F(DemoFormTest, EditLeaveRunsOnFocusLossOnly) {
    int leaves = 0;
    demo->days->OnLeave = [&](Edit&) { ++leaves; };
    demo->days->SetText("7");
    ui::PumpMessages();
    EXPECT_EQ(0, leaves);
    ui::SetFocusTo(demo->days->Handle());
    ui::Type(demo->days->Handle(), "x5"); // digits only: the letter is refused
    EXPECT_EQ(0, leaves);
    ui::SetFocusTo(demo->method->Handle());
    EXPECT_TRUE(ui::WaitUntil([&] { return leaves == 1; }));
    EXPECT_EQ("57", ui::Text(demo->days->Handle())); // typed at the caret, before the 7
}

TEST_F(DemoFormTest, TreeRefusesACollapseTheHandlerVetoes) {
    TreeView& tree = *demo->tree;
    ASSERT_TRUE(tree.IsExpanded(demo->disksItem));
    EXPECT_EQ("HDD1 - DEMO", tree.ItemText(tree.FirstChild(demo->disksItem)));
    EXPECT_EQ(257, tree.ItemData(tree.NextSibling(tree.FirstChild(demo->disksItem))));
    EXPECT_FALSE(tree.HasChildren(demo->generalItem));

    std::vector<std::string> selections;
    tree.OnSelectionChanged = [&](TreeView& t, TreeItem item) {
        selections.push_back(t.ItemText(item));
    };
    std::vector<bool> asked;
    bool allow = false;
    tree.OnExpanding = [&](TreeView&, TreeItem, bool expanding) {
        asked.push_back(expanding);
        return allow;
    };
    tree.Select(demo->disksItem);
    EXPECT_EQ("Hard Disks", ui::TreeSelectionText(tree.Handle()));
    ui::SetFocusTo(tree.Handle());
    ui::PressKey(VK_LEFT);
    EXPECT_EQ(std::vector<bool>{false}, asked);
    EXPECT_TRUE(tree.IsExpanded(demo->disksItem));

    allow = true;
    ui::PressKey(VK_LEFT);
    EXPECT_FALSE(tree.IsExpanded(demo->disksItem));
    EXPECT_EQ("Hard Disks", selections.back());
}

TEST_F(DemoFormTest, DeletedTabComesBackWithItsPage) {
    TabControl& tabs = *demo->tabs;
    Panel* levels = tabs.Page(1);
    ASSERT_NE(nullptr, levels);
    ui::ClickTab(tabs.Handle(), 1);
    EXPECT_EQ(1, ui::TabSelection(tabs.Handle()));
    EXPECT_TRUE(ui::IsVisible(levels->Handle()));
    EXPECT_FALSE(ui::IsVisible(tabs.Page(0)->Handle()));

    ASSERT_TRUE(tabs.DeleteTab(1));
    EXPECT_EQ(2, ui::TabCount(tabs.Handle()));
    EXPECT_EQ("Temperature Control", tabs.TabText(1));
    EXPECT_FALSE(ui::IsVisible(levels->Handle()));
    EXPECT_TRUE(ui::IsVisible(tabs.Page(ui::TabSelection(tabs.Handle()))->Handle()));

    ASSERT_TRUE(tabs.InsertTab(1, "Temperature Levels", *levels));
    EXPECT_EQ(3, tabs.Count());
    EXPECT_EQ("Temperature Levels", tabs.TabText(1));
    EXPECT_EQ(levels, tabs.Page(1));
    ui::ClickTab(tabs.Handle(), 1);
    EXPECT_TRUE(ui::IsVisible(levels->Handle()));
    EXPECT_EQ("50", ui::Text(demo->levelsBox->Handle())); // the page's controls lived on

    // The inner row is drawn as flat buttons.
    const LONG style = GetWindowLongA(demo->inner->Handle(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(TCS_BUTTONS | TCS_FLATBUTTONS),
              style & static_cast<LONG>(TCS_BUTTONS | TCS_FLATBUTTONS));
}

TEST_F(DemoFormTest, TabVisitsEnabledVisibleStopsInCreationOrder) {
    // Creation order: OK, Cancel, Browse, the check box, the checked radio button, the days box
    // (the disabled box skipped), the method list, both colour lists, the tree, the sound box,
    // the tab control, the box on its visible first page; the hidden pages' controls skipped.
    const std::vector<HWND> expected = {
        demo->ok->Handle(),
        demo->cancel->Handle(),
        demo->browse->Handle(),
        demo->enable->Handle(),
        demo->celsius->Handle(),
        demo->days->Handle(),
        demo->method->Handle(),
        demo->textColor->Handle(),
        demo->bgColor->Handle(),
        demo->tree->Handle(),
        demo->sound->Handle(),
        demo->tabs->Handle(),
        demo->generalPageBox->Handle(),
    };
    ui::SetFocusTo(demo->ok->Handle());
    std::vector<HWND> visited{ui::Focus()};
    for (size_t i = 1; i < expected.size(); ++i) {
        ui::PressKey(VK_TAB);
        visited.push_back(ui::Focus());
    }
    EXPECT_EQ(expected, visited);
    ui::PressKey(VK_TAB);
    EXPECT_EQ(demo->ok->Handle(), ui::Focus()); // wraps around
    ui::PressKey(VK_TAB, true);
    EXPECT_EQ(demo->generalPageBox->Handle(), ui::Focus());
    ui::PressKey(VK_TAB, true);
    EXPECT_EQ(demo->tabs->Handle(), ui::Focus());
}

TEST_F(DemoFormTest, EnterPressesTheDefaultButtonExceptOnAButton) {
    int okClicks = 0;
    demo->ok->OnClick = [&](Button&) { ++okClicks; };
    std::vector<std::pair<uint32_t, uint32_t>> keys;
    demo->cancel->OnKeyDown = [&](Control&, uint32_t key, uint32_t shift) {
        keys.emplace_back(key, shift);
    };
    ui::SetFocusTo(demo->days->Handle());
    ui::PressKey(VK_RETURN);
    EXPECT_EQ(1, okClicks);

    ui::SetFocusTo(demo->cancel->Handle());
    ui::PressKey(VK_RETURN);
    ui::PressKey(VK_ESCAPE, true);
    EXPECT_EQ(1, okClicks);
    EXPECT_EQ((std::vector<std::pair<uint32_t, uint32_t>>{{VK_RETURN, 0}, {VK_ESCAPE, 4}}), keys);
}

TEST_F(DemoFormTest, CloseRequestCanBeRefused) {
    int asked = 0;
    bool accept = false;
    demo->form.OnCloseQuery = [&](Form&, bool& ok) {
        ++asked;
        EXPECT_TRUE(ok);
        ok = accept;
    };
    demo->form.Close();
    EXPECT_EQ(0, asked); // posted, not sent
    EXPECT_TRUE(ui::WaitUntil([&] { return asked == 1; }));
    EXPECT_TRUE(demo->form.IsVisible());

    accept = true;
    demo->form.Close();
    EXPECT_TRUE(ui::WaitForWindowGone(demo->form.Handle()));
    EXPECT_TRUE(IsWindow(demo->form.Handle())); // hidden, not destroyed
    demo->form.Show();
    EXPECT_TRUE(demo->form.IsVisible());
}

TEST_F(DemoFormTest, CancelledFileDialogLeavesTheCallersBoxAlone) {
    OpenFileDialog dialog;
    dialog.title = "Select sound file";
    dialog.filter = "Wave files (*.wav)|*.wav|All files (*.*)|*.*";
    dialog.options = FileDialogOptions::MustExist;
    dialog.fileName = "C:\\old.wav";
    EXPECT_EQ(
        static_cast<uint32_t>(OFN_EXPLORER | OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST),
        dialog.Flags());

    ui::DialogResponder cancel("Select sound file", IDCANCEL, std::chrono::seconds(20));
    if (dialog.Execute(owner.get())) { // the caller's pattern: only a choice changes the box
        demo->sound->SetText(dialog.fileName);
    }
    EXPECT_TRUE(cancel.Finish());
    EXPECT_TRUE(dialog.fileName.empty());
    EXPECT_EQ("C:\\old.wav", ui::Text(demo->sound->Handle()));

    dialog.options = FileDialogOptions::Default;
    EXPECT_EQ(static_cast<uint32_t>(OFN_EXPLORER | OFN_LONGNAMES | OFN_FILEMUSTEXIST |
                                    OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
              dialog.Flags());
}

TEST_F(DemoFormTest, MessageBoxCarriesTheOwnersCaption) {
    ui::DialogResponder ok("Korvane", IDOK, std::chrono::seconds(20));
    ShowMessage(owner.get(), "Shutdown failed!");
    ASSERT_TRUE(ok.Finish());
    bool found = false;
    for (const std::string& text : ok.texts()) {
        found = found || text == "Shutdown failed!";
    }
    EXPECT_TRUE(found);
}

} // namespace
} // namespace korvane::forms

namespace korvane::forms {
namespace {

TEST_F(DemoFormTest, WhiteFormWithTransparentLinkLabelsOnTopOfOthers) {
    Form about(FormArgs{.caption = "About - Demo",
                        .owner = nullptr,
                        .left = 540,
                        .top = 40,
                        .clientWidth = 420,
                        .clientHeight = 120,
                        .stayOnTop = true,
                        .color = 0xFFFFFF});
    about.SetTransparentLabels(true);
    about.SetFontHeight(11);
    Label& link = about.Add<Label>({.bounds = {25, 40, 10, 16}, .text = "http://korvane.example/"});
    link.SetFontColor(0xFF0000);
    link.SetFontUnderline(true);
    link.SetBounds({25, 40, link.MeasureText(link.Text()).width, 16});
    HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    link.SetCursor(hand);
    int clicks = 0;
    link.OnClick = [&](Label&) { ++clicks; };
    about.Show();
    ASSERT_NE(nullptr, ui::WaitForWindow("About - Demo"));

    EXPECT_NE(0, GetWindowLongA(about.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, GetWindowLongA(about.Handle(), GWL_STYLE) &
                     (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    LOGFONTA lf{};
    GetObjectA(link.FontHandle(), sizeof(lf), &lf);
    EXPECT_STREQ("MS Sans Serif", lf.lfFaceName);
    EXPECT_EQ(11, lf.lfHeight);
    EXPECT_TRUE(lf.lfUnderline);

    // The label draws on the form's white, in blue.
    LRESULT brush = 0;
    {
        const ScopedWindowDc dc(link.Handle());
        brush = SendMessageA(about.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                             reinterpret_cast<LPARAM>(link.Handle()));
        EXPECT_EQ(TRANSPARENT, GetBkMode(dc.Get()));
        EXPECT_EQ(RGB(0, 0, 255), GetTextColor(dc.Get()));
    }
    LOGBRUSH lb{};
    GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb);
    EXPECT_EQ(RGB(255, 255, 255), lb.lbColor);

    SendMessageA(link.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(hand, GetCursor());
    ui::Click(link.Handle());
    EXPECT_TRUE(ui::WaitUntil([&] { return clicks == 1; }));
    ui::SaveWindowPng(about.Handle(), "forms_about_like");
}

} // namespace
} // namespace korvane::forms
