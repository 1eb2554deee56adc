#include "wizard/PageInstalled.h"

#include "language/AsLanguage_Manager.h"
#include "resource.h"
#include "wizard/PageTexts.h"
#include "wizard/WizardStatistics.h"

namespace {
constexpr int kSameVersionText = 4;
constexpr int kNewerVersionText = IDC_INSTALLED_MESSAGE;
}  // namespace

PageInstalled::PageInstalled(Installation::Session& session, VersionComparison comparison)
    : BaseDialog(IDD_PAGE_INSTALLED, session), comparison_(comparison) {
    pageImage_.LoadFromResource(kPageImage);
}

BOOL PageInstalled::OnInitDialog() {
    BaseDialog::OnInitDialog();
    message_.SubclassDlgItem(IDC_INSTALLED_MESSAGE, Handle());
    hint_.SubclassDlgItem(IDC_INSTALLED_HINT, Handle());
    ApplyLabelStyle(message_, Controls::LabelPreset::Heading);
    ApplyLabelStyle(hint_, Controls::LabelPreset::BodyText);
    const bool same = comparison_ == VersionComparison::SameInstalled;
    message_.SetText(Languages().Get_Text(same ? kSameVersionText : kNewerVersionText));
    ApplyLanguage(Languages().Current_Language());
    return TRUE;
}

void PageInstalled::ApplyLanguage(LanguageId language) {
    Wizard::SetPageTexts(Languages(), Handle(), {IDC_INSTALLED_HINT}, language);
    for (CLabel* label : {&message_, &hint_}) Wizard::FollowLanguageScript(*label, language);
}

LRESULT PageInstalled::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW && wParam) Wizard::Statistics::RecordLastStep(session_.statistics, kLastStep);
    return BaseDialog::WindowProc(message, wParam, lParam);
}
