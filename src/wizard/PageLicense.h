// The licence page (121): the agreement in the current language in a
// read-only rich text box with a skinned scroll bar, its acceptance box, the
// install folder with the free space of its drive, and the installation type.
// Leaving it forward needs enough free space (the navigator asks); Return
// does nothing while the box is clear.
#pragma once

#include <array>

#include "controls/CCheckBox.h"
#include "controls/CLabel.h"
#include "controls/PngButton.h"
#include "framework/GdiHandles.h"
#include "wizard/BaseDialog.h"
#include "SkinImageIds.h"

class InstallerConfig;

class PageLicense : public BaseDialog {
public:
    static constexpr int kLastStep = 0;
    static constexpr int kScrollSkin = IDB_SCROLLBAR_SKIN;

    // The configured copy the page works with; it outlives the page.
    explicit PageLicense(Installation::Session& session);

    // Recomputes the free space of the folder shown; with `redraw` the text
    // of the free space is shown too.
    void Refresh(bool redraw) override;
    bool HasEnoughSpace() const override { return enoughSpace_; }
    // The acceptance box is ticked.
    bool IsAccepted() const;
    void ApplyLanguage(LanguageId language) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    InstallerConfig& config_;
    void LoadLicence(LanguageId language);
    void PlaceControls();
    void ReportAcceptance();
    void OnBrowse();
    void SetInstallDir(const std::u16string& dir);
    LRESULT OnPaint();
    LRESULT OnControlColour(UINT message, WPARAM wParam, LPARAM lParam);

    // Until the first reading the folder counts as having room: a drive that
    // cannot be read is not a reason to hold the user here.
    bool enoughSpace_ = true;
    Framework::UniqueFont folderFont_;
    RECT licenceFrame_{};
    HWND licenceBox_ = nullptr;
    Framework::UniqueBitmap scrollSkin_;
    std::array<CLabel, 9> labels_;
    CCheckBox accept_;
    PngButton browse_;
    PngButton spare_;
};
