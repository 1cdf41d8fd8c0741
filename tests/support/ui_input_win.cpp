// Typing and pasting over boxes, spin clicks and answering open-file dialogs.
#include "ui_input_win.h"

#include <dlgs.h>

namespace korvane::test::ui {

void TypeOver(HWND edit, const std::string& text) {
    SetFocusTo(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) {
        PostMessageA(edit, WM_CHAR, VK_BACK, 1);
        PumpMessages();
    } else {
        Type(edit, text);
    }
}

void PasteOver(HWND edit, const std::string& text) {
    SetFocusTo(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (OpenClipboard(edit) == FALSE) {
        return;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it has it.
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_TEXT, memory) == nullptr) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    SendMessageA(edit, WM_PASTE, 0, 0);
    PumpMessages();
}

void ClickSpin(HWND spin, bool up) {
    RECT r{};
    GetClientRect(spin, &r);
    ClickAt(spin, r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
}

FileDialogResponder::FileDialogResponder(std::string caption, std::string fileName, Timeout timeout)
    : thread_([this, caption = std::move(caption), fileName = std::move(fileName), timeout] {
          const auto deadline = std::chrono::steady_clock::now() + timeout;
          while (std::chrono::steady_clock::now() < deadline) {
              HWND dialog = FindTopWindow(caption, "#32770");
              if (dialog != nullptr && IsWindowVisible(dialog)) {
                  texts_ = AllTexts(dialog);
                  if (fileName.empty()) {
                      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                  } else {
                      // The explorer-style dialog keeps the name in a combo box (cmb13); older
                      // layouts in an edit box (edt1).
                      HWND name = GetDlgItem(dialog, cmb13);
                      if (name == nullptr) {
                          name = GetDlgItem(dialog, edt1);
                      }
                      SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
                      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                  }
                  answered_ = true;
                  return;
              }
              // Polling another thread's windows; the deadline above bounds it.
              std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
      }) {}

FileDialogResponder::~FileDialogResponder() {
    Finish();
}

bool FileDialogResponder::Finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return answered_;
}

} // namespace korvane::test::ui
