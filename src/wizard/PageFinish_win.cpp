#include "wizard/PageFinish.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "common/AnsiText.h"
#include "common/FileAssociation.h"
#include "common/MediumIntegrityLaunch.h"
#include "common/WideText.h"
#include "configuration/InstallerConfig.h"
#include "language/AsLanguage_Manager.h"
#include "resource.h"
#include "wizard/ButtonFlags.h"
#include "wizard/FinishPaths.h"
#include "wizard/PageTexts.h"
#include "wizard/ShellShortcut.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardStatistics.h"

namespace {

constexpr ControlPlace kPlaces[] = {
    {IDC_FINISH_TITLE, 224, 177},
    {IDC_FINISH_MESSAGE, 224, 205},
    {IDC_FINISH_DESKTOP_SHORTCUT, 224, 297},
    {IDC_FINISH_DESKTOP_SHORTCUT_LABEL, 246, 296},
    {IDC_FINISH_QUICKLAUNCH_SHORTCUT, 224, 328},
    {IDC_FINISH_QUICKLAUNCH_SHORTCUT_LABEL, 246, 327},
    {IDC_FINISH_DEFAULT_APP, 224, 359},
    {IDC_FINISH_DEFAULT_APP_LABEL, 246, 359},
    {IDC_FINISH_RUN_PRODUCT, 224, 390},
    {IDC_FINISH_RUN_PRODUCT_LABEL, 246, 390},
};

// Labels in the order of PageFinish::labels_; the first two are headings.
constexpr std::int32_t kLabelIds[] = {IDC_FINISH_TITLE,
                                      IDC_FINISH_MESSAGE,
                                      IDC_FINISH_DESKTOP_SHORTCUT_LABEL,
                                      IDC_FINISH_QUICKLAUNCH_SHORTCUT_LABEL,
                                      IDC_FINISH_DEFAULT_APP_LABEL,
                                      IDC_FINISH_RUN_PRODUCT_LABEL};
constexpr int kHeadingCount = 2;
constexpr COLORREF kOptionColour = RGB(196, 220, 235);

// Major version of the running Windows; 6 when the system does not say.
DWORD WindowsMajorVersion() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version)) return 6;
#pragma GCC diagnostic pop
    return version.dwMajorVersion;
}

void OpenWithShell(const std::u16string& target) {
    ShellExecuteW(nullptr, L"open", Common::AsWide(target), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

PageFinish::PageFinish(Installation::Session& session)
    : BaseDialog(IDD_PAGE_FINISH, session), config_(session.config) {}

PageFinish::~PageFinish() {
    if (comInitialized_) CoUninitialize();
}

BOOL PageFinish::OnInitDialog() {
    BaseDialog::OnInitDialog();
    comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        CLabel& label = labels_[i];
        label.SubclassDlgItem(kLabelIds[i], Handle());
        if (i < kHeadingCount) {
            ApplyLabelStyle(label, Controls::LabelPreset::Heading);
        } else {
            label.SetTransparent(true).SetFontName(u"Arial").SetFontSize(15).SetFontBold(false).SetTextColor(
                kOptionColour);
        }
    }
    for (auto [box, id] : {std::pair{&desktopShortcut_, IDC_FINISH_DESKTOP_SHORTCUT},
                           {&quickLaunchShortcut_, IDC_FINISH_QUICKLAUNCH_SHORTCUT},
                           {&defaultApplication_, IDC_FINISH_DEFAULT_APP}, {&runProduct_, IDC_FINISH_RUN_PRODUCT}}) {
        box->SubclassDlgItem(id, Handle());
        SendMessageW(box->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    }
    PlaceControls(kPlaces);
    // The language was applied before the controls existed: catch up.
    ApplyLanguage(Languages().Current_Language());
    return TRUE;
}

void PageFinish::ApplyLanguage(LanguageId language) {
    Wizard::SetPageTexts(Languages(), Handle(),
                         {IDC_FINISH_TITLE, IDC_FINISH_MESSAGE, IDC_FINISH_DESKTOP_SHORTCUT_LABEL,
                          IDC_FINISH_QUICKLAUNCH_SHORTCUT_LABEL, IDC_FINISH_DEFAULT_APP_LABEL,
                          IDC_FINISH_RUN_PRODUCT_LABEL},
                         language);
    for (CLabel& label : labels_) Wizard::FollowLanguageScript(label, language);
}

LRESULT PageFinish::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGED:
            PlaceControls(kPlaces);
            break;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
        default: break;
    }
    return BaseDialog::WindowProc(message, wParam, lParam);
}

void PageFinish::OnEnterPage(int) {
    Wizard::Statistics::RecordLastStep(session_.statistics, kLastStep);
    using namespace Wizard::ButtonFlag;
    SendMessageW(GetParent(Handle()), WM_WIZARD_BUTTONS, EnableAll | NextReadsFinish | BackReadsBack, 0);
}

bool PageFinish::IsTicked(const CCheckBox& box) const { return box.IsBound() && box.IsChecked(); }

void PageFinish::OnLeaveForward(int) {
    const std::u16string installDir = config_.InstallDir();
    // Without an install directory there is no program to point at.
    if (!installDir.empty()) {
        const std::u16string program = Wizard::ProductProgramPath(installDir);
        if (IsTicked(desktopShortcut_)) {
            const std::u16string desktop = Wizard::SpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY, true);
            if (!desktop.empty()) Wizard::CreateShellShortcut(Wizard::DesktopShortcutPath(desktop), program);
        }
        if (IsTicked(quickLaunchShortcut_)) {
            const std::u16string appData = Wizard::SpecialFolderPath(CSIDL_APPDATA, false);
            if (!appData.empty()) Wizard::CreateShellShortcut(Wizard::QuickLaunchShortcutPath(appData), program);
        }
        if (IsTicked(defaultApplication_)) Common::FileAssociation().Run(installDir);
    }
    FinishWizard();
}

void PageFinish::FinishWizard() {
    const std::u16string address =
        Wizard::ThankYouAddress(config_.ThankYouLink(), Languages().Current_Language());
    if (!address.empty()) OpenWithShell(address);

    const std::u16string installDir = config_.InstallDir();
    if (!installDir.empty() && IsWindowVisible(runProduct_.Handle()) && IsTicked(runProduct_)) StartProduct(installDir);

    Wizard::Statistics::SendUserData(session_.statistics);
    SendMessageW(GetParent(Handle()), WM_WIZARD_CLOSE, 0, 0);
}

void PageFinish::StartProduct(const std::u16string& installDir) const {
    const std::u16string program = Wizard::ProductProgramPath(installDir);
    if (GetFileAttributesW(Common::AsWide(program)) == INVALID_FILE_ATTRIBUTES) return;
    // From Vista on the installer runs elevated; the product must not.
    if (WindowsMajorVersion() < 6)
        OpenWithShell(program);
    else
        Common::LaunchAtMediumIntegrity(Common::ToAnsi(Wizard::ProgramCommandLine(program)));
}
