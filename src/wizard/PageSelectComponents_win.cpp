#include "wizard/PageSelectComponents.h"

#include <memory>

#include "common/OfficeDetection.h"
#include "configuration/ComponentList.h"
#include "configuration/InstallerConfig.h"
#include "controls/CSkinScrollWnd.h"
#include "language/AsLanguage_Manager.h"
#include "resource.h"
#include "sysinfo/BrowserFlags.h"
#include "wizard/WizardIds.h"
#include "wizard/WizardStatistics.h"
#include "SkinImageIds.h"

namespace {

constexpr COLORREF kFrameColour = RGB(5, 146, 254);
// From this many entries on the list scrolls and the border leaves room for the bar.
constexpr int kEntriesWithScrollBar = 7;
constexpr int kScrollBarRoom = 14;
constexpr int kSmallButtonNormal = IDPNG_BUTTON_SMALL_NORMAL, kSmallButtonHover = IDPNG_BUTTON_SMALL_HOVER,
              kSmallButtonPressed = IDPNG_BUTTON_SMALL_PRESSED;
constexpr int kButtonBackground = IDPNG_WIZARD_BACKGROUND_STAGE;
constexpr POINT kRightButtonPlace{560, 413}, kLeftButtonPlace{456, 413};


}  // namespace

std::u16string ComponentMarkup(const std::u16string& title, const std::u16string& description) {
    return u"<b><font color=\"#c4dceb\"> " + title + u"</font></b> <br> <font color=\"#1487DC\" size=\"2\"> " +
           description + u"</font>";
}

PageSelectComponents::PageSelectComponents(Installation::Session& session)
    : BaseDialog(IDD_PAGE_SELECT_COMPONENTS, session), config_(session.config) {}

BOOL PageSelectComponents::OnInitDialog() {
    BaseDialog::OnInitDialog();
    if (list_.Create(kListRect, Handle())) list_.SetCheckBoxes();

    HWND mainWindow = GetParent(Handle());
    const int ids[] = {IDC_COMPONENTS_SPARE_RIGHT, IDC_COMPONENTS_SPARE_LEFT};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i].SubclassDlgItem(ids[i], Handle());
        buttons_[i].SetImages(kSmallButtonNormal, kSmallButtonHover, kSmallButtonPressed, mainWindow);
        buttons_[i].SetBackgroundImage(kButtonBackground);
        buttons_[i].SetTextOffset(0, 4);
    }
    BuildList();
    scrollSkin_.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kScrollSkin), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (list_.Handle()) AttachSkinnedScrollBars(list_.Handle(), std::make_unique<CSkinScrollWnd>(), scrollSkin_.Get());
    return TRUE;
}

void PageSelectComponents::BuildList() {
    if (!list_.Handle()) return;
    // The browser bits share the detection mask with the Office ones.
    const std::uint32_t detected = Common::DetectInstalledApplications() | BrowserFlags();
    const AsLanguage_Manager& languages = Languages();
    list_.SetFontCharSet(languages.Current_Language() == Language::Japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET);
    for (const ComponentEntry& entry : ComponentEntries()) {
        if (entry.detectedBy != 0 && (detected & entry.detectedBy) == 0) continue;
        const int id = list_.InsertItem(
            ComponentMarkup(languages.Get_Text(entry.titleText), languages.Get_Text(entry.descriptionText)));
        if (HTMLLIST_ITEM* item = list_.FindItem(id)) {
            item->userValue = static_cast<int>(entry.featureBit);
            item->checked = true;
            list_.InvalidateItem(id);
        }
    }
    list_.Invalidate();
}

void PageSelectComponents::OnPositionChanged() {
    if (!list_.Handle()) return;
    // The frame of the skinned scroll bars stands where the list was created.
    HWND frame = GetParent(GetParent(list_.Handle()));
    if (frame != Handle())
        SetWindowPos(frame, nullptr, kListRect.left, kListRect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Rebuilt each time the page is shown: every entry starts ticked.
    list_.DeleteAllItems();
    BuildList();
    for (auto [button, place] : {std::pair{&buttons_[0], kRightButtonPlace}, std::pair{&buttons_[1], kLeftButtonPlace}})
        SetWindowPos(button->Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PageSelectComponents::OnEnterPage(int direction) {
    Wizard::Statistics::RecordLastStep(session_.statistics, kLastStep);
    if (config_.CustomInstall()) return;
    // A typical installation has nothing to choose here.
    SendMessageW(GetParent(Handle()), direction == Wizard::kEnteredForward ? WM_WIZARD_NEXT : WM_WIZARD_BACK,
                 Wizard::kForward, 0);
}

void PageSelectComponents::OnLeaveForward(int) {
    std::uint32_t bits = 0;
    for (const HTMLLIST_ITEM& item : list_.Items())
        if (item.checked) bits |= static_cast<std::uint32_t>(item.userValue);
    config_.BuildFeatureString(bits);
    Wizard::Statistics::RecordFeatureFlags(session_.statistics, config_.FeatureFlags());
}

LRESULT PageSelectComponents::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGED: OnPositionChanged(); break;
        case WM_PAINT: return OnPaint();
        case WM_DESTROY:
            if (list_.Handle()) DetachSkinnedScrollBars(list_.Handle());
            scrollSkin_.Reset();
            break;
        default: break;
    }
    return BaseDialog::WindowProc(message, wParam, lParam);
}

LRESULT PageSelectComponents::OnPaint() {
    Framework::PaintDC paint(Handle());
    {
        Framework::UniqueGraphics graphics = Framework::GraphicsFor(paint.Get());
        DrawLanguageLogo(graphics.Get());
    }
    // A blue border around the list, wider on the right when the list scrolls.
    RECT border = kListRect;
    border.left -= 1;
    border.top -= 1;
    border.bottom += 1;
    border.right += list_.ItemCount() >= kEntriesWithScrollBar ? kScrollBarRoom : 1;
    Framework::SavedDcState saved(paint.Get());
    ExcludeClipRect(paint.Get(), kListRect.left, kListRect.top, kListRect.right, kListRect.bottom);
    Framework::UniqueBrush frame(CreateSolidBrush(kFrameColour));
    FillRect(paint.Get(), &border, frame.Get());
    return 0;
}
