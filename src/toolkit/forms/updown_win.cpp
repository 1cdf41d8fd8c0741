// The spin control.
#include "toolkit/forms/updown_win.h"

#include "toolkit/forms/input_rules.h"

#include <commctrl.h>

namespace korvane::forms {

namespace {

const char* UpDownClass() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&init);
    return UPDOWN_CLASSA;
}

} // namespace

UpDown::UpDown(Control& parent, const Args& args)
    : Control(parent, UpDownClass(),
              WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
              Rect{0, 0, 16, 21}, ""),
      minimum_(args.minimum), maximum_(args.maximum) {
    SetRange(args.minimum, args.maximum);
    if (args.buddy != nullptr) {
        SetBuddy(*args.buddy);
    }
}

void UpDown::SetBuddy(Edit& buddy) {
    if (Handle() != nullptr) {
        SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy.Handle()), 0);
    }
}

void UpDown::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    if (Handle() != nullptr) {
        SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(minimum),
                     static_cast<LPARAM>(maximum));
    }
}

int UpDown::Position() const {
    return Handle() != nullptr ? static_cast<int>(SendMessageA(Handle(), UDM_GETPOS32, 0, 0)) : 0;
}

void UpDown::SetPosition(int position) {
    if (Handle() != nullptr) {
        SendMessageA(Handle(), UDM_SETPOS32, 0, static_cast<LPARAM>(position));
    }
}

bool UpDown::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.code != static_cast<UINT>(UDN_DELTAPOS)) {
        return false;
    }
    // The control read the buddy's number into iPos just before asking.
    auto& change = reinterpret_cast<NMUPDOWN&>(header);
    const int candidate = UpDownCandidate(change.iPos, change.iDelta, minimum_, maximum_);
    bool allow = true;
    if (OnChanging) {
        OnChanging(*this, candidate, allow);
    }
    if (!allow) {
        result = TRUE;
        return true;
    }
    // The control then moves by the delta we hand back, landing exactly on the candidate.
    change.iDelta = static_cast<int>(static_cast<int64_t>(candidate) - change.iPos);
    result = FALSE;
    return true;
}

} // namespace korvane::forms
