// The wizard's main window: a borderless, skinned dialog of 800 by 547 pixels
// that owns the seven pages, the Next, Back and Cancel buttons at its bottom
// and the navigator moving between the pages. Pages talk to it only through
// the wizard messages (WizardIds.h). It closes only through the exit dialog,
// the finish page or WM_WIZARD_CLOSE: Return means Next, Escape and Alt+F4
// do nothing.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <vector>

#include "common/WinHandles.h"
#include "controls/PngButton.h"
#include "controls/SmartBitmap.h"
#include "framework/Dialog.h"
#include "framework/GdiHandles.h"
#include "installation/Session.h"
#include "language/IMultilanguage.h"
#include "wizard/BaseDialog.h"
#include "wizard/ButtonFlags.h"
#include "wizard/PageNavigator.h"
#include "services/BackgroundVersionCheck.h"
#include "SkinImageIds.h"

class InstallerConfig;
class PageLicense;
class PageDownloadInstall;

class CCorvaneInstallerDlg : public Framework::Dialog,
                             public IMultilanguage,
                             private Wizard::WizardHost,
                             private Wizard::WizardButtons {
public:
    static constexpr int kBackgroundImage = IDPNG_WIZARD_BACKGROUND;
    static constexpr int kDownloadBackgroundImage = IDPNG_WIZARD_BACKGROUND_STAGE;
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 547;
    static constexpr int kPageTop = 30;

    // How long the first page waits for the update service when a product is
    // installed; after it the page is chosen as when the service fails.
    static constexpr std::chrono::milliseconds kUpdateServiceBound{1500};

    // Registers the dialog with the language manager: it must live until the
    // program ends. `session` is the run's: the dialog fills its configured
    // copy from the stamp block and hands it to the pages; it must outlive
    // the dialog.
    // `versionSources` tell whether the product is installed and which
    // version is offered; without them the product counts as not installed.
    explicit CCorvaneInstallerDlg(Installation::Session& session, VersionSources versionSources = {});
    ~CCorvaneInstallerDlg() override;

    void ApplyLanguage(LanguageId language) override;
    bool PreTranslateMessage(MSG& message) override;

    const Wizard::PageNavigator& Navigator() const { return navigator_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(WORD id, WORD code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Asks whether the user really wants to leave; 1 means yes.
    virtual int RunExitDialog();

private:
    void PlaceWindow();
    // Makes the page's window, places it and hands it to the navigator.
    void AddPage(std::unique_ptr<BaseDialog> page);
    // The pages after the first, made once the window has painted.
    void MakeOtherPages();
    // The navigator once every page exists: for whatever moves between pages.
    Wizard::PageNavigator& AllPages();
    // Shows the installed page or the welcome page once the version question
    // has answered (or the update service's bound has passed); false while
    // it has not.
    bool ShowFirstPage();
    // "Finish" and "Reinstall" in place of Cancel and Next, no Back.
    void ApplyInstalledLayout();
    void SkinButtons();

    void OnNextButton();
    void OnBackButton();
    void OnCancelButton();
    LRESULT OnPageShown(unsigned id);
    LRESULT OnEraseBackground(HDC dc);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint();
    void SetButtonsBackground(int imageId);
    void RepaintAll();

    // WizardHost
    void SendWizardMessage(unsigned message, std::uintptr_t wParam) override;
    void ShowLowSpaceWarning() override;
    // WizardButtons
    void ShowButton(Wizard::WizardButton button, bool show) override;
    void EnableButton(Wizard::WizardButton button, bool enable) override;
    void SetButtonCaption(Wizard::WizardButton button, int textId) override;
    void MoveButton(Wizard::WizardButton button, int x, int y) override;
    PngButton& ButtonOf(Wizard::WizardButton button);

    Installation::Session& session_;
    InstallerConfig& config_;
    SmartBitmap background_;
    PngButton next_;
    PngButton back_;
    PngButton cancel_;
    Wizard::PageNavigator navigator_{*this};
    Framework::UniqueIcon bigIcon_;
    Framework::UniqueIcon smallIcon_;

    VersionSources versionSources_;
    // Asked while the pages are made and the window paints.
    std::unique_ptr<BackgroundVersionCheck> versionCheck_;
    // The licence page's text control class, freed after the window is gone.
    Common::UniqueModule richEdit_;
    std::vector<std::unique_ptr<BaseDialog>> pages_;
    PageLicense* license_ = nullptr;
    PageDownloadInstall* download_ = nullptr;
};
