// The common part of every control: creation, reflection of notifications, geometry, fonts.
#include "toolkit/forms/control_win.h"

#include "toolkit/failure_report.h"
#include "toolkit/failure_report_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/input_rules.h"

#include <atomic>
#include <cstring>

namespace korvane::forms {

namespace {

constexpr char kControlProperty[] = "Korvane.Control";
constexpr UINT_PTR kSubclassId = 0x4B56;

// Creation order of all controls of the process: the Tab order follows it.
std::atomic<uint64_t> nextSerial{1};

static_assert(SystemColorIndex(kColorWindow) == COLOR_WINDOW &&
              SystemColorIndex(kColorWindowText) == COLOR_WINDOWTEXT &&
              SystemColorIndex(kColorButtonFace) == COLOR_BTNFACE);

} // namespace

COLORREF ResolveColor(uint32_t color) {
    if (IsSystemColor(color)) {
        return GetSysColor(SystemColorIndex(color));
    }
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

Control::Control(Control* parent) : parent_(parent), serial_(nextSerial++) {}

Control::Control(Control& parent, const char* windowClass, DWORD style, DWORD exStyle,
                 const Rect& bounds, const std::string& text)
    : parent_(&parent), serial_(nextSerial++) {
    // Control ids only need to be unique among siblings; WM_MEASUREITEM finds its control by id.
    const auto id = static_cast<UINT_PTR>((serial_ % 0xFFF0) + 1);
    const Rect pixels = ScaleToDpi(bounds, parent.Dpi());
    HWND window = CreateWindowExA(exStyle, windowClass, text.c_str(), WS_CHILD | style, pixels.left,
                                  pixels.top, pixels.width, pixels.height, parent.Handle(),
                                  reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        return;
    }
    window_.Reset(window);
    SetPropA(window, kControlProperty, this);
    subclassed_ = SetWindowSubclass(window, SubclassProc, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

Control::~Control() {
    destroying_ = true;
    window_.Reset();
}

void Control::AttachForm(HWND window) {
    window_.Reset(window);
    SetPropA(window, kControlProperty, this);
}

void Control::Detach() {
    if (!window_) {
        return;
    }
    RemovePropA(window_.Get(), kControlProperty);
    if (subclassed_) {
        RemoveWindowSubclass(window_.Get(), SubclassProc, kSubclassId);
        subclassed_ = false;
    }
    // The window is on its way out already.
    window_.Release();
}

Control* Control::FromHandle(HWND window) {
    return window != nullptr ? static_cast<Control*>(GetPropA(window, kControlProperty)) : nullptr;
}

Form* Control::ParentForm() {
    Control* root = this;
    while (root->parent_ != nullptr) {
        root = root->parent_;
    }
    return dynamic_cast<Form*>(root);
}

bool Control::Dying() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (c->destroying_) {
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR /*id*/, DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<Control*>(data);
    if (self == nullptr || self->Handle() != window) {
        return DefSubclassProc(window, message, wparam, lparam);
    }
    try {
        return self->HandleMessage(message, wparam, lparam);
    } catch (...) {
        // Handlers of the program report failures as results; nothing may unwind into Windows.
        ReportFailure("the subclass procedure, " +
                      DescribeMessage(window, message, wparam, lparam));
        return 0;
    }
}

LRESULT Control::CallDefault(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefSubclassProc(Handle(), message, wparam, lparam);
}

bool Control::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT Control::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        HWND window = Handle();
        const bool subclassed = subclassed_;
        Detach();
        return subclassed ? DefSubclassProc(window, message, wparam, lparam)
                          : DefWindowProcA(window, message, wparam, lparam);
    }
    if (OnMessage(message, wparam, lparam, result)) {
        return result;
    }
    // Notifications go back to the control they came from; none while the tree is torn down, so
    // no handler of a half-destroyed owner runs.
    const bool reflect = !Dying();
    switch (message) {
    case WM_COMMAND:
        if (lparam != 0 && reflect) {
            Control* child = FromHandle(reinterpret_cast<HWND>(lparam));
            if (child != nullptr && child != this && child->OnCommand(HIWORD(wparam))) {
                return 0;
            }
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lparam);
        Control* child = header != nullptr ? FromHandle(header->hwndFrom) : nullptr;
        if (child != nullptr && child != this && reflect && child->OnNotify(*header, result)) {
            return result;
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
        Control* child = FromHandle(reinterpret_cast<HWND>(lparam));
        if (child != nullptr && child != this) {
            if (HBRUSH brush = child->OnCtlColor(reinterpret_cast<HDC>(wparam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
        Control* child = item != nullptr ? FromHandle(item->hwndItem) : nullptr;
        if (child != nullptr && child != this && child->OnDrawItem(*item)) {
            return TRUE;
        }
        break;
    }
    case WM_MEASUREITEM: {
        // Sent while the child is being created, before it is known here; the kinds that need
        // another height set it themselves afterwards.
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
        Control* child = item != nullptr
                             ? FromHandle(GetDlgItem(Handle(), static_cast<int>(item->CtlID)))
                             : nullptr;
        if (child != nullptr && child != this && child->OnMeasureItem(*item)) {
            return TRUE;
        }
        break;
    }
    case WM_SIZE:
        Realign();
        break;
    case WM_SETCURSOR:
        if (cursor_ != nullptr && LOWORD(lparam) == HTCLIENT) {
            ::SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (OnKeyDown) {
            OnKeyDown(*this, static_cast<uint32_t>(wparam),
                      ShiftState(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                                 GetKeyState(VK_MENU) < 0));
        }
        break;
    default:
        break;
    }
    return CallDefault(message, wparam, lparam);
}

HBRUSH Control::OnCtlColor(HDC dc) {
    SetTextColor(dc, ResolveColor(Font().color));
    SetBkColor(dc, ResolveColor(EffectiveColor()));
    return BackgroundBrush();
}

HBRUSH Control::BackgroundBrush() {
    // System colours can change while the program runs: the brush follows the colour of now.
    const COLORREF rgb = ResolveColor(EffectiveColor());
    if (!brush_ || rgb != brushRgb_) {
        brush_.Reset(CreateSolidBrush(rgb));
        brushRgb_ = rgb;
    }
    return brush_.Get();
}

int Control::Dpi() const {
    const Control* root = this;
    while (root->parent_ != nullptr) {
        root = root->parent_;
    }
    return root->dpi_;
}

int Control::ToPixels(int length) const {
    return ScaleToDpi(length, Dpi());
}

void Control::SetTreeDpi(int dpi) {
    dpi_ = ValidDpi(dpi);
}

void Control::CollectLayout(std::vector<std::pair<Control*, Rect>>& out) {
    out.emplace_back(this, Bounds());
    for (const auto& child : children_) {
        child->CollectLayout(out);
    }
}

void Control::ChangeTreeDpi(int dpi, const RECT& formPlace) {
    // Every 96-dpi place is read at the old DPI before anything moves.
    std::vector<std::pair<Control*, Rect>> layout;
    for (const auto& child : children_) {
        child->CollectLayout(layout);
    }
    dpi_ = ValidDpi(dpi);
    if (Handle() != nullptr) {
        SetWindowPos(Handle(), nullptr, formPlace.left, formPlace.top,
                     formPlace.right - formPlace.left, formPlace.bottom - formPlace.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Fonts first: a combo box sizes its field from its font.
    RefreshFonts();
    for (const auto& [control, bounds] : layout) {
        Rect pixels = ScaleToDpi(bounds, dpi_);
        pixels.height += control->ToPixels(control->DroppedListHeight());
        control->SetPixelBounds(pixels);
    }
    // Parents before children: aligned ones and tab pages follow their parents' new sizes.
    Realign();
    OnDpiLayout();
    for (const auto& entry : layout) {
        entry.first->Realign();
        entry.first->OnDpiLayout();
    }
}

void Control::RefreshFonts() {
    std::vector<std::pair<Control*, Rect>> all;
    CollectLayout(all);
    for (const auto& entry : all) {
        entry.first->fontHandle_.Reset();
    }
    for (const auto& entry : all) {
        Control& control = *entry.first;
        if (control.Handle() != nullptr) {
            SendMessageA(control.Handle(), WM_SETFONT,
                         reinterpret_cast<WPARAM>(control.FontHandle()), TRUE);
            control.OnFontChanged();
        }
    }
}

Rect Control::Bounds() const {
    return ScaleFromDpi(PixelBounds(), Dpi());
}

Rect Control::PixelBounds() const {
    RECT r{};
    if (Handle() == nullptr || !GetWindowRect(Handle(), &r)) {
        return {};
    }
    if (parent_ != nullptr && parent_->Handle() != nullptr) {
        MapWindowPoints(nullptr, parent_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    }
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Control::SetPixelBounds(const Rect& b) {
    if (Handle() != nullptr) {
        SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Control::SetBounds(const Rect& b) {
    SetPixelBounds(ScaleToDpi(b, Dpi()));
    if (align_ != forms::Align::None && parent_ != nullptr) {
        parent_->Realign();
    }
}

int Control::ClientWidth() const {
    RECT r{};
    return Handle() != nullptr && GetClientRect(Handle(), &r)
               ? ScaleFromDpi(r.right - r.left, Dpi())
               : 0;
}

int Control::ClientHeight() const {
    RECT r{};
    return Handle() != nullptr && GetClientRect(Handle(), &r)
               ? ScaleFromDpi(r.bottom - r.top, Dpi())
               : 0;
}

void Control::SetAlign(forms::Align align) {
    align_ = align;
    if (parent_ != nullptr) {
        parent_->Realign();
    }
}

void Control::Realign() {
    if (Handle() == nullptr) {
        return;
    }
    std::vector<AlignedChild> aligned;
    bool any = false;
    for (const auto& child : children_) {
        aligned.push_back({child->align_, child->PixelBounds()});
        any = any || child->align_ != forms::Align::None;
    }
    if (!any) {
        return;
    }
    // In pixels: the parent's client area is what the aligned children share out.
    RECT client{};
    GetClientRect(Handle(), &client);
    const std::vector<Rect> placed =
        ArrangeAligned(client.right - client.left, client.bottom - client.top, aligned);
    for (size_t i = 0; i < children_.size(); ++i) {
        Control& child = *children_[i];
        if (child.align_ != forms::Align::None && child.Handle() != nullptr &&
            !(placed[i] == aligned[i].bounds)) {
            SetWindowPos(child.Handle(), nullptr, placed[i].left, placed[i].top, placed[i].width,
                         placed[i].height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

std::string Control::Text() const {
    if (Handle() == nullptr) {
        return {};
    }
    const int length = GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void Control::SetText(const std::string& text) {
    if (Handle() != nullptr) {
        SetWindowTextA(Handle(), text.c_str());
    }
}

bool Control::Enabled() const {
    return Handle() != nullptr && IsWindowEnabled(Handle()) != FALSE;
}

void Control::SetEnabled(bool enabled) {
    if (Handle() != nullptr) {
        EnableWindow(Handle(), enabled ? TRUE : FALSE);
    }
}

bool Control::Visible() const {
    return Handle() != nullptr && (GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) {
    if (Handle() != nullptr) {
        ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
    }
}

uint32_t Control::EffectiveColor() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (c->color_ != kNoColor) {
            return c->color_;
        }
    }
    return kColorButtonFace;
}

void Control::SetColor(uint32_t color) {
    color_ = color;
    if (Handle() != nullptr) {
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

FontSpec Control::Font() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (c->ownFont_) {
            return c->font_;
        }
    }
    return FontSpec{};
}

HFONT Control::FontHandle() {
    Control* holder = this;
    while (!holder->ownFont_ && holder->parent_ != nullptr) {
        holder = holder->parent_;
    }
    if (!holder->fontHandle_) {
        // Created on first use, from the holder's font or the default one.
        const FontSpec& font = holder->font_;
        LOGFONTA lf{};
        lf.lfHeight = ScaleToDpi(font.height, holder->Dpi());
        lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = font.italic ? TRUE : FALSE;
        lf.lfUnderline = font.underline ? TRUE : FALSE;
        lf.lfStrikeOut = font.strikeOut ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        strncpy(lf.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);
        holder->fontHandle_.Reset(CreateFontIndirectA(&lf));
    }
    return holder->fontHandle_.Get();
}

void Control::SetFont(const FontSpec& font) {
    ownFont_ = true;
    font_ = font;
    fontHandle_.Reset();
    ApplyFontDown();
}

void Control::ApplyFontDown() {
    if (Handle() != nullptr) {
        SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
        OnFontChanged();
        InvalidateRect(Handle(), nullptr, TRUE);
    }
    for (const auto& child : children_) {
        if (!child->ownFont_) {
            child->ApplyFontDown();
        }
    }
}

void Control::SetFontBold(bool bold) {
    FontSpec f = Font();
    f.bold = bold;
    SetFont(f);
}

void Control::SetFontUnderline(bool underline) {
    FontSpec f = Font();
    f.underline = underline;
    SetFont(f);
}

void Control::SetFontColor(uint32_t color) {
    FontSpec f = Font();
    f.color = color;
    SetFont(f);
}

void Control::SetFontHeight(int height) {
    FontSpec f = Font();
    f.height = height;
    SetFont(f);
}

void Control::SetFontFace(const std::string& face) {
    FontSpec f = Font();
    f.face = face;
    SetFont(f);
}

void Control::SetFocus() {
    if (Handle() != nullptr) {
        ::SetFocus(Handle());
    }
}

bool Control::Focused() const {
    HWND focus = GetFocus();
    return Handle() != nullptr && (focus == Handle() || IsChild(Handle(), focus));
}

bool Control::TabStop() const {
    return Handle() != nullptr && (GetWindowLongA(Handle(), GWL_STYLE) & WS_TABSTOP) != 0;
}

TextSize Control::MeasureText(const std::string& text) {
    const ScopedWindowDc dc(Handle());
    if (!dc) {
        return {};
    }
    const ScopedSelection font(dc.Get(), FontHandle());
    SIZE size{};
    if (!GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size)) {
        return {};
    }
    return TextSize{ScaleFromDpiUp(size.cx, Dpi()), ScaleFromDpiUp(size.cy, Dpi())};
}

TextSize Control::MeasureWrappedText(const std::string& text, int width) {
    const ScopedWindowDc dc(Handle());
    if (!dc) {
        return {};
    }
    const ScopedSelection font(dc.Get(), FontHandle());
    RECT bounds{0, 0, ToPixels(width), 0};
    // The flags of a static control's own drawing (SS_LEFT), so the measure is what it shows.
    if (DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &bounds,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS) == 0) {
        return {};
    }
    return TextSize{ScaleFromDpiUp(bounds.right - bounds.left, Dpi()),
                    ScaleFromDpiUp(bounds.bottom - bounds.top, Dpi())};
}

} // namespace korvane::forms
