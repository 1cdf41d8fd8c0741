// More of the UI test driver: typing or pasting over a box's text as a user does, clicking a spin
// control and answering an open-file dialog with a file name.
#pragma once

#include "ui_driver_win.h"

namespace korvane::test::ui {

// Focuses the box, selects all its text and types `text` over it.
void TypeOver(HWND edit, const std::string& text);
// Focuses the box, selects all its text and pastes `text` over it from the clipboard, as Ctrl+V
// does: a digits-only box refuses typed letters, not pasted ones.
void PasteOver(HWND edit, const std::string& text);
// Clicks the upper or lower half of a spin control.
void ClickSpin(HWND spin, bool up);

// Waits on its own thread for a visible open-file dialog with this caption, types `fileName` into
// its file name box and presses "Open", or presses "Cancel" when `fileName` is empty. Remembers
// the texts the dialog showed.
class FileDialogResponder {
  public:
    FileDialogResponder(std::string caption, std::string fileName,
                        Timeout timeout = Timeout{20000});
    ~FileDialogResponder();
    FileDialogResponder(const FileDialogResponder&) = delete;
    FileDialogResponder& operator=(const FileDialogResponder&) = delete;
    // Waits for the thread; true when it found the dialog and answered it.
    bool Finish();
    const std::vector<std::string>& texts() const { return texts_; }

  private:
    std::vector<std::string> texts_;
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

} // namespace korvane::test::ui
