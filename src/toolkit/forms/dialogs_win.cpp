// The open-file dialog and the message box.
#include "toolkit/forms/dialogs_win.h"

#include "toolkit/forms/input_rules.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace korvane::forms {

namespace {

// Room for a long path in the single-file dialog.
constexpr size_t kFileNameRoom = 4096;

} // namespace

uint32_t OpenFileDialog::Flags() const {
    if (options == FileDialogOptions::MayBeNew)
        return OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY;
    uint32_t flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (options == FileDialogOptions::Default) {
        flags |= OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    }
    return flags;
}

bool OpenFileDialog::Execute(HWND owner) {
    std::vector<char> name(kFileNameRoom, '\0');
    // The previous choice is offered again, cut rather than overrunning the buffer.
    std::memcpy(name.data(), fileName.data(), std::min(fileName.size(), name.size() - 1));
    const std::string filterText = FileDialogFilter(filter);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterText.empty() ? nullptr : filterText.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.Flags = Flags();
    if (!GetOpenFileNameA(&ofn)) {
        fileName.clear();
        return false;
    }
    fileName = name.data();
    return true;
}

void ShowMessage(HWND owner, const std::string& text) {
    std::string caption;
    if (owner != nullptr) {
        const int length = GetWindowTextLengthA(owner);
        caption.assign(static_cast<size_t>(length) + 1, '\0');
        caption.resize(
            static_cast<size_t>(std::max(GetWindowTextA(owner, caption.data(), length + 1), 0)));
    }
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | MB_SETFOREGROUND);
}

} // namespace korvane::forms
