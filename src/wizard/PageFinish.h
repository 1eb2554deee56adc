// The finish page (125): congratulates and offers a desktop shortcut, a
// Quick Launch shortcut, the product as the default program for PDF files
// and the start of the product, all ticked at first. "Finish" does what is
// ticked, opens the thank-you page in the browser, sends the user's contact
// details and ends the wizard; none of these failing keeps it open.
#pragma once

#include <array>

#include "controls/CCheckBox.h"
#include "controls/CLabel.h"
#include "wizard/BaseDialog.h"

class InstallerConfig;

class PageFinish : public BaseDialog {
public:
    static constexpr int kLastStep = 7;

    // The configured copy the page works with; it outlives the page.
    explicit PageFinish(Installation::Session& session);
    ~PageFinish() override;

    void OnLeaveForward(int skip) override;
    void OnEnterPage(int direction) override;
    void ApplyLanguage(LanguageId language) override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    InstallerConfig& config_;
    bool IsTicked(const CCheckBox& box) const;
    void FinishWizard();
    void StartProduct(const std::u16string& installDir) const;

    std::array<CLabel, 6> labels_;
    CCheckBox desktopShortcut_;
    CCheckBox quickLaunchShortcut_;
    CCheckBox defaultApplication_;
    CCheckBox runProduct_;
    bool comInitialized_ = false;
};
