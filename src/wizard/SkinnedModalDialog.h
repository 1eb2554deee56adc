// What the error and exit dialogs share: a borderless popup drawn entirely
// from one picture, dragged by any point that is not a button, with skinned
// push buttons whose captions are black in every state. Neither dialog has
// texts that follow the language while it is open.
#pragma once

#include <windows.h>

#include "controls/PngButton.h"
#include "controls/SmartBitmap.h"
#include "framework/Dialog.h"
#include "language/IMultilanguage.h"

namespace ModalDialog {

class SkinnedModalDialog : public Framework::Dialog, public IMultilanguage {
public:
    static constexpr int kButtonNormal = 155, kButtonHover = 156, kButtonPressed = 154;
    static constexpr int kCloseBoxNormal = 1331, kCloseBoxHover = 1333, kCloseBoxPressed = 1332;

    using Framework::Dialog::Dialog;

    void ApplyLanguage(LanguageId) override {}

    const SmartBitmap& Background() const { return background_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Takes over the template's button, gives it its three pictures, the
    // dialog's picture behind it and the black caption `textOffsetY` down.
    void SkinButton(PngButton& button, int controlId, int normal, int hover, int pressed, int backgroundImage,
                    int textOffsetY);
    static void PlaceButton(const PngButton& button, int x, int y);
    // The window takes the picture's size, keeping its place.
    void SizeToBackground();

    // Drawn over the picture when the background is erased.
    virtual void DrawOverBackground(HDC) {}

    SmartBitmap background_;
};

}  // namespace ModalDialog
