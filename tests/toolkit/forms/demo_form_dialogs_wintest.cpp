// The common dialogs over the demo form: a cancelled file dialog, a message box.
#include "toolkit/forms/dialogs_win.h"
#include "toolkit/forms/form_win.h"

#include "demo_form_fixture_win.h"
#include "ui_driver_win.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;
class DemoFormDialogs : public test::DemoFormFixture {};

TEST_F(DemoFormDialogs, CancelledFileDialogLeavesTheCallersBoxAlone) {
    OpenFileDialog dialog;
    dialog.title = "Select sound file";
    dialog.filter = "Wave files (*.wav)|*.wav|All files (*.*)|*.*";
    dialog.options = FileDialogOptions::MustExist;
    dialog.fileName = "C:\\old.wav";
    EXPECT_EQ(
        static_cast<uint32_t>(OFN_EXPLORER | OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST),
        dialog.Flags());

    ui::DialogResponder cancel("Select sound file", IDCANCEL, std::chrono::seconds(20));
    if (dialog.Execute(owner.Handle())) { // the caller's pattern: only a choice changes the box
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

TEST_F(DemoFormDialogs, MessageBoxCarriesTheOwnersCaption) {
    ui::DialogResponder ok("Korvane", IDOK, std::chrono::seconds(20));
    ShowMessage(owner.Handle(), "Shutdown failed!");
    ASSERT_TRUE(ok.Finish());
    bool found = false;
    for (const std::string& text : ok.texts()) {
        found = found || text == "Shutdown failed!";
    }
    EXPECT_TRUE(found);
}

} // namespace
} // namespace korvane::forms
