// The forms tests' fixture, each file naming its own suite: the demo form shown, navigation on.
#pragma once

#include "toolkit/forms/form_win.h"

#include "demo_form_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <memory>

namespace korvane::test {

class DemoFormFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::SetMessageFilter(forms::HandleFormNavigation);
        demo = std::make_unique<DemoForm>(owner.Handle());
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

} // namespace korvane::test
