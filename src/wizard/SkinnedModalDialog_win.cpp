#include "wizard/SkinnedModalDialog.h"

#include "framework/GdiplusHandles.h"

namespace ModalDialog {

LRESULT SkinnedModalDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            {
                Framework::UniqueGraphics graphics = Framework::GraphicsFor(dc);
                background_.Draw(graphics.Get(), 0, 0);
            }
            DrawOverBackground(dc);
            return 1;
        }
        case WM_NCHITTEST: {
            const LRESULT hit = Framework::Dialog::WindowProc(message, wParam, lParam);
            return hit == HTCLIENT ? HTCAPTION : hit;
        }
        default: return Framework::Dialog::WindowProc(message, wParam, lParam);
    }
}

void SkinnedModalDialog::SkinButton(PngButton& button, int controlId, int normal, int hover, int pressed,
                                    int backgroundImage, int textOffsetY) {
    button.SubclassDlgItem(controlId, Handle());
    button.SetImages(normal, hover, pressed, Handle());
    button.SetBackgroundImage(backgroundImage);
    button.SetTextColors(RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0));
    button.SetTextOffset(0, textOffsetY);
}

void SkinnedModalDialog::PlaceButton(const PngButton& button, int x, int y) {
    SetWindowPos(button.Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SkinnedModalDialog::SizeToBackground() {
    SetWindowPos(Handle(), nullptr, 0, 0, static_cast<int>(background_.Width()),
                 static_cast<int>(background_.Height()), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ModalDialog
