// Forms: the window class of the program's top-level windows and their services.
#include "toolkit/forms/form_win.h"

#include "toolkit/failure_report.h"
#include "toolkit/failure_report_win.h"
#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/dpi_win.h"
#include "toolkit/forms/edit_win.h"

#include <algorithm>

namespace korvane::forms {

namespace {

constexpr char kFormClass[] = "KorvaneForm";
constexpr DWORD kFormStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

bool RegisterFormClass(WNDPROC procedure) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, kFormClass, &wc)) {
        return true;
    }
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kFormClass;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CollectControls(const Control& parent, std::vector<Control*>& out) {
    for (const auto& child : parent.Children()) {
        out.push_back(child.get());
        CollectControls(*child, out);
    }
}

} // namespace

Form::Form(const FormArgs& args) : Control(nullptr) {
    SetColor(args.color);
    if (!RegisterFormClass(Procedure())) {
        return;
    }
    // Laid out for the monitor it opens on; a move to another one brings WM_DPICHANGED.
    SetTreeDpi(DpiAtPoint(args.left, args.top));
    const DWORD exStyle = args.stayOnTop ? WS_EX_TOPMOST : 0;
    const RECT r =
        WindowRectForClient({0, 0, ToPixels(args.clientWidth), ToPixels(args.clientHeight)},
                            kFormStyle, exStyle, Dpi());
    CreateWindowExA(exStyle, kFormClass, args.caption.c_str(), kFormStyle, args.left, args.top,
                    r.right - r.left, r.bottom - r.top, args.owner, nullptr,
                    GetModuleHandleA(nullptr), BindParam());
    // The window itself knows best, where Windows can tell a window's DPI.
    if (const int dpi = DpiOfWindow(Handle()); Handle() != nullptr && dpi != Dpi()) {
        SetTreeDpi(dpi);
        SetClientSize(args.clientWidth, args.clientHeight);
    }
    if (args.icon != nullptr) {
        SetIcon(args.icon);
    }
}

Form::~Form() {
    if (Handle() != nullptr) {
        // Owned windows such as an open menu would outlive us otherwise.
        ShowWindow(Handle(), SW_HIDE);
    }
}

LRESULT Form::HandleWindowMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        AttachForm(window);
    }
    if (Handle() != window) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    return HandleMessage(message, wparam, lparam);
}

LRESULT Form::CallDefault(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(Handle(), message, wparam, lparam);
}

bool Form::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
    case kDpiChangedMessage: {
        // The rectangle Windows suggests keeps the window where the user dragged it.
        if (const auto* place = reinterpret_cast<const RECT*>(lparam)) {
            ChangeTreeDpi(HIWORD(wparam), *place);
            if (OnDpiChanged) {
                OnDpiChanged(*this);
            }
            Update();
        }
        result = 0;
        return true;
    }
    case WM_CLOSE: {
        bool accept = true;
        if (OnCloseQuery) {
            OnCloseQuery(*this, accept);
        }
        if (accept) {
            Hide();
        }
        result = 0;
        return true;
    }
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(Handle(), &r);
        FillRect(reinterpret_cast<HDC>(wparam), &r, BackgroundBrush());
        result = 1;
        return true;
    }
    default:
        return false;
    }
}

void Form::Show() {
    if (Handle() == nullptr) {
        return;
    }
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (!Focused()) {
        if (!FocusNextControl(false)) {
            ::SetFocus(Handle());
        }
    }
}

void Form::CentreInWorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The work area is in pixels, and so is the place in it.
    const Rect bounds = PixelBounds();
    SetPixelBounds(forms::CentreInWorkArea(
        {work.left, work.top, work.right - work.left, work.bottom - work.top}, bounds.width,
        bounds.height));
}

void Form::Hide() {
    if (Handle() != nullptr) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void Form::Close() {
    if (Handle() != nullptr) {
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
    }
}

void Form::Update() {
    if (Handle() != nullptr) {
        RedrawWindow(Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void Form::BringToFront() {
    if (Handle() != nullptr) {
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

bool Form::IsVisible() const {
    return Handle() != nullptr && IsWindowVisible(Handle()) != FALSE;
}

void Form::SetClientSize(int width, int height) {
    if (Handle() == nullptr) {
        return;
    }
    const RECT r =
        WindowRectForClient({0, 0, ToPixels(width), ToPixels(height)},
                            static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)),
                            static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)), Dpi());
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetIcon(HICON icon) {
    if (Handle() != nullptr) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void Form::SetStayOnTop(bool onTop) {
    if (Handle() != nullptr) {
        SetWindowPos(Handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Form::SetDefaultButton(Button* button) {
    if (defaultButton_ != nullptr && defaultButton_->Handle() != nullptr) {
        SendMessageA(defaultButton_->Handle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    defaultButton_ = button;
    if (button != nullptr && button->Handle() != nullptr) {
        SendMessageA(button->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

std::vector<Control*> Form::ControlsInCreationOrder() const {
    std::vector<Control*> all;
    CollectControls(*this, all);
    std::sort(all.begin(), all.end(),
              [](const Control* a, const Control* b) { return a->Serial() < b->Serial(); });
    return all;
}

bool Form::FocusNextControl(bool backwards) {
    const std::vector<Control*> all = ControlsInCreationOrder();
    std::vector<bool> eligible;
    int current = -1;
    HWND focus = GetFocus();
    for (size_t i = 0; i < all.size(); ++i) {
        HWND window = all[i]->Handle();
        // Of a radio group only the checked button is a stop: the system checks an unchecked
        // radio button that gets the focus from the keyboard.
        auto* radio = dynamic_cast<RadioButton*>(all[i]);
        const bool stop =
            window != nullptr && all[i]->TabStop() && (radio == nullptr || radio->Checked());
        eligible.push_back(stop && IsWindowEnabled(window) && IsWindowVisible(window));
        if (stop && focus != nullptr && (window == focus || IsChild(window, focus))) {
            current = static_cast<int>(i);
        }
    }
    const int next = NextTabStop(eligible, current, backwards);
    if (next < 0) {
        return false;
    }
    all[static_cast<size_t>(next)]->SetFocus();
    return true;
}

bool HandleFormNavigation(MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_TAB && msg.wParam != VK_RETURN)) {
        return false;
    }
    auto* form = dynamic_cast<Form*>(Control::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
    if (form == nullptr || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    if (msg.wParam == VK_TAB) {
        form->FocusNextControl(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    // Enter: a focused button or multi-line box keeps it for itself.
    Control* target = nullptr;
    for (HWND w = msg.hwnd; w != nullptr && target == nullptr; w = GetParent(w)) {
        target = Control::FromHandle(w);
    }
    if (dynamic_cast<Button*>(target) != nullptr) {
        return false;
    }
    if (auto* edit = dynamic_cast<Edit*>(target); edit != nullptr && edit->MultiLine()) {
        return false;
    }
    Button* button = form->DefaultButton();
    if (button == nullptr || !button->Enabled() || IsWindowVisible(button->Handle()) == FALSE) {
        return false;
    }
    // The press runs from the message loop, not from a window procedure: the same rule holds here.
    try {
        button->Click();
    } catch (...) {
        ReportFailure("Enter on the default button " + DescribeWindow(button->Handle()) + " of " +
                      DescribeWindow(form->Handle()));
    }
    return true;
}

} // namespace korvane::forms
