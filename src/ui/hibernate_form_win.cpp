// THibernateForm: the countdown window's controls and their Win32 side.
#include "ui/hibernate_form_win.h"

#include <algorithm>

namespace korvane {

namespace {
constexpr int kOuterWidth = 350;
constexpr int kOuterHeight = 216;
constexpr uint32_t kMagenta = 0x00FF00FF; // transparent in the picture (0x00BBGGRR)
constexpr int kPictureEdge = 48;
constexpr int kMargin = 10;
constexpr int kTextLeft = kMargin + kPictureEdge + kMargin; // 68
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 26;
constexpr int kMessageTop = 10 + 26 + 5; // below the heading
constexpr int kListHeight = 21;
constexpr int kButtonRowOffset = 36; // the button row's top, from the client area's bottom
} // namespace

THibernateForm::THibernateForm(const CountdownDeps& deps, AppWindow& appWindow, HINSTANCE resources)
    : appWindow_(appWindow) {
    forms::FormArgs args;
    args.caption = kPowerOffCaption;
    args.stayOnTop = true;
    args.icon = LoadIconA(resources, "MAINICON");
    form_ = std::make_unique<forms::Form>(args);
    form_->SetBounds({0, 0, kOuterWidth, kOuterHeight});
    const int cw = form_->ClientWidth();
    const int ch = form_->ClientHeight();

    images_.AddResource(resources, "XP_DRIVE_HOT", kMagenta);
    form_->Add<forms::ImageButton>({{kMargin, kMargin, kPictureEdge, kPictureEdge}, &images_});

    heading_ = &form_->Add<forms::Label>({{kTextLeft, 10, 300, 26}, ""});
    forms::FontSpec bold = heading_->Font();
    bold.face = "Tahoma";
    bold.bold = true;
    bold.height = 20; // positive: the character cell height
    heading_->SetFont(bold);

    baseClientHeight_ = ch;
    // Until a message is set: the list at the foot of the message area, which FitMessage keeps
    // clear of the message's last line.
    const int messageHeight = (ch - kButtonRowOffset) - kMessageTop - kMargin;
    message_ = &form_->Add<forms::WordWrapLabel>(
        {{kTextLeft, kMessageTop, cw - kTextLeft - kMargin, messageHeight}, ""});

    forms::ComboBoxArgs list;
    list.bounds = {kTextLeft, kMessageTop + messageHeight - 25, cw - kTextLeft - kMargin,
                   kListHeight};
    methods_ = &form_->Add<forms::ComboBox>(list);

    const int buttonTop = ch - kButtonRowOffset;
    cancel_ = &form_->Add<forms::Button>(
        {{cw - 110, buttonTop, kButtonWidth, kButtonHeight}, kCancelCaption});
    powerOff_ = &form_->Add<forms::Button>(
        {{cw - 110 - 105, buttonTop, kButtonWidth, kButtonHeight}, kMethodNames[0]});

    logic_ = std::make_unique<HibernateCountdown>(deps, static_cast<CountdownView&>(*this));
    for (int32_t i = 0; i < logic_->MethodCount(); ++i)
        methods_->AddItem(kMethodNames[i]);

    methods_->OnChange = [this](forms::ComboBox&) { logic_->RefreshPowerOffCaption(); };
    cancel_->OnClick = [this](forms::Button&) { logic_->CancelPowerOff(); };
    powerOff_->OnClick = [this](forms::Button&) { logic_->PowerOffNow(); };
    cancel_->OnKeyDown = [this](forms::Control&, uint32_t key, uint32_t) {
        logic_->KeyOnButton(true, key);
    };
    powerOff_->OnKeyDown = [this](forms::Control&, uint32_t key, uint32_t) {
        logic_->KeyOnButton(false, key);
    };
    form_->OnCloseQuery = [this](forms::Form&, bool& accept) { logic_->CloseQuery(accept); };
    // The message wraps differently at another DPI: its height is measured again.
    form_->OnDpiChanged = [this](forms::Form&) { FitMessage(message_->Text()); };
}

THibernateForm::~THibernateForm() {
    // The countdown's timer goes before the controls its ticks would touch.
    logic_.reset();
}

void THibernateForm::ShowCountdown(const std::string& heading, int32_t seconds, int32_t currentTemp,
                                   int32_t limitTemp, int32_t method) {
    // Timers, focus and foreground belong to the GUI thread's windows: do it all there.
    appWindow_.SendSynchronize(
        [&] { logic_->ShowCountdown(heading, seconds, currentTemp, limitTemp, method); });
}

void THibernateForm::WaitUntilClosed(const std::function<bool()>& stopRequested) {
    logic_->WaitUntilClosed(stopRequested);
}

void THibernateForm::Dismiss() {
    logic_->Dismiss();
}

void THibernateForm::SetHeading(const std::string& text) {
    heading_->SetText(text);
}
void THibernateForm::SetMessage(const std::string& text) {
    FitMessage(text);
    message_->SetText(text);
}

void THibernateForm::FitMessage(const std::string& text) {
    const int width = form_->ClientWidth() - kTextLeft - kMargin;
    const int textHeight = message_->MeasureWrappedText(text, width).height;
    // Message, a gap, the list, a margin, the button row: taller only when the text needs it.
    const int needed = kMessageTop + textHeight + 5 + kListHeight + kMargin + kButtonRowOffset;
    const int clientHeight = std::max(baseClientHeight_, needed);
    if (clientHeight != form_->ClientHeight())
        form_->SetClientSize(form_->ClientWidth(), clientHeight);

    const int listTop = clientHeight - kButtonRowOffset - kMargin - kListHeight;
    message_->SetBounds({kTextLeft, kMessageTop, width, listTop - 5 - kMessageTop});
    forms::Rect list = methods_->Bounds();
    list.top = listTop;
    methods_->SetBounds(list);
    for (forms::Button* button : {cancel_, powerOff_}) {
        forms::Rect r = button->Bounds();
        r.top = clientHeight - kButtonRowOffset;
        button->SetBounds(r);
    }
}
void THibernateForm::SetPowerOffCaption(const std::string& text) {
    powerOff_->SetText(text);
}
int32_t THibernateForm::SelectedMethod() const {
    return methods_->ItemIndex();
}
void THibernateForm::SelectMethod(int32_t index) {
    methods_->SetItemIndex(index);
}

void THibernateForm::Present() {
    cancel_->SetText(kCancelCaption);
    forms::Rect c = cancel_->Bounds();
    c.left = form_->ClientWidth() - 110;
    cancel_->SetBounds(c);
    powerOff_->SetVisible(true);
    methods_->SetVisible(true);

    form_->CentreInWorkArea();
    form_->Show();
    form_->Update();
}

void THibernateForm::FocusPowerOffButton() {
    powerOff_->SetFocus();
}
bool THibernateForm::Shown() const {
    return form_->IsVisible();
}
void THibernateForm::RequestClose() {
    form_->Close();
}
void THibernateForm::Hide() {
    form_->Hide();
}
void THibernateForm::ProcessOneMessage() {
    appWindow_.ProcessOneMessage();
}
void THibernateForm::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

void THibernateForm::ShowPowerOffFailed() {
    MessageBoxA(nullptr, kPowerOffFailedText, kPowerOffCaption, MB_ICONWARNING | MB_OK);
}

} // namespace korvane
