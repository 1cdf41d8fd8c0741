// The open-file dialog and the program's message box.
#pragma once

#include "toolkit/win32.h"

#include <cstdint>
#include <string>

namespace korvane::forms {

enum class FileDialogOptions {
    MustExist, // the file and its path must exist
    Default,   // the same, with read-only box hidden and the overwrite prompt
    MayBeNew,  // a file the program is to write: a new name is taken as typed
};

struct OpenFileDialog {
    std::string title;
    std::string initialDir;
    std::string filter; // description and pattern fields separated by "|"
    FileDialogOptions options = FileDialogOptions::Default;
    std::string defaultExt;
    std::string fileName; // the chosen file after Execute

    // The OFN_ flags Execute passes (explorer style and long names always).
    uint32_t Flags() const;
    // Shows GetOpenFileName owned by `owner`: true and the full chosen name, or false and an
    // empty name when the user cancels.
    bool Execute(HWND owner);
};

// A message box owned by `owner` with the owner's caption, an OK button, brought to the front.
void ShowMessage(HWND owner, const std::string& text);

} // namespace korvane::forms
