// Base of every window of the forms layer: handle, owned children, geometry, font, colours,
// alignment, cursor, focus and the reflection of notifications back to the control they concern.
#pragma once

#include "toolkit/forms/colors.h"
#include "toolkit/forms/layout.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvane::forms {

// Face (at most 31 characters are used), LOGFONT height (negative: character height, positive:
// cell height), text colour and style. Bold is weight 700; not bold is the default weight.
struct FontSpec {
    std::string face = "MS Sans Serif";
    int height = -11;
    uint32_t color = kColorWindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

struct TextSize {
    int width = 0;
    int height = 0;
};

// RGB of a colour value; system colours are looked up now.
COLORREF ResolveColor(uint32_t color);

class Form;

class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Creates a child control of kind T on this control; the child belongs to this control.
    template <typename T> T& Add(const typename T::Args& args) {
        auto child = std::make_unique<T>(*this, args);
        T& ref = *child;
        children_.push_back(std::move(child));
        if (ref.Align() != forms::Align::None) {
            Realign();
        }
        return ref;
    }

    // The control behind a window of this layer, or null.
    static Control* FromHandle(HWND window);

    HWND Handle() const { return window_.Get(); }
    Control* Parent() const { return parent_; }
    Form* ParentForm();
    const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }
    uint64_t Serial() const { return serial_; }

    // Position and size, relative to the parent's client area (the screen for a form).
    Rect Bounds() const;
    void SetBounds(const Rect& bounds);
    int Left() const { return Bounds().left; }
    int Top() const { return Bounds().top; }
    int Width() const { return Bounds().width; }
    int Height() const { return Bounds().height; }
    int ClientWidth() const;
    int ClientHeight() const;

    forms::Align Align() const { return align_; }
    void SetAlign(forms::Align align);

    virtual std::string Text() const;
    virtual void SetText(const std::string& text);

    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Own visibility flag; the window is on screen only when its parents are too.
    bool Visible() const;
    void SetVisible(bool visible);

    // Background; kNoColor takes the parent's.
    uint32_t Color() const { return color_; }
    uint32_t EffectiveColor() const;
    void SetColor(uint32_t color);

    // The font in force: the control's own, else its parent's (a form's default otherwise).
    FontSpec Font() const;
    void SetFont(const FontSpec& font);
    void SetFontBold(bool bold);
    void SetFontUnderline(bool underline);
    void SetFontColor(uint32_t color);
    void SetFontHeight(int height);
    void SetFontFace(const std::string& face);
    HFONT FontHandle();
    // A brush of the background colour in force, owned by the control.
    HBRUSH BackgroundBrush();

    // Shown while the pointer is over the control; the handle is not owned (shared cursors).
    void SetCursor(HCURSOR cursor) { cursor_ = cursor; }

    void SetFocus();
    bool Focused() const;
    bool TabStop() const;

    // Size of a one-line text in the control's font.
    TextSize MeasureText(const std::string& text);
    // Size of a text wrapped at `width` pixels in the control's font, as a word-wrapping label
    // draws it (line breaks, words carried to the next line, "&&" as one "&").
    TextSize MeasureWrappedText(const std::string& text, int width);

    // Key-down: virtual-key code and shift state (Shift 4, Ctrl 8, Alt 32).
    std::function<void(Control& sender, uint32_t key, uint32_t shift)> OnKeyDown;

  protected:
    // For forms: the window is created by the form itself.
    explicit Control(Control* parent);
    // For child controls: creates the window of `window_class` on `parent` and attaches to it.
    Control(Control& parent, const char* windowClass, DWORD style, DWORD exStyle,
            const Rect& bounds, const std::string& text);

    void AttachForm(HWND window);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    virtual LRESULT CallDefault(UINT message, WPARAM wparam, LPARAM lparam);

    // Hooks for the kinds: a message of the control's own window first, then notifications the
    // parent reflects back to the control they came from.
    virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    virtual bool OnCommand(WORD /*code*/) { return false; }
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual HBRUSH OnCtlColor(HDC dc);
    virtual bool OnDrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
    virtual void OnFontChanged() {}

    bool Dying() const;
    void Realign();

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR data) noexcept;
    void Detach();
    void ApplyFontDown();

    // Destroyed by the destructor's own hand, first of all (its children's windows with it);
    // released instead when the window goes by itself.
    ScopedWindow window_;
    Control* parent_;
    std::vector<std::unique_ptr<Control>> children_;
    uint64_t serial_;
    forms::Align align_ = forms::Align::None;
    bool ownFont_ = false;
    FontSpec font_;
    ScopedFont fontHandle_;
    uint32_t color_ = kNoColor;
    ScopedBrush brush_;
    COLORREF brushRgb_ = 0;
    HCURSOR cursor_ = nullptr;
    bool subclassed_ = false;
    bool destroying_ = false;
};

} // namespace korvane::forms
