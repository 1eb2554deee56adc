#include "wizard/PageDownloadInstall.h"

#include <windows.h>

#include "DeploymentValues.h"
#include "configuration/InstallerConfig.h"
#include "controls/CarouselGeometry.h"
#include "framework/GdiHandles.h"
#include "common/AnsiText.h"
#include "common/ProductIdentity.h"
#include "common/ProductQueries.h"
#include "common/SystemProgram.h"
#include "common/UninstallString.h"
#include "common/WideText.h"
#include "common/WinHandles.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"
#include "msi/Installer.h"
#include "msi/PackageDatabase.h"
#include "msi/PackagePublisher.h"
#include "msi/PackageSignature.h"
#include "resource.h"
#include "services/InstallationStatistics.h"
#include "common/VersionParse.h"
#include "wizard/ConfiguredVersionCheck.h"
#include "wizard/ErrorDialog.h"
#include "wizard/ExitDialog.h"
#include "wizard/WizardIds.h"

namespace {

constexpr RECT kStatusArea{135, 440, 570, 460};
constexpr COLORREF kStatusBackground = RGB(2, 21, 36);
constexpr COLORREF kStatusText = RGB(5, 146, 254);
constexpr auto kCarouselPeriod = std::chrono::milliseconds(8000);

struct CarouselItem {
    std::int32_t title;
    std::int32_t lines[4];  // 0: an empty line
};
constexpr CarouselItem kCarouselItems[] = {
    {20, {21, 22, 23, 0}}, {24, {25, 26, 27, 0}}, {28, {29, 30, 31, 0}}, {32, {33, 34, 35, 0}},
    {36, {37, 38, 39, 40}}, {41, {42, 43, 44, 0}}, {45, {46, 47, 48, 0}},
};

std::u16string TextOf(std::int32_t item) { return item ? LanguageManager().Get_Text(item) : u""; }

HWND MainWindow(HWND page) { return GetParent(page); }

}  // namespace

PageDownloadInstall::PageDownloadInstall(InstallerConfig& config)
    : BaseDialog(IDD_PAGE_DOWNLOAD_INSTALL), config_(config),
      downloader_([this](std::uint32_t percent, double received, double expected) {
          bool changed;
          {
              std::lock_guard<std::mutex> lock(viewLock_);
              changed = model_.OnDownloadProgress(percent, received, expected,
                                                  LanguageManager().Current_Language());
          }
          if (changed) PostViewChanged();
      }) {
    downloader_.OnReconnecting([this] { ShowStatus(LI_RECONNECTING); });
}

PageDownloadInstall::~PageDownloadInstall() {
    StopWork();
    if (worker_.joinable()) worker_.join();
    carouselTimer_.reset();  // no step is started once the page goes
}

void PageDownloadInstall::StopWork() {
    // The wizard may end while the work runs: the engine stops for good,
    // and the flag keeps the work from installing anything.
    closing_ = true;
    downloader_.RequestStop();
    downloader_.Pause(false);
    { std::lock_guard<std::mutex> lock(errorLock_); }  // a waiting worker sees the flag
    errorAnswered_.notify_all();
}

BOOL PageDownloadInstall::OnInitDialog() {
    BaseDialog::OnInitDialog();
    progress_.SubclassDlgItem(IDC_DOWNLOAD_PROGRESS, Handle());
    progress_.LoadImages();
    banner_.SubclassDlgItem(IDC_DOWNLOAD_BANNER, Handle());
    carousel_.SubclassDlgItem(IDC_DOWNLOAD_CAROUSEL, Handle());
    carouselTimer_ = std::make_unique<Framework::Timer>(static_cast<Framework::TimerEventHandler&>(*this), Handle());
    cancel_.SubclassDlgItem(IDC_DOWNLOAD_CANCEL, Handle());
    cancel_.SetImages(IDPNG_BUTTON_NORMAL, IDPNG_BUTTON_HOVER, IDPNG_BUTTON_PRESSED, Handle());
    cancel_.SetBackgroundImage(IDPNG_WIZARD_BACKGROUND_STAGE);
    cancel_.SetTextColors(RGB(3, 31, 72), RGB(3, 31, 72), RGB(81, 94, 105));
    cancel_.SetTextOffset(0, 4);
    ApplyLanguage(LanguageManager().Current_Language());
    Layout();
    return TRUE;
}

void PageDownloadInstall::ApplyLanguage(LanguageId language) {
    if (Handle()) LanguageManager().Set_Text({IDC_DOWNLOAD_CANCEL}, Handle(), language);
}

void PageDownloadInstall::Layout() {
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(progress_.Handle(), nullptr, 134, 460, 443, 11, flags);
    SetWindowPos(banner_.Handle(), nullptr, 9, 452, 0, 0, flags | SWP_NOSIZE);
    SetWindowPos(carousel_.Handle(), nullptr, 0, 0, 788, 439, flags);
    SetWindowPos(cancel_.Handle(), nullptr, 584, 440, 0, 0, flags | SWP_NOSIZE);
}

void PageDownloadInstall::OnEnterPage(int) {
    if (worker_.joinable()) return;  // the work runs once
    for (const auto& item : kCarouselItems) {
        carousel_.AddTextItem(TextOf(item.title), TextOf(item.lines[0]), TextOf(item.lines[1]),
                              TextOf(item.lines[2]), TextOf(item.lines[3]));
    }
    carousel_.SetTitleImage(Controls::CarouselTitleImage(LanguageManager().Current_Language()));
    EnableWindow(cancel_.Handle(), FALSE);
    SetSweeping(true);
    ApplyView();
    worker_ = std::thread([this] {
        try {
            Wizard::DownloadInstallWork(*this, *this, *this, *this).Run();
        } catch (...) {
            // Nothing may leave the thread; the wizard cannot go on.
            CloseWizard();
        }
        SetDownloading(false);
    });
}

void PageDownloadInstall::PauseDownload() { downloader_.Pause(true); }

void PageDownloadInstall::ResumeDownload() { downloader_.Pause(false); }

bool PageDownloadInstall::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_DOWNLOAD_CANCEL && code == BN_CLICKED) {
        OnCancelClicked();
        return true;
    }
    return BaseDialog::OnCommand(id, code, control);
}

void PageDownloadInstall::OnCancelClicked() {
    {
        auto& progress = TheInstallationStatistics().Progress();
        progress.lastStep = 2;
        progress.cancelReason = Wizard::kCancelledByUser;
        progress.downloadLink = Common::ToAnsi(config_.DownloadLink());
    }
    PauseDownload();
    const INT_PTR answer = ModalDialog::Exit().DoModal(MainWindow(Handle()));
    ResumeDownload();
    // A confirmed cancel is final, between two steps of the work as much as
    // during a transfer.
    if (answer == ModalDialog::Exit::kYes) StopWork();
}

LRESULT PageDownloadInstall::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            const LRESULT result = BaseDialog::WindowProc(message, wParam, lParam);
            PaintStatus(reinterpret_cast<HDC>(wParam));
            return result;
        }
        case WM_WINDOWPOSCHANGED:
            Layout();
            return BaseDialog::WindowProc(message, wParam, lParam);
        case kViewChanged:
            ApplyView();
            return 0;
        case WM_DESTROY:
            StopWork();  // as soon as the window goes, not when the wizard's objects do
            return BaseDialog::WindowProc(message, wParam, lParam);
        case kShowError:
            AnswerErrorRequest();
            return 0;
        case kEnableCancel:
            EnableWindow(cancel_.Handle(), wParam ? TRUE : FALSE);
            return 0;
        default:
            return BaseDialog::WindowProc(message, wParam, lParam);
    }
}

void PageDownloadInstall::PaintStatus(HDC dc) {
    std::u16string status;
    {
        std::lock_guard<std::mutex> lock(viewLock_);
        status = model_.Current().status;
    }
    RECT area = kStatusArea;
    Framework::UniqueBrush brush(CreateSolidBrush(kStatusBackground));
    FillRect(dc, &area, brush.Get());
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kStatusText);
    DrawTextW(dc, Common::AsWide(status), -1, &area, 0);
    SelectObject(dc, oldFont);
}

void PageDownloadInstall::ApplyView() {
    Wizard::DownloadProgressModel::View view;
    {
        std::lock_guard<std::mutex> lock(viewLock_);
        view = model_.Current();
    }
    if (view.sweeping && !progress_.IsSweeping()) progress_.StartSweeping();
    if (!view.sweeping && progress_.IsSweeping()) progress_.StopSweeping();
    progress_.SetPercent(view.value);
    RECT area = kStatusArea;
    InvalidateRect(Handle(), &area, TRUE);
}

void PageDownloadInstall::PostViewChanged() { PostMessageW(Handle(), kViewChanged, 0, 0); }

void PageDownloadInstall::OnTimer(Framework::Timer&) { carousel_.StartStep(); }

// --- DownloadInstallView ---

void PageDownloadInstall::ShowStatus(std::int32_t textItem) {
    {
        std::lock_guard<std::mutex> lock(viewLock_);
        model_.SetStatus(LanguageManager().Get_Text(textItem));
    }
    PostViewChanged();
}

void PageDownloadInstall::ResetProgress() {
    {
        std::lock_guard<std::mutex> lock(viewLock_);
        model_.StartPhase();
        if (downloadStartTick_ == 0) downloadStartTick_ = Download::TickCount();
    }
    PostViewChanged();
}

void PageDownloadInstall::SetSweeping(bool sweeping) {
    {
        std::lock_guard<std::mutex> lock(viewLock_);
        model_.SetSweeping(sweeping);
    }
    PostViewChanged();
}

void PageDownloadInstall::EnableCancel(bool enabled) { PostMessageW(Handle(), kEnableCancel, enabled, 0); }

void PageDownloadInstall::SetDownloading(bool downloading) {
    // The timer service hands the worker's requests to its window's thread;
    // a new download starts the eight seconds afresh.
    carouselTimer_->Stop();
    if (!downloading) return;
    downloadStartTick_ = Download::TickCount();
    carouselTimer_->Start(static_cast<unsigned>(kCarouselPeriod.count()));
}

Wizard::ErrorChoice PageDownloadInstall::ShowError(const std::u16string& text, Wizard::ErrorButtons buttons) {
    auto request = std::make_shared<ErrorRequest>();
    request->text = text;
    request->buttons = buttons == Wizard::ErrorButtons::CancelRetry
                           ? ModalDialog::Error::kCancel | ModalDialog::Error::kRetry
                           : ModalDialog::Error::kClose;
    std::unique_lock<std::mutex> lock(errorLock_);
    pendingError_ = request;
    if (GetWindowThreadProcessId(Handle(), nullptr) == GetCurrentThreadId()) {
        lock.unlock();
        AnswerErrorRequest();
        lock.lock();
    } else if (closing_ || !PostMessageW(Handle(), kShowError, 0, 0)) return Wizard::ErrorChoice::Cancel;
    // A wizard that goes away meanwhile answers Cancel: its window will not.
    errorAnswered_.wait(lock, [&] { return request->answered || closing_; });
    pendingError_.reset();
    return request->retry ? Wizard::ErrorChoice::Retry : Wizard::ErrorChoice::Cancel;
}

void PageDownloadInstall::AnswerErrorRequest() {
    std::shared_ptr<ErrorRequest> request;
    {
        std::lock_guard<std::mutex> lock(errorLock_);
        request = pendingError_;
    }
    if (!request) return;
    const INT_PTR result = ModalDialog::Error(request->text, request->buttons).DoModal(MainWindow(Handle()));
    {
        std::lock_guard<std::mutex> lock(errorLock_);
        request->answered = true;
        request->retry = result == ModalDialog::Error::kRetried;
    }
    errorAnswered_.notify_all();
}

void PageDownloadInstall::CloseWizard() { PostMessageW(MainWindow(Handle()), WM_WIZARD_CLOSE, 0, 0); }

void PageDownloadInstall::MoveToNextPage() { SendMessageW(MainWindow(Handle()), WM_WIZARD_NEXT, 0, 0); }

// --- InstallationReports ---

void PageDownloadInstall::RecordOutcome(Wizard::WorkPhase phase, int reason, const std::string& errorText) {
    int value;
    {
        std::lock_guard<std::mutex> lock(viewLock_);
        value = model_.Current().value;
    }
    measurements_.Take(downloadStartTick_, Download::TickCount(), downloader_.TargetPath());
    auto& progress = TheInstallationStatistics().Progress();
    progress.lastStep = 2;
    progress.cancelReason = reason;
    progress.downloadLink = Common::ToAnsi(config_.DownloadLink());
    progress.downloadErrorResult = downloader_.LastError();
    progress.installErrorResult = errorText;
    progress.downloadSeconds = measurements_.durationSeconds;
    progress.downloadFileSize = measurements_.fileSize;
    if (phase == Wizard::WorkPhase::Download) {
        progress.downloadProgress = static_cast<std::uint32_t>(value);
    } else {
        progress.installProgress = static_cast<std::uint32_t>(value);
    }
}

void PageDownloadInstall::ReportEnd(const std::u16string& path) { TheInstallationStatistics().ReportEnd(path); }

// --- configuration: the address for the PackageSource, the installation for the TargetMachine ---

std::u16string PageDownloadInstall::DownloadLink() { return config_.DownloadLink(); }

void PageDownloadInstall::ResetDownloadLink() { config_.ResetDownloadLink(); }

std::u16string PageDownloadInstall::DownloadFolder() { return config_.DownloadFolder(); }

std::u16string PageDownloadInstall::InstallCommandLine() {
    return config_.FeatureString() + u" ISCREATEQLSC=0 LAUNCHPRODUCT=0 MAKEDEFAULTAPP=0 INSTALLDIR=\"" +
           config_.InstallDir() + u"\"";
}

void PageDownloadInstall::SaveSettings() {
    LanguageManager().Save_Language();
    config_.SaveInstallDir();
    config_.SaveLinkSettings();
}

std::u16string PageDownloadInstall::ExpectedPackageDigest() { return config_.PackageDigestText(); }

// --- PackageSource: the download engine ---

void PageDownloadInstall::StopIfClosing() const {
    if (closing_) throw StopDownloading();
}

void PageDownloadInstall::SetUrl(const std::u16string& url) {
    StopIfClosing();
    downloader_.SetUrl(url);
}

std::u16string PageDownloadInstall::ResolveTargetPath(const std::u16string& folder) {
    StopIfClosing();
    return downloader_.ResolveTargetPath(folder);
}

std::u16string PageDownloadInstall::Download() {
    StopIfClosing();
    return downloader_.Download();
}

void PageDownloadInstall::TakeDownloadMeasurements() {
    measurements_.Take(downloadStartTick_, Download::TickCount(), downloader_.TargetPath());
    auto& progress = TheInstallationStatistics().Progress();
    progress.downloadSeconds = measurements_.durationSeconds;
    progress.downloadFileSize = measurements_.fileSize;
}

// --- TargetMachine ---

std::unique_ptr<Common::HeldFile> PageDownloadInstall::HoldPackage(const std::u16string& path) {
    return Common::HoldFile(path);
}

bool PageDownloadInstall::IsInstallerDatabase(const std::u16string& path) {
    if (path.empty()) return false;
    MSIInstaller::PackageDatabase database;
    return database.Open(path);
}

bool PageDownloadInstall::IsSignedByPublisher(const std::u16string& path) {
    const auto signer = MSIInstaller::TrustedPackageSigner(path);
    if (!signer || !MSIInstaller::SignerIsPublisher(*signer, Deployment::kPackagePublisher)) return false;
    const std::u16string& narrowed = config_.PackagePublisher();
    return narrowed.empty() || MSIInstaller::SignerIsPublisher(*signer, narrowed);
}

VersionComparison PageDownloadInstall::CompareInstalledVersion() { return ::CompareInstalledVersion(config_); }

std::u16string PageDownloadInstall::UninstallCommand() { return Common::FindUninstallString(); }

void PageDownloadInstall::RunAndWait(const std::u16string& commandLine) {
    StopIfClosing();
    std::u16string mutableLine = commandLine;
    // "MsiExec.exe /X{...}" is taken from the system folder, never from the
    // folder the installer was started from.
    const std::u16string program = Common::SystemProgramPath(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.empty() ? nullptr : Common::AsWide(program),
                        reinterpret_cast<wchar_t*>(mutableLine.data()), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return;  // best effort: the installation that follows reports its own failure
    }
    Common::UniqueHandle thread(process.hThread);
    Common::UniqueHandle child(process.hProcess);
    WaitForSingleObject(child.Get(), INFINITE);
}

VersionRecord PageDownloadInstall::InstalledVersion() {
    return Common::GetInstalledVersion(Product::kName).value_or(VersionRecord{});
}

std::optional<VersionRecord> PageDownloadInstall::PackageVersion(const std::u16string& path) {
    MSIInstaller::PackageDatabase database;
    std::u16string text;
    if (!database.Open(path) || !database.ReadProductVersion(text) || text.empty()) return std::nullopt;
    return ParseVersion(text);
}

void PageDownloadInstall::Install(const std::u16string& path, const std::u16string& commandLine) {
    StopIfClosing();
    MSIInstaller::Installer installer([this](std::int32_t percent) {
        bool changed;
        {
            std::lock_guard<std::mutex> lock(viewLock_);
            changed = model_.OnInstallProgress(percent);
        }
        if (changed) PostViewChanged();
    });
    installer.Install(path, commandLine);
}
