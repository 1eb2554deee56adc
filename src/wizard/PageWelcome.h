// The welcome page (120): one large button per language on the full wizard
// picture; pointing at a button previews the language's logo, clicking it
// switches the wizard to that language and shows the licence page. The three
// main buttons are hidden while it shows.
#pragma once

#include <array>

#include "controls/PngButton.h"
#include "wizard/BaseDialog.h"
#include "SkinImageIds.h"

class InstallerConfig;

class PageWelcome : public BaseDialog {
public:
    static constexpr int kSecondImage = IDPNG_WELCOME_SECOND_PICTURE;
    static constexpr int kLastStep = 5;

    // The configured copy the page works with; it outlives the page.
    explicit PageWelcome(Installation::Session& session);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    InstallerConfig& config_;
    struct LanguageButton {
        int controlId;
        LanguageId language;
        int normalImage;
        int hoverImage;
        int previewImage;
        int x;
        int y;
    };
    static const std::array<LanguageButton, 6> kLanguageButtons;

    LRESULT OnPaint();
    void PlaceButtons();
    void OnHover(std::size_t button);
    void OnLanguageChosen(std::size_t button);

    std::array<PngButton, 6> buttons_;
    const SmartBitmap* preview_ = nullptr;
    SmartBitmap secondImage_;
    std::array<SmartBitmap, 6> previews_;
};
