// The already-installed page (119): first when the same or a newer version of
// the product is installed; "Reinstall" leads on to the welcome page and
// "Finish" leaves through the exit dialog.
#pragma once

#include "controls/CLabel.h"
#include "services/VersionComparison.h"
#include "wizard/BaseDialog.h"
#include "SkinImageIds.h"

class PageInstalled : public BaseDialog {
public:
    static constexpr int kPageImage = IDPNG_INSTALLED_BACKGROUND;
    static constexpr int kLastStep = 8;

    // Registers the page with the language manager: it must live until the
    // program ends. `comparison` tells the same version from a newer one.
    PageInstalled(Installation::Session& session, VersionComparison comparison);

    void ApplyLanguage(LanguageId language) override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    VersionComparison comparison_;
    CLabel message_;
    CLabel hint_;
};
