// The base of every wizard page: a modeless child dialog of the main dialog,
// built on the page's template, with the page hooks the navigator calls and
// the pictures a page may draw behind its controls.
//
// A page draws the part of the full-window picture that lies under it: its
// own page image when it has one, else the main dialog's background, so the
// page always continues the picture around it.
#pragma once

#include <windows.h>

#include <cstddef>

#include "SkinImageIds.h"
#include "controls/SmartBitmap.h"
#include "framework/Dialog.h"
#include "installation/Session.h"
#include "language/IMultilanguage.h"
#include "wizard/WizardPage.h"

// Where a page puts one of its controls, in page client coordinates; a width
// of 0 keeps the template's size.
struct ControlPlace {
    int id;
    int x, y;
    int width = 0, height = 0;
};

class BaseDialog : public Framework::Dialog, public Wizard::WizardPage, public IMultilanguage {
public:
    static constexpr int kBottomStripImage = IDPNG_BOTTOM_STRIP;
    static constexpr int kLogoX = 430;
    static constexpr int kLogoY = 13;
    static constexpr int kBottomStripY = 426;

    // The run's session outlives the page.
    BaseDialog(int templateId, Installation::Session& session);

    // Creates the page hidden as a child of the main dialog, under its page
    // id, with `backdrop` (the main dialog's background) behind it.
    bool CreatePage(HWND mainDialog, const SmartBitmap* backdrop);

    void ShowPage(bool visible) override;
    // The page's own texts; a page without any keeps this.
    void ApplyLanguage(LanguageId) override {}

    bool PreTranslateMessage(MSG& message) override;

protected:
    // Makes the current language active again, which re-texts every window
    // registered with the language manager, then registers the page itself.
    BOOL OnInitDialog() override;
    // Return, Escape and the close commands belong to the main dialog.
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Moves the controls to their places; a control the page does not have
    // is passed over.
    template <std::size_t N>
    void PlaceControls(const ControlPlace (&places)[N]) {
        PlaceControls(places, N);
    }
    void PlaceControls(const ControlPlace* places, std::size_t count);

    // The current language's logo at (430, 13) of the page (licence and
    // component pages).
    void DrawLanguageLogo(Gdiplus::GpGraphics* graphics);

    Installation::Session& session_;
    AsLanguage_Manager& Languages() const { return session_.language; }

    SmartBitmap pageImage_;
    SmartBitmap languageLogo_;
    SmartBitmap bottomStrip_;

private:
    LRESULT OnEraseBackground(HDC dc);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);

    const SmartBitmap* backdrop_ = nullptr;
};

// The PNG id of the language's logo (English for an unknown language).
int LanguageLogoImage(LanguageId language);
