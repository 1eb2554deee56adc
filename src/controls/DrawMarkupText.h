// Draws or measures the component list's markup text (MarkupLayout.h) on a
// device context, in the font selected there on entry.
#pragma once

#include <windows.h>

// Like DrawTextW: `rect` may be null (the text then starts at the current
// position and may be as wide as the screen), `length` -1 means the whole
// string, and DT_CALCRECT measures into `rect` without drawing. Returns the
// height of the text above its last line. The device context is left as it was.
int DrawMarkupText(HDC dc, RECT* rect, const wchar_t* text, int length, UINT format);
