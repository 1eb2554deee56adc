// The wizard's main window, run modally on the user-interface thread.
#pragma once

#include <windows.h>

// Shows the main dialog (template 102) and returns when it closes.
INT_PTR RunMainDialog(HINSTANCE instance);
