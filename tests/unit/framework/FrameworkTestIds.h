// Ids of the test dialogs (shared by FrameworkTestDialogs.rc and the tests).
#pragma once

#define IDD_TEST_DIALOG 500
#define IDC_TEST_BUTTON 501
#define IDC_TEST_LABEL 502
#define IDC_TEST_EDIT 503
#define IDD_TEST_PAGE 510
#define IDC_PAGE_BUTTON 511
