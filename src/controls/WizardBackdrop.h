// Controls on the download page draw the slice of the wizard's background
// picture that lies under them, so they look transparent over it.
#pragma once

#include <windows.h>

#include "controls/SmartBitmap.h"

// Where the wizard's main window client area starts, seen from `control`'s
// client origin (both in screen coordinates): the background picture drawn
// there lines up with the main window's.
POINT WizardBackdropOrigin(HWND control);

// Draws `background` at that origin.
void DrawWizardBackdrop(Gdiplus::GpGraphics* graphics, const SmartBitmap& background, HWND control);
