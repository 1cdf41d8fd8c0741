// Whether the texts of a window's labels and buttons fit their controls.
#include "text_fit_win.h"

#include "toolkit/forms/dpi.h"
#include "toolkit/handles_win.h"

namespace korvane::test {

namespace {

struct Room {
    int width = 0;
    int height = 0;
    bool wraps = false;
    bool measured = false;
};

// What the control leaves its text; nothing measured for the kinds that draw their own.
Room RoomFor(HWND control, const RECT& client, int dpi) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof(name));
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    Room room{client.right - client.left, client.bottom - client.top, false, true};
    const auto px = [dpi](int length) { return forms::ScaleToDpi(length, dpi); };
    if (lstrcmpiA(name, "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_LEFTNOWORDWRAP)
            room.measured = false;
        room.wraps = type != SS_LEFTNOWORDWRAP;
        return room;
    }
    if (lstrcmpiA(name, "Button") != 0) {
        room.measured = false;
        return room;
    }
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        // The raised edge and the focus rectangle inside it.
        room.width -= px(6);
        room.height -= px(4);
        break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        // The square (13 at 96 dpi) and the gap before the text.
        room.width -= px(13) + px(4);
        break;
    case BS_GROUPBOX:
        // The caption stands in the top line, between the frame's corners.
        room.width -= px(16);
        break;
    default:
        room.measured = false;
        break;
    }
    return room;
}

// The text as drawn: "&&" is one "&", a lone "&" marks the next letter and takes no room.
std::string Drawn(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

void Check(HWND control, int dpi, std::vector<std::string>& clipped) {
    if (!IsWindowVisible(control))
        return;
    char text[512] = {};
    GetWindowTextA(control, text, sizeof(text));
    RECT client{};
    GetClientRect(control, &client);
    const Room room = RoomFor(control, client, dpi);
    if (text[0] == '\0' || !room.measured)
        return;
    const bool prefix = (GetWindowLongA(control, GWL_STYLE) & SS_NOPREFIX) == 0;
    const std::string drawn = prefix ? Drawn(text) : std::string(text);
    const ScopedWindowDc dc(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    const ScopedSelection selection(dc.Get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    int width = 0;
    int height = 0;
    if (room.wraps) {
        RECT r{0, 0, room.width, 0};
        DrawTextA(dc.Get(), drawn.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        width = r.right - r.left;
        height = r.bottom - r.top;
    } else {
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), drawn.c_str(), static_cast<int>(drawn.size()), &size);
        width = size.cx;
        height = size.cy;
    }
    char name[32] = {};
    GetClassNameA(control, name, sizeof(name));
    const bool groupBox = (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                          lstrcmpiA(name, "Button") == 0;
    if (width > room.width || (!groupBox && height > room.height))
        clipped.push_back(std::string(name) + " \"" + text + "\": " + std::to_string(width) +
                          " x " + std::to_string(height) + " in " + std::to_string(room.width) +
                          " x " + std::to_string(room.height));
}

} // namespace

std::vector<std::string> ClippedTexts(HWND root, int dpi) {
    struct Walk {
        int dpi;
        std::vector<std::string> clipped;
    } walk{dpi, {}};
    EnumChildWindows(
        root,
        [](HWND control, LPARAM data) -> BOOL {
            auto& w = *reinterpret_cast<Walk*>(data);
            Check(control, w.dpi, w.clipped);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return walk.clipped;
}

} // namespace korvane::test
