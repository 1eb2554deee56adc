#include "controls/WizardBackdrop.h"

POINT WizardBackdropOrigin(HWND control) {
    POINT own{0, 0}, main{0, 0};
    if (!control) return own;
    ClientToScreen(control, &own);
    if (HWND root = GetAncestor(control, GA_ROOT)) ClientToScreen(root, &main);
    return {main.x - own.x, main.y - own.y};
}

void DrawWizardBackdrop(Gdiplus::GpGraphics* graphics, const SmartBitmap& background, HWND control) {
    const POINT origin = WizardBackdropOrigin(control);
    background.Draw(graphics, origin.x, origin.y);
}
