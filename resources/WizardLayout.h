// The wizard's layout: the place of every control of the dialog templates
// as "x, y, width, height" in pixels of the fixed 800 x 547 wizard, in the
// client area of its page or dialog. The templates (Dialogs.rc) read it, and
// so do the tests of the templates, of the pages and of the running wizard,
// which check that the windows end up there. One macro per control, named
// after its id with "_PLACE", so that the resource compiler can read it.
#ifndef CORVANE_WIZARD_LAYOUT_H
#define CORVANE_WIZARD_LAYOUT_H

// Main dialog: Next, Back and Cancel
#define IDC_MAIN_NEXT_PLACE                         552, 479, 110, 38
#define IDC_MAIN_BACK_PLACE                         441, 479, 110, 38
#define IDC_MAIN_CANCEL_PLACE                       311, 479, 110, 38

// Page 119: already installed
#define IDC_INSTALLED_MESSAGE_PLACE                 75, 200, 390, 400
#define IDC_INSTALLED_HINT_PLACE                    75, 245, 390, 400

// Page 120: welcome
#define IDC_LANGUAGE_ENGLISH_PLACE                  141, 138, 522, 54
#define IDC_LANGUAGE_GERMAN_PLACE                   141, 198, 522, 54
#define IDC_LANGUAGE_SPANISH_PLACE                  141, 258, 522, 54
#define IDC_LANGUAGE_FRENCH_PLACE                   141, 318, 522, 54
#define IDC_LANGUAGE_ITALIAN_PLACE                  141, 378, 522, 54
#define IDC_LANGUAGE_JAPANESE_PLACE                 141, 438, 522, 54

// Page 121: licence
#define IDC_LICENSE_TEXT_PLACE                      150, 148, 509, 150
#define IDC_LICENSE_ACCEPT_PLACE                    152, 314, 13, 13
#define IDC_LICENSE_ACCEPT_LABEL_PLACE              171, 314, 400, 18
#define IDC_LICENSE_INSTALL_TYPE_LABEL_PLACE        150, 340, 115, 15
#define IDC_LICENSE_TYPICAL_PLACE                   299, 338, 16, 16
#define IDC_LICENSE_CUSTOM_PLACE                    407, 338, 16, 16
#define IDC_LICENSE_TYPICAL_LABEL_PLACE             315, 338, 90, 18
#define IDC_LICENSE_CUSTOM_LABEL_PLACE              425, 338, 130, 18
#define IDC_LICENSE_FOLDER_LABEL_PLACE              150, 361, 149, 18
#define IDC_LICENSE_FOLDER_PLACE                    299, 361, 250, 18
#define IDC_LICENSE_BROWSE_PLACE                    557, 356, 96, 26
#define IDC_LICENSE_SPACE_AVAILABLE_LABEL_PLACE     150, 384, 150, 18
#define IDC_LICENSE_SPACE_AVAILABLE_PLACE           300, 384, 250, 18
#define IDC_LICENSE_SPACE_REQUIRED_LABEL_PLACE      150, 406, 150, 18
#define IDC_LICENSE_SPACE_REQUIRED_PLACE            300, 406, 250, 18
#define IDC_LICENSE_SPARE_BUTTON_PLACE              557, 384, 96, 26

// Page 122: component selection
#define IDC_COMPONENTS_SPARE_RIGHT_PLACE            560, 413, 96, 26
#define IDC_COMPONENTS_SPARE_LEFT_PLACE             456, 413, 96, 26

// Page 123: download and install
#define IDC_DOWNLOAD_CAROUSEL_PLACE                 0, 0, 788, 439
#define IDC_DOWNLOAD_PROGRESS_PLACE                 134, 460, 443, 11
#define IDC_DOWNLOAD_BANNER_PLACE                   9, 452, 120, 20
#define IDC_DOWNLOAD_CANCEL_PLACE                   584, 440, 110, 38

// Page 124: send by e-mail
#define IDC_EMAIL_TITLE_PLACE                       147, 24, 510, 40
#define IDC_EMAIL_HEADING_PLACE                     147, 88, 510, 40
#define IDC_EMAIL_INVITATION_PLACE                  147, 180, 510, 60
#define IDC_EMAIL_FIRST_NAME_LABEL_PLACE            146, 258, 110, 18
#define IDC_EMAIL_FIRST_NAME_PLACE                  260, 255, 200, 20
#define IDC_EMAIL_LAST_NAME_LABEL_PLACE             474, 258, 88, 18
#define IDC_EMAIL_LAST_NAME_PLACE                   565, 255, 200, 20
#define IDC_EMAIL_ADDRESS_LABEL_PLACE               146, 297, 110, 18
#define IDC_EMAIL_ADDRESS_PLACE                     260, 294, 505, 20
#define IDC_EMAIL_PRIVACY_NOTE_PLACE                147, 380, 510, 40

// Page 125: finish
#define IDC_FINISH_TITLE_PLACE                      224, 177, 560, 20
#define IDC_FINISH_MESSAGE_PLACE                    224, 205, 560, 20
#define IDC_FINISH_DESKTOP_SHORTCUT_PLACE           224, 297, 13, 13
#define IDC_FINISH_DESKTOP_SHORTCUT_LABEL_PLACE     246, 296, 530, 18
#define IDC_FINISH_QUICKLAUNCH_SHORTCUT_PLACE       224, 328, 13, 13
#define IDC_FINISH_QUICKLAUNCH_SHORTCUT_LABEL_PLACE 246, 327, 530, 18
#define IDC_FINISH_DEFAULT_APP_PLACE                224, 359, 13, 13
#define IDC_FINISH_DEFAULT_APP_LABEL_PLACE          246, 359, 530, 18
#define IDC_FINISH_RUN_PRODUCT_PLACE                224, 390, 13, 13
#define IDC_FINISH_RUN_PRODUCT_LABEL_PLACE          246, 390, 530, 18

// Exit dialog
#define IDC_EXIT_YES_PLACE                          125, 220, 110, 38
#define IDC_EXIT_NO_PLACE                           250, 220, 110, 38
#define IDC_EXIT_CLOSE_BOX_PLACE                    406, 8, 23, 23

// Error dialog
#define IDC_ERROR_CLOSE_BOX_PLACE                   448, 8, 23, 23
#define IDC_ERROR_CANCEL_PLACE                      260, 220, 110, 38
#define IDC_ERROR_RETRY_PLACE                       130, 220, 110, 38
#define IDC_ERROR_CLOSE_PLACE                       320, 220, 110, 38

#endif  // CORVANE_WIZARD_LAYOUT_H
