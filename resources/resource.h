// Resource ids shared by the resource script and the code.
#pragma once

#define IDD_CORVANEINSTALLER_DIALOG 102
#define IDR_MAINFRAME 117
