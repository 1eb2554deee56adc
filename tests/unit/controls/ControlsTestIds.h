// Ids of the controls test dialog (shared by ControlsTestResources.rc and the tests).
#pragma once

#define IDD_CONTROLS_TEST 700
#define IDC_TEST_PNGBUTTON 701
#define IDC_TEST_CHECKBOX 702
#define IDC_TEST_LABEL 703
#define IDC_TEST_PROGRESS 704
