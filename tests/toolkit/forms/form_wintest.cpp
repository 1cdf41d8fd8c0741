// A form whose click handlers throw: the window procedures stop the exception, report what was
// being done, and the form goes on.
#include "toolkit/forms/form_win.h"
#include "toolkit/failure_report.h"
#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/statics_win.h"

#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;

class FormHandlerFailure : public ::testing::Test {
  protected:
    void SetUp() override {
        SetFailureReport([this](const std::string& line) { reported.push_back(line); });
        ui::SetMessageFilter(HandleFormNavigation);
        onForm = &form.Add<Button>({.bounds = {10, 10, 80, 26}, .text = "&Direct"});
        panel = &form.Add<Panel>({.bounds = {0, 50, 300, 40}});
        inPanel = &panel->Add<Button>({.bounds = {10, 7, 80, 26}, .text = "&Nested"});
        form.Show();
        ASSERT_NE(nullptr, ui::WaitForWindow("Failing handlers", "KorvaneForm"));
    }
    void TearDown() override {
        ui::SetMessageFilter(nullptr);
        SetFailureReport(nullptr);
    }

    // A handler that fails on its first call and counts every call.
    template <typename Sender> std::function<void(Sender&)> FailingFirst(int& calls) {
        return [&calls](Sender&) {
            if (++calls == 1) {
                throw std::runtime_error("handler failed");
            }
        };
    }

    Form form{FormArgs{.caption = "Failing handlers", .left = 40, .top = 40}};
    Button* onForm = nullptr;
    Panel* panel = nullptr;
    Button* inPanel = nullptr;
    std::vector<std::string> reported; // one line per stopped exception
};

// The form's own window procedure reflects the click of a button placed on it.
TEST_F(FormHandlerFailure, ClickOnTheFormSurvivesAndTheNextClickRuns) {
    int calls = 0;
    onForm->OnClick = FailingFirst<Button>(calls);
    ui::Click(onForm->Handle());
    ASSERT_TRUE(ui::WaitUntil([&] { return calls == 1; }));
    ui::Click(onForm->Handle());
    ASSERT_TRUE(ui::WaitUntil([&] { return calls == 2; }));
    EXPECT_EQ(std::vector<std::string>{"Exception in the window procedure, message 0x0111 "
                                       "(WM_COMMAND, code 0, from Button \"&Direct\") to "
                                       "KorvaneForm \"Failing handlers\": handler failed"},
              reported);

    // The form still answers: its close request runs and hides it.
    int asked = 0;
    form.OnCloseQuery = [&](Form&, bool&) { ++asked; };
    form.Close();
    EXPECT_TRUE(ui::WaitUntil([&] { return asked == 1; }));
    EXPECT_TRUE(ui::WaitForWindowGone(form.Handle()));
}

// A button on a panel: the panel's subclass procedure reflects the click.
TEST_F(FormHandlerFailure, ClickInAChildControlSurvives) {
    int calls = 0;
    inPanel->OnClick = FailingFirst<Button>(calls);
    ui::Click(inPanel->Handle());
    ASSERT_TRUE(ui::WaitUntil([&] { return calls == 1; }));
    ui::Click(inPanel->Handle());
    ASSERT_TRUE(ui::WaitUntil([&] { return calls == 2; }));
    EXPECT_TRUE(form.IsVisible());
    EXPECT_EQ(std::vector<std::string>{"Exception in the subclass procedure, message 0x0111 "
                                       "(WM_COMMAND, code 0, from Button \"&Nested\") to "
                                       "Static \"\": handler failed"},
              reported);
}

// Enter presses the default button from the message loop, outside every window procedure.
TEST_F(FormHandlerFailure, EnterOnTheDefaultButtonSurvives) {
    int calls = 0;
    onForm->OnClick = FailingFirst<Button>(calls);
    form.SetDefaultButton(onForm);
    ui::SetFocusTo(form.Handle());
    ui::PressKey(VK_RETURN);
    ASSERT_TRUE(ui::WaitUntil([&] { return calls == 1; }));
    ui::PressKey(VK_RETURN);
    ASSERT_TRUE(ui::WaitUntil([&] { return calls == 2; }));
    ui::PressKey(VK_TAB); // the navigation still moves the focus
    EXPECT_EQ(onForm->Handle(), ui::Focus());
    EXPECT_EQ(std::vector<std::string>{"Exception in Enter on the default button Button "
                                       "\"&Direct\" of KorvaneForm \"Failing handlers\": "
                                       "handler failed"},
              reported);
}

} // namespace
} // namespace korvane::forms
