// The send-by-e-mail page (124): asks for the user's name and e-mail address
// for news and offers. Nothing is sent from here: leaving the page forward
// (Next, or Back which reads "Skip") keeps a valid address with the names for
// the statistics' SaveUserInstallation; an invalid one keeps nothing. The
// page never holds the user back.
#pragma once

#include <array>

#include "controls/CLabel.h"
#include "wizard/BaseDialog.h"
#include "SkinImageIds.h"

class InstallerConfig;

class PageSendEmail : public BaseDialog {
public:
    static constexpr int kPageImage = IDPNG_SEND_EMAIL_PAGE;
    static constexpr int kLastStep = 6;

    // The configured copy the page works with; it outlives the page.
    explicit PageSendEmail(Installation::Session& session);

    void OnLeaveForward(int skip) override;
    void ApplyLanguage(LanguageId language) override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    InstallerConfig& config_;
    std::u16string EditText(int controlId) const;

    std::array<CLabel, 7> labels_;
};
