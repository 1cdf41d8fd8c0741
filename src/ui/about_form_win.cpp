// The about window: header picture, version, credits, web and mail links, and a Close button.
#include "ui/about_form_win.h"

#include <utility>

namespace korvane {

namespace {

HINSTANCE ProgramModule() {
    return GetModuleHandleA(nullptr);
}

} // namespace

TAboutForm::TAboutForm(ShellPort& shell, std::string programPath,
                       std::function<void()> trimWorkingSet)
    : links_(shell, std::move(programPath)), trimWorkingSet_(std::move(trimWorkingSet)),
      header_(kAboutHeaderWidth, kAboutHeaderHeight),
      form_(forms::FormArgs{.caption = kAboutCaption,
                            .owner = nullptr,
                            .clientWidth = kAboutClientWidth,
                            .clientHeight = kAboutClientHeight,
                            .icon = LoadIconA(ProgramModule(), "MAINICON"),
                            .color = kAboutBackground}) {
    header_.AddResource(ProgramModule(), "Z_ABOUT_HEADER", kAboutHeaderTransparent);
    form_.SetFontHeight(kAboutFontHeight);
    form_.SetTransparentLabels(true);

    // Link widths need the labels' font, so the layout is applied once they exist.
    const AboutLayout layout = LayoutAbout(0, 0);
    form_.Add<forms::ImageButton>({.bounds = layout.header, .images = &header_});
    form_.Add<forms::Label>({.bounds = layout.version, .text = kAboutVersionText});
    form_.Add<forms::Label>({.bounds = layout.credit1, .text = kAboutCreditLine1});
    form_.Add<forms::Label>({.bounds = layout.credit2, .text = kAboutCreditLine2});
    forms::Label& web = AddLink(AboutWebLinkText());
    forms::Label& mail = AddLink(AboutMailLinkText());
    web.OnClick = [this](forms::Label&) { links_.OpenWebPage(); };
    mail.OnClick = [this](forms::Label&) { links_.StartContactMail(); };
    const auto placeLinks = [&web, &mail](forms::Form&) {
        const AboutLayout measured =
            LayoutAbout(web.MeasureText(web.Text()).width, mail.MeasureText(mail.Text()).width);
        web.SetBounds(measured.webLink);
        mail.SetBounds(measured.mailLink);
    };
    placeLinks(form_);
    // A text's width does not follow the DPI exactly: the links are measured again.
    form_.OnDpiChanged = placeLinks;

    close_ = &form_.Add<forms::Button>({.bounds = layout.close, .text = kAboutCloseText});
    close_->OnClick = [this](forms::Button&) { CloseWindow(); };
    form_.SetDefaultButton(close_);

    const auto keys = [this](forms::Control&, uint32_t key, uint32_t shift) {
        OnKeyDown(key, shift);
    };
    form_.OnKeyDown = keys;
    close_->OnKeyDown = keys;
    // Every way of closing only hides the window; the object lives until shut-down.
    form_.OnCloseQuery = [](forms::Form& sender, bool& accept) {
        accept = false;
        sender.Hide();
    };
}

forms::Label& TAboutForm::AddLink(const std::string& text) {
    forms::Label& link = form_.Add<forms::Label>({.bounds = {}, .text = text});
    link.SetFontColor(kAboutLinkColor);
    link.SetFontUnderline(true);
    // A shared cursor of the resources: not owned, never freed.
    link.SetCursor(LoadCursorA(ProgramModule(), "HAND"));
    return link;
}

void TAboutForm::Show() {
    form_.CentreInWorkArea();
    form_.Show();
    form_.Update();
    close_->SetFocus();
}

void TAboutForm::CloseWindow() {
    form_.Close();
    if (trimWorkingSet_) {
        trimWorkingSet_();
    }
}

void TAboutForm::OnKeyDown(uint32_t key, uint32_t shift) {
    switch (AboutKeyFor(key, shift)) {
    case AboutKeyAction::Close:
        CloseWindow();
        break;
    case AboutKeyAction::SecretCaption:
        form_.SetCaption(kAboutSecretCaption);
        break;
    case AboutKeyAction::None:
        break;
    }
}

} // namespace korvane
