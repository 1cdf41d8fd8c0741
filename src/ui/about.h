// The about window's fixed texts, its layout, its keys and what its two links do.
#pragma once

#include "toolkit/forms/layout.h"
#include "toolkit/product.h"
#include "toolkit/shell_port.h"

#include <cstdint>
#include <string>

namespace korvane {

inline constexpr const char* kAboutCaption = "About - " KORVANE_PRODUCT_NAME;
inline constexpr const char* kAboutCreditLine1 =
    "Written by the " KORVANE_PRODUCT_NAME " developers.";
inline constexpr const char* kAboutCreditLine2 = "Thanks to everyone who sent a bug report.";
inline constexpr const char* kAboutCloseText = "Close";
inline constexpr const char* kAboutSecretCaption =
    "Slava na Nashite Bogove! Slava na Bulgarskiyat Rod!";

inline constexpr int kAboutClientWidth = 420;
inline constexpr int kAboutClientHeight = 345;
inline constexpr int kAboutFontHeight = 11;
inline constexpr uint32_t kAboutBackground = 0xFFFFFF;
inline constexpr uint32_t kAboutLinkColor = 0xFF0000; // blue, as 0x00BBGGRR
inline constexpr uint32_t kAboutHeaderTransparent = 0xFF00FF;
inline constexpr int kAboutHeaderWidth = 450;
inline constexpr int kAboutHeaderHeight = 71;

// The web page and the support address, as the link labels show them.
std::string AboutWebLinkText();
std::string AboutMailLinkText();

struct AboutLayout {
    forms::Rect header;
    forms::Rect version;
    forms::Rect credit1;
    forms::Rect credit2;
    forms::Rect webLink;
    forms::Rect mailLink;
    forms::Rect close;
};

// Where everything goes in the 420 x 345 client area; the links are as wide as their texts.
AboutLayout LayoutAbout(int webTextWidth, int mailTextWidth);

enum class AboutKeyAction { None, Close, SecretCaption };

// Key-down of the window or its Close button: virtual-key code and shift state (Ctrl = 8).
AboutKeyAction AboutKeyFor(uint32_t key, uint32_t shift);

// What the two links ask of the shell; the shell's results are not looked at.
class AboutLinks {
  public:
    // `programPath` is the running program's folder with a trailing "\".
    AboutLinks(ShellPort& shell, std::string programPath);
    void OpenWebPage();
    void StartContactMail();

  private:
    ShellPort& shell_;
    std::string programPath_;
};

} // namespace korvane
