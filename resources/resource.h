// Resource ids shared by the resource script and the code.
//
// Dialog templates use the page ids of the wizard (119 to 125) and the ids of
// the main, exit and error dialogs. Control ids of 1000 and above double as
// text ids of the language tables: the language manager puts the text of item
// N on the control with id N. Where two templates use one number for
// different controls, each use has its own name.
#pragma once

// Application icon.
#define IDR_MAINFRAME 117

// ---- Main dialog (popup, 800 x 547 pixels on the wizard background) --------
#define IDD_CORVANEINSTALLER_DIALOG 102
#define IDC_MAIN_NEXT 1000    // PngButton "Next" (also "Finish", "Reinstall")
#define IDC_MAIN_BACK 1001    // PngButton "Back" (also "Skip")
#define IDC_MAIN_CANCEL 1002  // PngButton "Cancel" (also "Finish", "Skip")
// A command with no control in any template; handled like IDC_MAIN_CANCEL.
#define ID_MAIN_CANCEL_COMMAND 1321

// ---- Wizard pages (children of the main dialog at (0, 30)) ------------------
#define IDD_PAGE_INSTALLED 119           // PageInstalled
#define IDD_PAGE_WELCOME 120             // PageWellcome
#define IDD_PAGE_LICENSE 121             // PageLicense
#define IDD_PAGE_SELECT_COMPONENTS 122   // PageSelectComponents
#define IDD_PAGE_DOWNLOAD_INSTALL 123    // PageDownloadInstall
#define IDD_PAGE_SEND_EMAIL 124          // PageSendEmail
#define IDD_PAGE_FINISH 125              // PageFinish

// Page 119: already installed.
#define IDC_INSTALLED_MESSAGE 1240  // CLabel, heading: same or newer version
#define IDC_INSTALLED_HINT 1241     // CLabel, body: click Finish to close

// Page 120: welcome, one image button per language (captions are empty: the
// pictures carry the language names).
#define IDC_LANGUAGE_ENGLISH 1217
#define IDC_LANGUAGE_GERMAN 1218
#define IDC_LANGUAGE_SPANISH 1219
#define IDC_LANGUAGE_FRENCH 1220
#define IDC_LANGUAGE_ITALIAN 1221
#define IDC_LANGUAGE_JAPANESE 1300

// Page 121: licence.
#define IDC_LICENSE_TEXT 1012                   // RichEdit20W, wrapped by the skinned scroll frame
#define IDC_LICENSE_ACCEPT 1004                 // CCheckBox
#define IDC_LICENSE_ACCEPT_LABEL 1196           // CLabel
#define IDC_LICENSE_INSTALL_TYPE_LABEL 1260     // CLabel, text item 72
#define IDC_LICENSE_TYPICAL 1003                // radio button
#define IDC_LICENSE_TYPICAL_LABEL 1261          // CLabel
#define IDC_LICENSE_CUSTOM 1259                 // radio button
#define IDC_LICENSE_CUSTOM_LABEL 1262           // CLabel
#define IDC_LICENSE_FOLDER_LABEL 1195           // CLabel
#define IDC_LICENSE_FOLDER 1189                 // static text: the install directory
#define IDC_LICENSE_BROWSE 1190                 // PngButton
#define IDC_LICENSE_SPACE_AVAILABLE_LABEL 1191  // CLabel
#define IDC_LICENSE_SPACE_AVAILABLE 1192        // CLabel: free space text
#define IDC_LICENSE_SPACE_REQUIRED_LABEL 1193   // CLabel
#define IDC_LICENSE_SPACE_REQUIRED 1194         // CLabel: fixed text of the template
#define IDC_LICENSE_SPARE_BUTTON 1197           // PngButton, hidden, never shown

// Page 122: component selection (the list itself is created by the page).
#define IDC_COMPONENTS_SPARE_RIGHT 1216  // PngButton, hidden, never shown
#define IDC_COMPONENTS_SPARE_LEFT 1249   // PngButton, hidden, never shown

// Page 123: download and install.
#define IDC_DOWNLOAD_PROGRESS 1007  // SimpleProgressControl
#define IDC_DOWNLOAD_BANNER 1013    // BannerBoard (empty)
#define IDC_DOWNLOAD_CAROUSEL 1178  // AnimatedWnd
#define IDC_DOWNLOAD_CANCEL 1216    // PngButton "Cancel"

// Page 124: send by e-mail.
#define IDC_EMAIL_TITLE 1257             // CLabel, empty in every language
#define IDC_EMAIL_HEADING 1256           // CLabel, empty in every language
#define IDC_EMAIL_INVITATION 1255        // CLabel
#define IDC_EMAIL_FIRST_NAME_LABEL 1254  // CLabel
#define IDC_EMAIL_FIRST_NAME 1251        // edit box
#define IDC_EMAIL_LAST_NAME_LABEL 1297   // CLabel
#define IDC_EMAIL_LAST_NAME 1296         // edit box
#define IDC_EMAIL_ADDRESS_LABEL 1253     // CLabel
#define IDC_EMAIL_ADDRESS 1252           // edit box
#define IDC_EMAIL_PRIVACY_NOTE 1258      // CLabel
// The offers check box: read by the page, absent from the template.
#define IDC_EMAIL_OFFERS 1299

// Page 125: finish.
#define IDC_FINISH_TITLE 1231                    // CLabel, heading
#define IDC_FINISH_MESSAGE 1232                  // CLabel, heading
#define IDC_FINISH_DESKTOP_SHORTCUT 1008         // CCheckBox
#define IDC_FINISH_DESKTOP_SHORTCUT_LABEL 1203   // CLabel
#define IDC_FINISH_QUICKLAUNCH_SHORTCUT 1009     // CCheckBox
#define IDC_FINISH_QUICKLAUNCH_SHORTCUT_LABEL 1204  // CLabel
#define IDC_FINISH_DEFAULT_APP 1010              // CCheckBox
#define IDC_FINISH_DEFAULT_APP_LABEL 1205        // CLabel
#define IDC_FINISH_RUN_PRODUCT 1004              // CCheckBox
#define IDC_FINISH_RUN_PRODUCT_LABEL 1206        // CLabel

// ---- Exit dialog (ModalDialog::Exit, 440 x 280 pixels) ---------------------
#define IDD_EXIT_DIALOG 1325
#define IDC_EXIT_YES 1327        // PngButton
#define IDC_EXIT_NO 1328         // PngButton
#define IDC_EXIT_CLOSE_BOX 1329  // PngButton, 23 x 23

// ---- Error dialog (ModalDialog::Error, 480 x 280 pixels) -------------------
#define IDD_ERROR_DIALOG 1362
#define IDC_ERROR_CANCEL 1363     // PngButton
#define IDC_ERROR_RETRY 1364      // PngButton
#define IDC_ERROR_CLOSE_BOX 1365  // PngButton, 23 x 23
#define IDC_ERROR_CLOSE 1367      // PngButton
