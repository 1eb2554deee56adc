#include "wizard/PageSendEmail.h"

#include "common/AnsiText.h"
#include "common/WideText.h"
#include "configuration/InstallerConfig.h"
#include "resource.h"
#include "wizard/ButtonFlags.h"
#include "wizard/EmailAddress.h"
#include "wizard/PageTexts.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardStatistics.h"

namespace {

constexpr ControlPlace kPlaces[] = {
    {IDC_EMAIL_TITLE, 147, 24},
    {IDC_EMAIL_HEADING, 147, 88},
    {IDC_EMAIL_INVITATION, 147, 180},
    {IDC_EMAIL_FIRST_NAME_LABEL, 146, 258},
    {IDC_EMAIL_FIRST_NAME, 260, 255},
    {IDC_EMAIL_LAST_NAME_LABEL, 474, 258},
    {IDC_EMAIL_LAST_NAME, 565, 255},
    {IDC_EMAIL_ADDRESS_LABEL, 146, 297},
    {IDC_EMAIL_ADDRESS, 260, 294},
    {IDC_EMAIL_PRIVACY_NOTE, 147, 380},
};

enum class Look { Heading, BodyText, Plain };
struct LabelSpec {
    int controlId;
    Look look;
};
// In the order of PageSendEmail::labels_.
constexpr LabelSpec kLabels[] = {
    {IDC_EMAIL_HEADING, Look::Heading},         {IDC_EMAIL_INVITATION, Look::BodyText},
    {IDC_EMAIL_FIRST_NAME_LABEL, Look::Plain},  {IDC_EMAIL_LAST_NAME_LABEL, Look::Plain},
    {IDC_EMAIL_ADDRESS_LABEL, Look::Plain},     {IDC_EMAIL_TITLE, Look::Plain},
    {IDC_EMAIL_PRIVACY_NOTE, Look::Plain},
};
constexpr COLORREF kPlainColour = RGB(196, 220, 235);

}  // namespace

PageSendEmail::PageSendEmail(Installation::Session& session)
    : BaseDialog(IDD_PAGE_SEND_EMAIL, session), config_(session.config) {}

BOOL PageSendEmail::OnInitDialog() {
    BaseDialog::OnInitDialog();
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        CLabel& label = labels_[i];
        label.SubclassDlgItem(kLabels[i].controlId, Handle());
        switch (kLabels[i].look) {
            case Look::Heading: ApplyLabelStyle(label, Controls::LabelPreset::Heading); break;
            case Look::BodyText: ApplyLabelStyle(label, Controls::LabelPreset::BodyText); break;
            case Look::Plain:
                label.SetTransparent(true).SetFontName(u"Arial").SetFontSize(15).SetFontBold(false).SetTextColor(
                    kPlainColour);
                break;
        }
    }
    PlaceControls(kPlaces);
    // The language was applied before the controls existed: catch up.
    ApplyLanguage(Languages().Current_Language());
    pageImage_.LoadFromResource(kPageImage);  // absent from the skin: the wizard's background shows
    return TRUE;
}

void PageSendEmail::ApplyLanguage(LanguageId language) {
    Wizard::SetPageTexts(Languages(), Handle(),
                         {IDC_EMAIL_FIRST_NAME_LABEL, IDC_EMAIL_LAST_NAME_LABEL, IDC_EMAIL_ADDRESS_LABEL,
                          IDC_EMAIL_INVITATION, IDC_EMAIL_HEADING, IDC_EMAIL_TITLE, IDC_EMAIL_PRIVACY_NOTE},
                         language);
    for (CLabel& label : labels_) Wizard::FollowLanguageScript(label, language);
}

LRESULT PageSendEmail::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam) {
                Wizard::Statistics::RecordLastStep(session_.statistics, kLastStep);
                // Whichever way the page was reached, Next reads "Next" and Back "Skip".
                using namespace Wizard::ButtonFlag;
                SendMessageW(GetParent(Handle()), WM_WIZARD_BUTTONS, NextReadsNext | BackReadsSkip, 0);
            }
            break;
        case WM_WINDOWPOSCHANGED: PlaceControls(kPlaces); break;
        case WM_CTLCOLOREDIT: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(255, 255, 255));
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
        }
        default: break;
    }
    return BaseDialog::WindowProc(message, wParam, lParam);
}

std::u16string PageSendEmail::EditText(int controlId) const {
    HWND edit = GetDlgItem(Handle(), controlId);
    if (!edit) return {};
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(edit, text.data(), length + 1);
    return Common::FromWide(text.c_str(), static_cast<std::size_t>(read));
}

void PageSendEmail::OnLeaveForward(int skip) {
    const std::u16string firstName = EditText(IDC_EMAIL_FIRST_NAME);
    const std::u16string lastName = EditText(IDC_EMAIL_LAST_NAME);
    const std::string address = Wizard::WithoutWhiteSpace(Common::ToAnsi(EditText(IDC_EMAIL_ADDRESS)));
    // The offers box is not on the page; a page that shows it passes its state on Next.
    const bool wantsOffers = skip == Wizard::kForward && IsDlgButtonChecked(Handle(), IDC_EMAIL_OFFERS) == BST_CHECKED;

    const bool valid = Wizard::IsValidEmailAddress(address);
    if (valid) {
        Wizard::Statistics::StoreContact(session_.statistics, Common::FromAnsi(address), firstName, lastName,
                                         wantsOffers);
    }
    config_.SetUserDetailsGiven(valid);
}
