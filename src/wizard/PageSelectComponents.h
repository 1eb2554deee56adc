// The component page (122): the integration features of a custom
// installation, listed from what is installed on this computer and ticked
// by default. Leaving it forward turns the ticked entries into the feature
// string. With a typical installation it is passed at once, in the
// direction the user was going, and the default ticks decide.
#pragma once

#include <array>
#include <string>

#include "controls/CHTMLListCtrl.h"
#include "controls/PngButton.h"
#include "framework/GdiHandles.h"
#include "wizard/BaseDialog.h"
#include "SkinImageIds.h"

class InstallerConfig;

class PageSelectComponents : public BaseDialog {
public:
    static constexpr int kLastStep = 1;
    static constexpr int kScrollSkin = IDB_SCROLLBAR_SKIN;
    static constexpr RECT kListRect{150, 175, 657, 400};

    // The configured copy the page works with; it outlives the page.
    explicit PageSelectComponents(Installation::Session& session);

    void OnLeaveForward(int skip) override;
    void OnEnterPage(int direction) override;

    const CHTMLListCtrl& List() const { return list_; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    InstallerConfig& config_;
    void BuildList();
    void OnPositionChanged();
    LRESULT OnPaint();

    CHTMLListCtrl list_;
    std::array<PngButton, 2> buttons_;
    Framework::UniqueBitmap scrollSkin_;
};

// The list entry's markup: a bold light-blue title, a line break, a blue description.
std::u16string ComponentMarkup(const std::u16string& title, const std::u16string& description);
