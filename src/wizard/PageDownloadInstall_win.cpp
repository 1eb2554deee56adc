#include "wizard/PageDownloadInstall.h"

#include <windows.h>

#include "controls/CarouselGeometry.h"
#include "framework/GdiHandles.h"
#include "common/InstallationLog.h"
#include "common/WideText.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"
#include "resource.h"
#include "wizard/ErrorDialog.h"
#include "wizard/ExitDialog.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardStatistics.h"

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

std::u16string TextOf(const AsLanguage_Manager& languages, std::int32_t item) {
    return item ? languages.Get_Text(item) : u"";
}

HWND MainWindow(HWND page) { return GetParent(page); }

}  // namespace

PageDownloadInstall::PageDownloadInstall(Installation::Session& session)
    : BaseDialog(IDD_PAGE_DOWNLOAD_INSTALL, session) {}

PageDownloadInstall::~PageDownloadInstall() {
    StopWork();
    job_.reset();           // its thread ends while the window parts it talks to are here
    carouselTimer_.reset();  // no step is started once the page goes
}

void PageDownloadInstall::StopWork() {
    // The wizard may end while the work runs: the job stops for good and
    // installs nothing more, and a question it waits for is answered Cancel.
    closing_ = true;
    if (job_) job_->Stop();
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
    ApplyLanguage(Languages().Current_Language());
    Layout();
    return TRUE;
}

void PageDownloadInstall::ApplyLanguage(LanguageId language) {
    if (Handle()) Languages().Set_Text({IDC_DOWNLOAD_CANCEL}, Handle(), language);
}

void PageDownloadInstall::Layout() {
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(progress_.Handle(), nullptr, 134, 460, 443, 11, flags);
    SetWindowPos(banner_.Handle(), nullptr, 9, 452, 0, 0, flags | SWP_NOSIZE);
    SetWindowPos(carousel_.Handle(), nullptr, 0, 0, 788, 439, flags);
    SetWindowPos(cancel_.Handle(), nullptr, 584, 440, 0, 0, flags | SWP_NOSIZE);
}

void PageDownloadInstall::OnEnterPage(int) {
    if (job_) return;  // the work runs once
    const AsLanguage_Manager& languages = Languages();
    for (const auto& item : kCarouselItems) {
        carousel_.AddTextItem(TextOf(languages, item.title), TextOf(languages, item.lines[0]),
                              TextOf(languages, item.lines[1]), TextOf(languages, item.lines[2]),
                              TextOf(languages, item.lines[3]));
    }
    carousel_.SetTitleImage(Controls::CarouselTitleImage(Languages().Current_Language()));
    EnableWindow(cancel_.Handle(), FALSE);
    Installation::InstallationDisplay& display = *this;
    job_ = std::make_unique<Installation::InstallationJob>(session_, display);
    ApplyView();
    job_->Start();
}

void PageDownloadInstall::PauseDownload() {
    if (job_) job_->Pause(true);
}

void PageDownloadInstall::ResumeDownload() {
    if (job_) job_->Pause(false);
}

bool PageDownloadInstall::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_DOWNLOAD_CANCEL && code == BN_CLICKED) {
        OnCancelClicked();
        return true;
    }
    return BaseDialog::OnCommand(id, code, control);
}

void PageDownloadInstall::OnCancelClicked() {
    if (job_) job_->RecordUserCancel();
    PauseDownload();
    const INT_PTR answer = ModalDialog::Exit(Languages(), Wizard::Statistics::ExitConfirmedReport(session_.statistics))
                               .DoModal(MainWindow(Handle()));
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
    const std::u16string status = job_ ? job_->Progress().status : std::u16string();
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
    if (!job_) return;
    const Installation::DownloadProgressModel::View view = job_->Progress();
    if (view.sweeping && !progress_.IsSweeping()) progress_.StartSweeping();
    if (!view.sweeping && progress_.IsSweeping()) progress_.StopSweeping();
    progress_.SetPercent(view.value);
    RECT area = kStatusArea;
    InvalidateRect(Handle(), &area, TRUE);
}

void PageDownloadInstall::OnTimer(Framework::Timer&) { carousel_.StartStep(); }

// --- InstallationDisplay ---

void PageDownloadInstall::ProgressChanged() { PostMessageW(Handle(), kViewChanged, 0, 0); }

void PageDownloadInstall::EnableCancel(bool enabled) { PostMessageW(Handle(), kEnableCancel, enabled, 0); }

void PageDownloadInstall::SetDownloading(bool downloading) {
    // The timer service hands the worker's requests to its window's thread;
    // a new download starts the eight seconds afresh.
    carouselTimer_->Stop();
    if (!downloading) return;
    carouselTimer_->Start(static_cast<unsigned>(kCarouselPeriod.count()));
}

Installation::ErrorChoice PageDownloadInstall::ShowError(const std::u16string& text,
                                                         Installation::ErrorButtons buttons) {
    auto request = std::make_shared<ErrorRequest>();
    request->text = text;
    request->buttons = buttons == Installation::ErrorButtons::CancelRetry
                           ? ModalDialog::Error::kCancel | ModalDialog::Error::kRetry
                           : ModalDialog::Error::kClose;
    std::unique_lock<std::mutex> lock(errorLock_);
    pendingError_ = request;
    if (GetWindowThreadProcessId(Handle(), nullptr) == GetCurrentThreadId()) {
        lock.unlock();
        AnswerErrorRequest();
        lock.lock();
    } else if (closing_ || !PostMessageW(Handle(), kShowError, 0, 0)) return Installation::ErrorChoice::Cancel;
    // A wizard that goes away meanwhile answers Cancel: its window will not.
    errorAnswered_.wait(lock, [&] { return request->answered || closing_; });
    pendingError_.reset();
    return request->retry ? Installation::ErrorChoice::Retry : Installation::ErrorChoice::Cancel;
}

void PageDownloadInstall::AnswerErrorRequest() {
    std::shared_ptr<ErrorRequest> request;
    {
        std::lock_guard<std::mutex> lock(errorLock_);
        request = pendingError_;
    }
    if (!request) return;
    ModalDialog::Error dialog(Languages(), request->text, request->buttons,
                              Wizard::Statistics::GivenUpReport(session_.statistics));
    if (session_.log) dialog.SetLogPath(session_.log->Path());  // so that the user can send it
    const INT_PTR result = dialog.DoModal(MainWindow(Handle()));
    {
        std::lock_guard<std::mutex> lock(errorLock_);
        request->answered = true;
        request->retry = result == ModalDialog::Error::kRetried;
    }
    errorAnswered_.notify_all();
}

void PageDownloadInstall::CloseWizard() { PostMessageW(MainWindow(Handle()), WM_WIZARD_CLOSE, 0, 0); }

void PageDownloadInstall::MoveToNextPage() { SendMessageW(MainWindow(Handle()), WM_WIZARD_NEXT, 0, 0); }
