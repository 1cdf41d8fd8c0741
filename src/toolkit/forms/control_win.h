// Base of every window of the forms layer: handle, owned children, geometry, font, colours,
// alignment, cursor, focus and the reflection of notifications back to the control they concern.
#pragma once

#include "toolkit/forms/colors.h"
#include "toolkit/forms/dpi.h"
#include "toolkit/forms/layout.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
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

    // Position and size, relative to the parent's client area (the screen for a form), in the
    // layout's 96-dpi units, scaled to the form's DPI on the screen.
    Rect Bounds() const;
    void SetBounds(const Rect& bounds);
    int Left() const { return Bounds().left; }
    int Top() const { return Bounds().top; }
    int Width() const { return Bounds().width; }
    int Height() const { return Bounds().height; }
    // The window's place in pixels, relative to the parent's client area.
    Rect PixelBounds() const;
    void SetPixelBounds(const Rect& bounds);
    // In 96-dpi units, as the layouts inside are.
    int ClientWidth() const;
    int ClientHeight() const;
    // The DPI of the form this control is on: what its 96-dpi lengths are scaled to.
    int Dpi() const;

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

    // Size of a one-line text in the control's font, in 96-dpi units rounded up: a control of
    // that size holds the text at every DPI.
    TextSize MeasureText(const std::string& text);
    // Size of a text wrapped at `width` in the control's font, as a word-wrapping label draws it
    // (line breaks, words carried to the next line, "&&" as one "&"); 96-dpi units as above.
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
    // After a change of DPI, once the control and its parents have their new places.
    virtual void OnDpiLayout() {}

    bool Dying() const;
    void Realign();

    // A 96-dpi length in the pixels of the control's DPI, for the kinds' own drawing.
    int ToPixels(int length) const;
    // The height a drop-down list adds below its field when the window's size is set.
    virtual int DroppedListHeight() const { return 0; }

    // For forms: the DPI the whole tree is laid out for; every control takes its 96-dpi bounds
    // and fonts again at `dpi`, after the form's own window got its new place.
    void SetTreeDpi(int dpi);
    void ChangeTreeDpi(int dpi, const RECT& formPlace);

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR data) noexcept;
    void Detach();
    void ApplyFontDown();
    void CollectLayout(std::vector<std::pair<Control*, Rect>>& out);
    void RefreshFonts();

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
    int dpi_ = kLayoutDpi; // the root's: its children ask it
};

} // namespace korvane::forms
