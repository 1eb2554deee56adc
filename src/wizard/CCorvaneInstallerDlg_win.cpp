#include "wizard/CCorvaneInstallerDlg.h"

#include <optional>

#include "common/ProductIdentity.h"
#include "common/WideText.h"
#include "configuration/InstallerConfig.h"
#include "language/AsLanguage_Manager.h"
#include "resource.h"
#include "wizard/ExitDialog.h"
#include "wizard/PageDownloadInstall.h"
#include "wizard/PageFinish.h"
#include "wizard/PageInstalled.h"
#include "wizard/PageLicense.h"
#include "wizard/PageSelectComponents.h"
#include "wizard/PageSendEmail.h"
#include "wizard/PageWelcome.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardStatistics.h"
#include "SkinImageIds.h"

namespace {

using Wizard::WizardButton;

constexpr wchar_t kMessageTitle[] = L"Corvane Installer";
constexpr wchar_t kLowSpaceMessage[] =
    L"Corvane Installer requires minimum 100 MB of free space on the disk. Please change the install directory.";
constexpr COLORREF kCaptionColour = RGB(3, 31, 72);
constexpr COLORREF kDisabledCaptionColour = RGB(81, 94, 105);
constexpr int kButtonNormal = IDPNG_BUTTON_NORMAL, kButtonHover = IDPNG_BUTTON_HOVER, kButtonPressed = IDPNG_BUTTON_PRESSED;

// Halving that rounds toward minus infinity, also for a desktop smaller than the window.
int HalfDown(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

// Page heights below the main window's full height.
int PageHeight(unsigned id) {
    switch (id) {
        case Wizard::kPageWelcome: return CCorvaneInstallerDlg::kHeight;
        case Wizard::kPageDownloadInstall: return CCorvaneInstallerDlg::kHeight - 70;
        default: return CCorvaneInstallerDlg::kHeight - 120;
    }
}

constexpr UINT_PTR kFirstPageTimer = 1;
constexpr UINT kFirstPagePollMilliseconds = 100;

HICON LoadAppIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                         size, size, 0));
}

}  // namespace

CCorvaneInstallerDlg::CCorvaneInstallerDlg(Installation::Session& session, VersionSources versionSources)
    : Framework::Dialog(IDD_CORVANEINSTALLER_DIALOG),
      session_(session),
      config_(session.config),
      bigIcon_(LoadAppIcon(GetSystemMetrics(SM_CXICON))),
      smallIcon_(LoadAppIcon(GetSystemMetrics(SM_CXSMICON))),
      versionSources_(std::move(versionSources)),
      richEdit_(LoadLibraryW(L"riched20.dll")) {
    session_.language.Register_Window(this);
}

CCorvaneInstallerDlg::~CCorvaneInstallerDlg() {
    pages_.clear();
    if (IsBound()) DestroyWindow(Handle());
}

BOOL CCorvaneInstallerDlg::OnInitDialog() {
    next_.SubclassDlgItem(IDC_MAIN_NEXT, Handle());
    back_.SubclassDlgItem(IDC_MAIN_BACK, Handle());
    cancel_.SubclassDlgItem(IDC_MAIN_CANCEL, Handle());

    background_.LoadFromResource(kBackgroundImage);
    PlaceWindow();
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    SetWindowTextW(Handle(), Common::AsWide(Product::kInstallerTitle));

    config_.ReadStampBlock();
    config_.ApplyStampSettings();

    // The Windows Installer's answer (and, with a product installed, the
    // update service's) comes while the pages are made.
    HWND window = Handle();
    versionCheck_ = std::make_unique<BackgroundVersionCheck>(
        config_.PackageVersionText(), config_.PackageVersion(), versionSources_,
        [window] { PostMessageW(window, WM_WIZARD_VERSION_KNOWN, 0, 0); });
    AddPage(std::make_unique<PageWelcome>(session_));
    SkinButtons();
    Wizard::ApplyButtonFlags(Wizard::ButtonFlag::HideAll, *this);
    // The local query is waited for here, so that the window shows with its
    // page. When the update service must be asked, the window shows its
    // background and the page follows the answer or the bound, polled by a
    // timer.
    versionCheck_->WaitForInstalledVersion();
    if (!ShowFirstPage()) SetTimer(Handle(), kFirstPageTimer, kFirstPagePollMilliseconds, nullptr);
    // The other pages take longer to make than the whole window takes to
    // show: they are made once it has painted, before any input is read.
    PostMessageW(Handle(), WM_WIZARD_MAKE_PAGES, 0, 0);
    return TRUE;
}

bool CCorvaneInstallerDlg::ShowFirstPage() {
    if (navigator_.Current() != 0) return true;
    const std::optional<VersionAnswer> answer = versionCheck_->AnswerWithin(kUpdateServiceBound);
    if (!answer) return false;
    KillTimer(Handle(), kFirstPageTimer);
    config_.SetPackageVersion(answer->offered);
    if (answer->comparison == VersionComparison::NotInstalledOrOlder) {
        navigator_.ShowPage(Wizard::kPageWelcome);
        return true;
    }
    AddPage(std::make_unique<PageInstalled>(session_, answer->comparison));
    navigator_.ShowPage(Wizard::kPageInstalled);
    ApplyInstalledLayout();
    return true;
}

void CCorvaneInstallerDlg::ApplyInstalledLayout() {
    Wizard::ApplyButtonFlags(Wizard::ButtonFlag::ShowAll | Wizard::ButtonFlag::InstalledLayout, *this);
}

void CCorvaneInstallerDlg::PlaceWindow() {
    const int width = background_.IsLoaded() ? static_cast<int>(background_.Width()) : kWidth;
    const int height = background_.IsLoaded() ? static_cast<int>(background_.Height()) : kHeight;
    int left = 100, top = 100;
    RECT desktop{};
    if (HWND desktopWindow = GetDesktopWindow(); desktopWindow && GetWindowRect(desktopWindow, &desktop)) {
        left = desktop.left + HalfDown((desktop.right - desktop.left) - width);
        top = desktop.top + HalfDown((desktop.bottom - desktop.top) - height);
    }
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCorvaneInstallerDlg::AddPage(std::unique_ptr<BaseDialog> page) {
    if (page->CreatePage(Handle(), &background_)) {
        const auto id = static_cast<unsigned>(page->TemplateId());
        SetWindowPos(page->Handle(), nullptr, 0, kPageTop, ClientRect().right, PageHeight(id),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        navigator_.Add(id, *page);
    }
    pages_.push_back(std::move(page));
}

void CCorvaneInstallerDlg::MakeOtherPages() {
    if (license_) return;
    UpdateWindow(Handle());  // the first page on screen before the work starts
    auto license = std::make_unique<PageLicense>(session_);
    license_ = license.get();
    AddPage(std::move(license));
    AddPage(std::make_unique<PageSelectComponents>(session_));
    auto download = std::make_unique<PageDownloadInstall>(session_);
    download_ = download.get();
    AddPage(std::move(download));
    AddPage(std::make_unique<PageSendEmail>(session_));
    AddPage(std::make_unique<PageFinish>(session_));
    // Each new page applied the language to the whole wizard, which gives the
    // buttons their ordinary captions back.
    if (navigator_.Current() == Wizard::kPageInstalled) ApplyInstalledLayout();
}

Wizard::PageNavigator& CCorvaneInstallerDlg::AllPages() {
    // A message sent from another thread (an accessibility tool, a test
    // driver) is handled before the posted one that makes the pages.
    MakeOtherPages();
    return navigator_;
}

void CCorvaneInstallerDlg::SkinButtons() {
    for (PngButton* button : {&next_, &back_, &cancel_}) {
        button->SetImages(kButtonNormal, kButtonHover, kButtonPressed, Handle());
        button->SetBackgroundImage(kDownloadBackgroundImage);
        button->SetTextColors(kCaptionColour, kCaptionColour, kDisabledCaptionColour);
        button->SetTextOffset(0, 4);
    }
}

void CCorvaneInstallerDlg::ApplyLanguage(LanguageId language) {
    session_.language.Set_Text({IDC_MAIN_CANCEL, IDC_MAIN_BACK, IDC_MAIN_NEXT}, Handle(), language);
}

bool CCorvaneInstallerDlg::PreTranslateMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        // Return is Next on every page, except on the licence page before the
        // licence is accepted.
        if (navigator_.Current() == 0) return true;  // no page yet
        if (navigator_.Current() == Wizard::kPageLicense && license_ && !license_->IsAccepted()) return true;
        AllPages().Next(Wizard::kForward);
    }
    return Framework::Dialog::PreTranslateMessage(message);
}

bool CCorvaneInstallerDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_MAIN_NEXT: OnNextButton(); return true;
            case IDC_MAIN_BACK: OnBackButton(); return true;
            case IDC_MAIN_CANCEL:
            case ID_MAIN_CANCEL_COMMAND: OnCancelButton(); return true;
            case IDHELP: return true;
            default: break;
        }
    }
    return Framework::Dialog::OnCommand(id, code, control);
}

LRESULT CCorvaneInstallerDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WIZARD_SHOW_PAGE: AllPages().ShowPage(static_cast<unsigned>(wParam)); return 0;
        case WM_WIZARD_BUTTONS: Wizard::ApplyButtonFlags(static_cast<std::uint32_t>(wParam), *this); return 0;
        case WM_WIZARD_PAGE_SHOWN: return OnPageShown(static_cast<unsigned>(wParam));
        case WM_WIZARD_NEXT: AllPages().Next(static_cast<int>(wParam)); return 0;
        case WM_WIZARD_CLOSE: EndDialog(0); return 0;
        case WM_WIZARD_BACK: AllPages().Back(); return 0;
        case WM_WIZARD_VERSION_KNOWN: ShowFirstPage(); return 0;
        case WM_WIZARD_MAKE_PAGES: MakeOtherPages(); return 0;
        case WM_TIMER:
            if (wParam != kFirstPageTimer) return Framework::Dialog::WindowProc(message, wParam, lParam);
            ShowFirstPage();
            return 0;
        case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_NCHITTEST: return OnNcHitTest(wParam, lParam);
        case WM_PAINT: return OnPaint();
        case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(bigIcon_.Get());
        case WM_HELP: return TRUE;
        default: return Framework::Dialog::WindowProc(message, wParam, lParam);
    }
}

void CCorvaneInstallerDlg::OnNextButton() { AllPages().Next(Wizard::kForward); }

void CCorvaneInstallerDlg::OnBackButton() {
    // On the send-by-e-mail page the button reads "Skip" and moves on.
    if (navigator_.Current() == Wizard::kPageSendEmail) {
        AllPages().Next(Wizard::kSkip);
        return;
    }
    const unsigned shown = AllPages().Back();
    if (shown == 0) EnableButton(WizardButton::Back, false);
    if (shown != Wizard::kPageWelcome) EnableButton(WizardButton::Next, true);
}

void CCorvaneInstallerDlg::OnCancelButton() {
    const bool downloading = navigator_.Current() == Wizard::kPageDownloadInstall && download_;
    if (downloading) download_->PauseDownload();
    const int answer = RunExitDialog();
    if (downloading) download_->ResumeDownload();
    if (answer == 1) EndDialog(0);
}

int CCorvaneInstallerDlg::RunExitDialog() {
    ModalDialog::Exit dialog(session_.language, Wizard::Statistics::ExitConfirmedReport(session_.statistics));
    return static_cast<int>(dialog.DoModal(Handle()));
}

LRESULT CCorvaneInstallerDlg::OnPageShown(unsigned id) {
    using namespace Wizard;
    if (id == kPageWelcome) {
        ApplyButtonFlags(ButtonFlag::HideAll, *this);
        return 0;
    }
    if (id == kPageDownloadInstall) {
        background_.LoadFromResource(kDownloadBackgroundImage);
        SetButtonsBackground(kDownloadBackgroundImage);
        RepaintAll();
        return 0;
    }
    background_.LoadFromResource(kBackgroundImage);
    SetButtonsBackground(kBackgroundImage);
    if (id == kPageLicense) ApplyButtonFlags(ButtonFlag::ShowAll | ButtonFlag::LicenseLayout, *this);
    if (id == kPageSendEmail || id == kPageFinish) RepaintAll();
    return 0;
}

void CCorvaneInstallerDlg::SetButtonsBackground(int imageId) {
    for (PngButton* button : {&next_, &back_, &cancel_}) button->SetBackgroundImage(imageId);
}

void CCorvaneInstallerDlg::RepaintAll() {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT CCorvaneInstallerDlg::OnEraseBackground(HDC dc) {
    Framework::UniqueGraphics graphics = Framework::GraphicsFor(dc);
    background_.Draw(graphics.Get(), 0, 0);
    return 1;
}

LRESULT CCorvaneInstallerDlg::OnNcHitTest(WPARAM wParam, LPARAM lParam) {
    // Dragged by any point that is not a control.
    const LRESULT hit = Framework::Dialog::WindowProc(WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT CCorvaneInstallerDlg::OnPaint() {
    if (!IsIconic(Handle())) return Framework::Dialog::WindowProc(WM_PAINT, 0, 0);
    Framework::PaintDC paint(Handle());
    const RECT client = ClientRect();
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.Get(), x, y, bigIcon_.Get());
    return 0;
}

void CCorvaneInstallerDlg::SendWizardMessage(unsigned message, std::uintptr_t wParam) {
    SendMessageW(Handle(), message, static_cast<WPARAM>(wParam), 0);
}

void CCorvaneInstallerDlg::ShowLowSpaceWarning() {
    MessageBoxW(Handle(), kLowSpaceMessage, kMessageTitle, MB_OK | MB_ICONEXCLAMATION);
}

PngButton& CCorvaneInstallerDlg::ButtonOf(WizardButton button) {
    switch (button) {
        case WizardButton::Next: return next_;
        case WizardButton::Back: return back_;
        default: return cancel_;
    }
}

void CCorvaneInstallerDlg::ShowButton(WizardButton button, bool show) {
    ShowWindow(ButtonOf(button).Handle(), show ? SW_SHOWNA : SW_HIDE);
}

void CCorvaneInstallerDlg::EnableButton(WizardButton button, bool enable) {
    EnableWindow(ButtonOf(button).Handle(), enable ? TRUE : FALSE);
}

void CCorvaneInstallerDlg::SetButtonCaption(WizardButton button, int textId) {
    SetWindowTextW(ButtonOf(button).Handle(), Common::AsWide(session_.language.Get_Text(textId)));
    ButtonOf(button).Invalidate(false);
}

void CCorvaneInstallerDlg::MoveButton(WizardButton button, int x, int y) {
    SetWindowPos(ButtonOf(button).Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
