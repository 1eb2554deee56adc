#include "wizard/PageLicense.h"

#include <richedit.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/WideText.h"
#include "configuration/InstallerConfig.h"
#include "controls/CSkinScrollWnd.h"
#include "language/AsLanguage_Manager.h"
#include "resource.h"
#include "wizard/PageTexts.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardStatistics.h"
#include "SkinImageIds.h"

namespace {

constexpr COLORREF kFolderColour = RGB(196, 220, 235);
constexpr COLORREF kFrameColour = RGB(5, 146, 254);
constexpr int kInstallTypeText = 72;
constexpr std::uint32_t kEnableNext = 0x10;
constexpr std::uint32_t kDisableNext = 0x20;
constexpr int kSmallButtonNormal = IDPNG_BUTTON_SMALL_NORMAL, kSmallButtonHover = IDPNG_BUTTON_SMALL_HOVER,
              kSmallButtonPressed = IDPNG_BUTTON_SMALL_PRESSED;
constexpr int kButtonBackground = IDPNG_WIZARD_BACKGROUND_STAGE;

constexpr ControlPlace kPlaces[] = {
    {IDC_LICENSE_TEXT, 150, 148, 509, 150},
    {IDC_LICENSE_ACCEPT_LABEL, 171, 314},
    {IDC_LICENSE_ACCEPT, 152, 314, 13, 13},
    // As wide as the column before the radio buttons: the Japanese text needs it.
    {IDC_LICENSE_INSTALL_TYPE_LABEL, 150, 340, 149, 15},
    {IDC_LICENSE_TYPICAL, 299, 338, 16, 16},
    {IDC_LICENSE_TYPICAL_LABEL, 315, 338},
    {IDC_LICENSE_CUSTOM, 407, 338, 16, 16},
    {IDC_LICENSE_CUSTOM_LABEL, 425, 338},
    {IDC_LICENSE_FOLDER_LABEL, 150, 361},
    {IDC_LICENSE_FOLDER, 299, 361},
    {IDC_LICENSE_BROWSE, 557, 356},
    {IDC_LICENSE_SPACE_AVAILABLE_LABEL, 150, 384},
    {IDC_LICENSE_SPACE_AVAILABLE, 300, 384},
    {IDC_LICENSE_SPACE_REQUIRED_LABEL, 150, 406},
    {IDC_LICENSE_SPACE_REQUIRED, 300, 406},
    {IDC_LICENSE_SPARE_BUTTON, 557, 384},
};

// The labels in the order of PageLicense::labels_, with their looks.
enum class Look { Heading, BodyText };
struct LabelSetup {
    int id;
    Look look;
};
constexpr std::array<LabelSetup, 9> kLabels{{
    {IDC_LICENSE_ACCEPT_LABEL, Look::BodyText},
    {IDC_LICENSE_INSTALL_TYPE_LABEL, Look::Heading},
    {IDC_LICENSE_TYPICAL_LABEL, Look::BodyText},
    {IDC_LICENSE_CUSTOM_LABEL, Look::BodyText},
    {IDC_LICENSE_FOLDER_LABEL, Look::Heading},
    {IDC_LICENSE_SPACE_AVAILABLE_LABEL, Look::Heading},
    {IDC_LICENSE_SPACE_AVAILABLE, Look::BodyText},
    {IDC_LICENSE_SPACE_REQUIRED_LABEL, Look::Heading},
    {IDC_LICENSE_SPACE_REQUIRED, Look::BodyText},
}};
constexpr std::size_t kInstallTypeLabel = 1;
constexpr std::size_t kSpaceAvailableLabel = 6;

int LicenceResource(LanguageId language) {
    switch (language) {
        case Language::French: return IDR_EULA_FR;
        case Language::German: return IDR_EULA_DE;
        case Language::Spanish: return IDR_EULA_ES;
        case Language::Italian: return IDR_EULA_IT;
        case Language::Japanese: return IDR_EULA_JA;
        default: return IDR_EULA_EN;
    }
}

HFONT CreateFolderFont() {
    LOGFONTW font{};
    font.lfHeight = 14;
    font.lfWeight = FW_BOLD;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = FF_SWISS;
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

// Feeds the rich edit box the bytes of an RTF resource.
struct StreamSource {
    const char* bytes;
    std::size_t size;
    std::size_t offset = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const std::size_t left = source->size - source->offset;
    const std::size_t count = std::min<std::size_t>(left, wanted > 0 ? static_cast<std::size_t>(wanted) : 0);
    std::memcpy(buffer, source->bytes + source->offset, count);
    source->offset += count;
    *given = static_cast<LONG>(count);
    return 0;
}

// The shell folder chooser: the chosen folder's path, or empty.
std::u16string ChooseFolder(HWND owner) {
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = L"";
    browse.ulFlags = BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen) return {};
    std::unique_ptr<ITEMIDLIST, decltype(&CoTaskMemFree)> owned(chosen, CoTaskMemFree);
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen, path)) return {};
    return Common::FromWide(path);
}


}  // namespace

PageLicense::PageLicense(Installation::Session& session)
    : BaseDialog(IDD_PAGE_LICENSE, session), config_(session.config), folderFont_(CreateFolderFont()) {}

BOOL PageLicense::OnInitDialog() {
    BaseDialog::OnInitDialog();
    for (std::size_t i = 0; i < labels_.size(); ++i) labels_[i].SubclassDlgItem(kLabels[i].id, Handle());
    accept_.SubclassDlgItem(IDC_LICENSE_ACCEPT, Handle());
    browse_.SubclassDlgItem(IDC_LICENSE_BROWSE, Handle());
    spare_.SubclassDlgItem(IDC_LICENSE_SPARE_BUTTON, Handle());
    licenceBox_ = Item(IDC_LICENSE_TEXT);
    SendDlgItemMessageW(Handle(), IDC_LICENSE_FOLDER, WM_SETFONT, reinterpret_cast<WPARAM>(folderFont_.Get()), FALSE);

    SetInstallDir(config_.DefaultInstallDir());
    for (std::size_t i = 0; i < labels_.size(); ++i)
        ApplyLabelStyle(labels_[i], kLabels[i].look == Look::Heading ? Controls::LabelPreset::Heading
                                                                      : Controls::LabelPreset::BodyText);
    Refresh(true);

    HWND mainWindow = GetParent(Handle());
    for (auto [button, offsetY] : {std::pair{&browse_, 3}, std::pair{&spare_, 4}}) {
        button->SetImages(kSmallButtonNormal, kSmallButtonHover, kSmallButtonPressed, mainWindow);
        button->SetBackgroundImage(kButtonBackground);
        button->SetTextOffset(0, offsetY);
    }

    scrollSkin_.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kScrollSkin), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (licenceBox_) AttachSkinnedScrollBars(licenceBox_, std::make_unique<CSkinScrollWnd>(), scrollSkin_.Get());
    PlaceControls();

    for (int id : {IDC_LICENSE_INSTALL_TYPE_LABEL, IDC_LICENSE_TYPICAL_LABEL, IDC_LICENSE_CUSTOM_LABEL,
                   IDC_LICENSE_TYPICAL, IDC_LICENSE_CUSTOM})
        ShowWindow(Item(id), SW_SHOWNA);
    CheckRadioButton(Handle(), IDC_LICENSE_TYPICAL, IDC_LICENSE_CUSTOM, IDC_LICENSE_TYPICAL);
    config_.SetCustomInstall(false);
    SendMessageW(accept_.Handle(), BM_SETCHECK, BST_CHECKED, 0);  // the licence starts accepted
    if (licenceBox_) SendMessageW(licenceBox_, EM_SETBKGNDCOLOR, 0, RGB(0, 0, 0));
    ApplyLanguage(Languages().Current_Language());
    return TRUE;
}

void PageLicense::PlaceControls() {
    // After the wrapping the scroll frame carries the licence box's id.
    BaseDialog::PlaceControls(kPlaces);
    if (HWND frame = Item(IDC_LICENSE_TEXT)) {
        RECT rect{};
        GetWindowRect(frame, &rect);
        MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&rect), 2);
        InflateRect(&rect, 1, 1);
        licenceFrame_ = rect;
    }
}

void PageLicense::ApplyLanguage(LanguageId language) {
    Wizard::SetPageTexts(Languages(), Handle(),
                         {IDC_LICENSE_ACCEPT_LABEL, IDC_LICENSE_FOLDER_LABEL, IDC_LICENSE_SPACE_AVAILABLE_LABEL,
                          IDC_LICENSE_SPACE_REQUIRED_LABEL, IDC_LICENSE_BROWSE, IDC_LICENSE_TYPICAL_LABEL,
                          IDC_LICENSE_CUSTOM_LABEL},
                         language);
    for (CLabel& label : labels_) Wizard::FollowLanguageScript(label, language);
    if (labels_[kInstallTypeLabel].IsBound())
        labels_[kInstallTypeLabel].SetText(Languages().Find_Entry(kInstallTypeText, language).text);
    LoadLicence(language);
}

void PageLicense::LoadLicence(LanguageId language) {
    if (!licenceBox_) return;
    std::size_t size = 0;
    const void* bytes = FindResourceBytes(GetModuleHandleW(nullptr), LicenceResource(language), L"RTF", size);
    if (!bytes || size == 0) return;  // the previous text stays
    // Streamed as RTF: given as window text, the box would show the markup itself.
    StreamSource source{static_cast<const char*>(bytes), size};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
    SendMessageW(licenceBox_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    SendMessageW(licenceBox_, EM_SETSEL, 0, 0);
    SendMessageW(licenceBox_, WM_VSCROLL, SB_TOP, 0);
}

void PageLicense::Refresh(bool redraw) {
    wchar_t folder[MAX_PATH] = {};
    GetDlgItemTextW(Handle(), IDC_LICENSE_FOLDER, folder, MAX_PATH);
    const auto check = config_.CheckFreeSpace(Common::FromWide(folder));
    if (!check) return;  // the drive cannot be read: the verdict and the text stay
    enoughSpace_ = check->enough;
    if (!redraw) return;
    labels_[kSpaceAvailableLabel].SetText(check->text);
    if (HWND mainWindow = GetParent(Handle()))
        RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool PageLicense::IsAccepted() const {
    return Handle() && IsDlgButtonChecked(Handle(), IDC_LICENSE_ACCEPT) == BST_CHECKED;
}

void PageLicense::ReportAcceptance() {
    const bool accepted = IsAccepted();
    Wizard::Statistics::RecordLicenceAccepted(session_.statistics, accepted);
    const std::uint32_t flags = accepted ? kEnableNext : kDisableNext;
    HWND mainWindow = GetParent(Handle());
    SendMessageW(mainWindow, WM_WIZARD_BUTTONS, flags, 0);
    // Back from the component page enables Next after the page is shown;
    // the posted copy lands after that, so Next follows the box.
    PostMessageW(mainWindow, WM_WIZARD_BUTTONS, flags, 0);
}

void PageLicense::SetInstallDir(const std::u16string& dir) {
    SetDlgItemTextW(Handle(), IDC_LICENSE_FOLDER, Common::AsWide(dir));
    config_.SetInstallDir(dir);
}

void PageLicense::OnBrowse() {
    const std::u16string folder = ChooseFolder(Handle());
    if (!folder.empty()) SetInstallDir(InstallDirInFolder(folder));
    Refresh(true);
}

bool PageLicense::OnCommand(WORD id, WORD code, HWND control) {
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_LICENSE_ACCEPT: ReportAcceptance(); return true;
            case IDC_LICENSE_BROWSE: OnBrowse(); return true;
            case IDC_LICENSE_TYPICAL: config_.SetCustomInstall(false); return true;
            case IDC_LICENSE_CUSTOM: config_.SetCustomInstall(true); return true;
            default: break;
        }
    }
    return BaseDialog::OnCommand(id, code, control);
}

LRESULT PageLicense::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam) {
                Wizard::Statistics::RecordLastStep(session_.statistics, kLastStep);
                ReportAcceptance();
            }
            break;
        case WM_WINDOWPOSCHANGED: PlaceControls(); break;
        case WM_PAINT: return OnPaint();
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT: return OnControlColour(message, wParam, lParam);
        case WM_DESTROY:
            if (licenceBox_) DetachSkinnedScrollBars(licenceBox_);
            scrollSkin_.Reset();
            break;
        default: break;
    }
    return BaseDialog::WindowProc(message, wParam, lParam);
}

LRESULT PageLicense::OnPaint() {
    Framework::PaintDC paint(Handle());
    {
        Framework::UniqueGraphics graphics = Framework::GraphicsFor(paint.Get());
        DrawLanguageLogo(graphics.Get());
    }
    // A one-pixel blue border around the licence box.
    Framework::SavedDcState saved(paint.Get());
    RECT inner = licenceFrame_;
    InflateRect(&inner, -1, -1);
    ExcludeClipRect(paint.Get(), inner.left, inner.top, inner.right, inner.bottom);
    Framework::UniqueBrush frame(CreateSolidBrush(kFrameColour));
    FillRect(paint.Get(), &licenceFrame_, frame.Get());
    return 0;
}

LRESULT PageLicense::OnControlColour(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    if (ReflectToChild(message, wParam, lParam, reflected)) return reflected;
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (reinterpret_cast<HWND>(lParam) == Item(IDC_LICENSE_FOLDER)) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kFolderColour);
        SelectObject(dc, folderFont_.Get());
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
}
