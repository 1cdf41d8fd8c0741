// A stand-in mail client for the tests: its MAPISendMail writes down everything it receives.
// The record goes to the file named by KORVANE_MAPI_CAPTURE, else to "mapi_capture.txt" beside
// the DLL. Each line is "name=NULL" for a null pointer or "name=<length>:<bytes>" for a text.
#include "toolkit/win32.h"

#include <mapi.h>

#include <string>

namespace {

void Text(std::string& out, const char* name, const char* value) {
    out += name;
    out += '=';
    if (value == nullptr) {
        out += "NULL\n";
        return;
    }
    const std::string text(value);
    out += std::to_string(text.size()) + ":" + text + "\n";
}

void Number(std::string& out, const char* name, unsigned long long value) {
    const std::string text = std::to_string(value);
    out += std::string(name) + "=" + std::to_string(text.size()) + ":" + text + "\n";
}

void Pointer(std::string& out, const char* name, const void* value) {
    out += std::string(name) + (value == nullptr ? "=NULL\n" : "=SET\n");
}

std::string CapturePath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("KORVANE_MAPI_CAPTURE", path, sizeof path);
    if (length > 0 && length < sizeof path) {
        return path;
    }
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CapturePath), &self);
    GetModuleFileNameA(self, path, sizeof path);
    std::string result(path);
    return result.substr(0, result.find_last_of('\\') + 1) + "mapi_capture.txt";
}

} // namespace

extern "C" __declspec(dllexport) ULONG WINAPI
    MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags,
                 ULONG reserved) {
    std::string out;
    Number(out, "session", session);
    Number(out, "uiParam", uiParam);
    Number(out, "flags", flags);
    Number(out, "reserved", reserved);
    Pointer(out, "message", message);
    if (message != nullptr) {
        Number(out, "msg.flags", message->flFlags);
        Text(out, "msg.subject", message->lpszSubject);
        Text(out, "msg.note", message->lpszNoteText);
        Text(out, "msg.type", message->lpszMessageType);
        Text(out, "msg.date", message->lpszDateReceived);
        Text(out, "msg.conversation", message->lpszConversationID);
        Pointer(out, "msg.originator", message->lpOriginator);
        Number(out, "msg.recipCount", message->nRecipCount);
        Pointer(out, "msg.recips", message->lpRecips);
        for (ULONG i = 0; message->lpRecips != nullptr && i < message->nRecipCount; ++i) {
            const MapiRecipDesc& r = message->lpRecips[i];
            const std::string p = "recip" + std::to_string(i) + ".";
            Number(out, (p + "class").c_str(), r.ulRecipClass);
            Text(out, (p + "name").c_str(), r.lpszName);
            Text(out, (p + "address").c_str(), r.lpszAddress);
            Number(out, (p + "eidSize").c_str(), r.ulEIDSize);
            Pointer(out, (p + "eid").c_str(), r.lpEntryID);
        }
        Number(out, "msg.fileCount", message->nFileCount);
        Pointer(out, "msg.files", message->lpFiles);
        for (ULONG i = 0; message->lpFiles != nullptr && i < message->nFileCount; ++i) {
            const MapiFileDesc& f = message->lpFiles[i];
            const std::string p = "file" + std::to_string(i) + ".";
            Number(out, (p + "flags").c_str(), f.flFlags);
            Number(out, (p + "position").c_str(), f.nPosition);
            Text(out, (p + "path").c_str(), f.lpszPathName);
            Text(out, (p + "name").c_str(), f.lpszFileName);
            Pointer(out, (p + "type").c_str(), f.lpFileType);
        }
    }
    // Written to a side file and moved into place, so a reader never sees half a record.
    const std::string path = CapturePath();
    const std::string partial = path + ".part";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return MAPI_E_FAILURE;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || !MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return MAPI_E_FAILURE;
    }
    return SUCCESS_SUCCESS;
}
