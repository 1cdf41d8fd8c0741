// Reading tooltip tools of another process: the request block and the text buffer must lie in
// that process's memory, since the tooltip control fills them in there.
#include "tray_tooltips_win.h"

#include "toolkit/win32.h"

#include <commctrl.h>

#include <cstring>

namespace korvane::test {

namespace {

constexpr size_t kTextRoom = 256; // the control writes at most 80 ANSI characters and a zero

struct RemoteBlock {
    HANDLE process = nullptr;
    void* memory = nullptr;
    RemoteBlock(DWORD pid, size_t size) {
        process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process) {
            memory =
                VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteBlock() {
        if (memory) {
            VirtualFreeEx(process, memory, 0, MEM_RELEASE);
        }
        if (process) {
            CloseHandle(process);
        }
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
};

void ReadTools(HWND tooltip, std::vector<std::string>& texts) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tooltip, &pid);
    RemoteBlock block(pid, sizeof(TTTOOLINFOA) + kTextRoom);
    if (!block.memory) {
        return;
    }
    auto* remoteInfo = static_cast<TTTOOLINFOA*>(block.memory);
    char* remoteText = static_cast<char*>(block.memory) + sizeof(TTTOOLINFOA);
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(tooltip, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count)) {
        return;
    }
    for (DWORD_PTR index = 0; index < count; ++index) {
        TTTOOLINFOA info{};
        info.cbSize = sizeof(info);
        info.lpszText = remoteText;
        char empty[kTextRoom] = {};
        SIZE_T written = 0;
        if (!WriteProcessMemory(block.process, remoteInfo, &info, sizeof(info), &written) ||
            !WriteProcessMemory(block.process, remoteText, empty, sizeof(empty), &written)) {
            return;
        }
        DWORD_PTR found = 0;
        if (!SendMessageTimeoutA(tooltip, TTM_ENUMTOOLSA, index,
                                 reinterpret_cast<LPARAM>(remoteInfo), SMTO_ABORTIFHUNG, 2000,
                                 &found) ||
            !found) {
            continue;
        }
        TTTOOLINFOA back{};
        char text[kTextRoom] = {};
        SIZE_T read = 0;
        if (!ReadProcessMemory(block.process, remoteInfo, &back, sizeof(back), &read) ||
            back.lpszText != remoteText ||
            !ReadProcessMemory(block.process, remoteText, text, sizeof(text) - 1, &read)) {
            continue; // a text given by callback or resource: nothing copied
        }
        texts.emplace_back(text, strnlen(text, sizeof(text) - 1));
    }
}

} // namespace

std::vector<std::string> TrayTooltipTexts() {
    std::vector<std::string> texts;
    for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
         w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) {
        ReadTools(w, texts);
    }
    return texts;
}

std::string TrayTooltipStartingWith(const std::string& prefix) {
    for (const std::string& text : TrayTooltipTexts()) {
        if (text.rfind(prefix, 0) == 0) {
            return text;
        }
    }
    return {};
}

} // namespace korvane::test
