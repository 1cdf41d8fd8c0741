// The forms tests' demo form.
#include "demo_form_win.h"

#include "gdi_win.h"

namespace korvane::test {
namespace {

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
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(magenta.Get()));
    RECT caseRect{4, 10, 44, 38};
    FillRect(dc.Get(), &caseRect, static_cast<HBRUSH>(body.Get()));
    RECT led{34, 30, 40, 34};
    FillRect(dc.Get(), &led, static_cast<HBRUSH>(light.Get()));
    return bitmap;
}

} // namespace

OwnerWindow::OwnerWindow()
    : window_(CreateWindowExA(0, "STATIC", "Korvane", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}

DemoForm::DemoForm(HWND owner)
    : images(48, 48), form(forms::FormArgs{.caption = "Korvane Forms Demo",
                                           .owner = owner,
                                           .left = 40,
                                           .top = 40,
                                           .clientWidth = 560,
                                           .clientHeight = 420}) {
    const ScopedBitmap picture = DrawDiskPicture();
    images.AddMasked(static_cast<HBITMAP>(picture.Get()), 0xFF00FF);

    strip = &form.Add<forms::Panel>({.bounds = {0, 0, 0, 36}, .align = forms::Align::Bottom});
    ok = &strip->Add<forms::Button>({.bounds = {305, 7, 80, 26}, .text = "&OK"});
    cancel = &strip->Add<forms::Button>({.bounds = {390, 7, 80, 26}, .text = "&Cancel"});
    browse = &strip->Add<forms::Button>({.bounds = {475, 7, 80, 26}, .text = "&Browse..."});
    form.SetDefaultButton(ok);

    pictureButton = &form.Add<forms::ImageButton>({.bounds = {10, 10, 48, 48}, .images = &images});
    heading = &form.Add<forms::Label>({.bounds = {68, 10, 10, 20}, .text = "Every control kind"});
    heading->SetFontBold(true);
    heading->SetBounds({68, 10, heading->MeasureText(heading->Text()).width + 5, 20});
    note = &form.Add<forms::WordWrapLabel>(
        {.bounds = {68, 32, 180, 30},
         .text = "NOTE: a word-wrap label with centred text over two lines.",
         .align = forms::TextAlign::Center});

    options = &form.Add<forms::GroupBox>({.bounds = {10, 66, 240, 150}, .text = "Options"});
    enable =
        &options->Add<forms::CheckBox>({.bounds = {15, 20, 200, 18}, .text = "Enable monitoring"});
    celsius = &options->Add<forms::RadioButton>({.bounds = {25, 42, 150, 18},
                                                 .text = "Celsius (\xB0"
                                                         "C)"});
    fahrenheit = &options->Add<forms::RadioButton>({.bounds = {25, 62, 150, 18},
                                                    .text = "Fahrenheit (\xB0"
                                                            "F)"});
    daysLabel = &options->Add<forms::Label>({.bounds = {15, 93, 90, 16}, .text = "Store log for "});
    days = &options->Add<forms::Edit>(
        {.bounds = {105, 90, 60, 21}, .text = "100", .digitsOnly = true});
    spin = &options->Add<forms::UpDown>({.buddy = days, .minimum = 1, .maximum = 100});
    disabledBox = &options->Add<forms::Edit>({.bounds = {15, 118, 60, 21}, .text = "off"});
    disabledBox->SetEnabled(false);

    method = &form.Add<forms::ComboBox>(
        {.bounds = {260, 10, 140, 21}, .items = {"Shutdown", "Hibernate"}});
    method->SetItemIndex(0);
    textColor = &form.Add<forms::ColorComboBox>({.bounds = {260, 40, 140, 22}});
    bgColor =
        &form.Add<forms::ColorComboBox>({.bounds = {410, 40, 140, 22}, .allowTransparent = true});
    textColor->SetColorValue(0x0000FF);
    bgColor->SetColorValue(kNoColor);

    tree = &form.Add<forms::TreeView>({.bounds = {260, 72, 130, 144}});
    generalItem = tree->InsertItem(nullptr, "General", false, 1);
    disksItem = tree->InsertItem(nullptr, "Hard Disks", false, 2);
    tree->InsertItem(disksItem, "HDD1 - DEMO", false, 256);
    tree->InsertItem(disksItem, "HDD2 - DEMO", false, 257);
    tree->Expand(disksItem);

    sound = &form.Add<forms::Edit>(
        {.bounds = {400, 72, 150, 21}, .text = "C:\\old.wav", .readOnly = true});

    tabs = &form.Add<forms::TabControl>(
        {.bounds = {10, 222, 540, 156},
         .tabs = {"General", "Temperature Levels", "Temperature Control"}});
    generalPageBox =
        &tabs->Page(0)->Add<forms::Edit>({.bounds = {15, 10, 100, 21}, .text = "page 1"});
    inner = &tabs->Page(1)->Add<forms::TabControl>({.bounds = {10, 10, 300, 90},
                                                    .tabs = {"Normal", "Warning", "Critical"},
                                                    .style = forms::TabStyle::FlatButtons});
    inner->SetFontBold(true);
    levelsBox = &tabs->Page(1)->Add<forms::Edit>({.bounds = {320, 10, 60, 21}, .text = "50"});
    controlCheck =
        &tabs->Page(2)->Add<forms::CheckBox>({.bounds = {15, 10, 150, 18}, .text = "Play sound"});
}

} // namespace korvane::test
