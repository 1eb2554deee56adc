// Names of the skin pictures, bitmaps and licences, shared by the resource
// script and the code (written by tools/make-skin-art).
#pragma once

// PNG pictures
#define IDPNG_WIZARD_BACKGROUND_STAGE 136  // wizard background of the download page, banner board and carousel
#define IDPNG_BULLET 139  // carousel text bullet
#define IDPNG_LANGUAGE_CAPTION_IT 149  // language caption at (430, 13), Italian
#define IDPNG_LANGUAGE_CAPTION_DE 150  // language caption at (430, 13), German
#define IDPNG_LANGUAGE_CAPTION_EN 151  // language caption at (430, 13), English
#define IDPNG_LANGUAGE_CAPTION_ES 152  // language caption at (430, 13), Spanish
#define IDPNG_LANGUAGE_CAPTION_FR 153  // language caption at (430, 13), French
#define IDPNG_BUTTON_PRESSED 154  // push button, pressed
#define IDPNG_BUTTON_NORMAL 155  // push button, normal
#define IDPNG_BUTTON_HOVER 156  // push button, hover
#define IDPNG_CAROUSEL_TITLE_DE 159  // carousel title strip, German
#define IDPNG_CAROUSEL_TITLE_EN 160  // carousel title strip, English
#define IDPNG_CAROUSEL_TITLE_FR 161  // carousel title strip, French
#define IDPNG_CAROUSEL_TITLE_ES 162  // carousel title strip, Spanish
#define IDPNG_CAROUSEL_TITLE_IT 163  // carousel title strip, Italian
#define IDPNG_BOX_CONVERT 1182  // carousel product box, slide 1 (convert)
#define IDPNG_BOX_EDIT 1183  // carousel product box, slide 2 (edit)
#define IDPNG_BOX_READ 1184  // carousel product box, slide 3 (read)
#define IDPNG_BOX_FORMS 1185  // carousel product box, slide 4 (forms)
#define IDPNG_BOX_REVIEW 1186  // carousel product box, slide 5 (review)
#define IDPNG_BOX_SECURE 1187  // carousel product box, slide 6 (secure)
#define IDPNG_BOX_TOOLS 1188  // carousel product box, slide 7 (tools)
#define IDPNG_LANGUAGE_BUTTON_EN 1206  // welcome page language button, English, normal
#define IDPNG_LANGUAGE_BUTTON_EN_HOVER 1207  // welcome page language button, English, hover and pressed
#define IDPNG_LANGUAGE_BUTTON_DE 1208  // welcome page language button, German, normal
#define IDPNG_LANGUAGE_BUTTON_DE_HOVER 1209  // welcome page language button, German, hover and pressed
#define IDPNG_LANGUAGE_BUTTON_FR 1210  // welcome page language button, French, normal
#define IDPNG_LANGUAGE_BUTTON_FR_HOVER 1211  // welcome page language button, French, hover and pressed
#define IDPNG_LANGUAGE_BUTTON_ES 1212  // welcome page language button, Spanish, normal
#define IDPNG_LANGUAGE_BUTTON_ES_HOVER 1213  // welcome page language button, Spanish, hover and pressed
#define IDPNG_LANGUAGE_BUTTON_IT 1214  // welcome page language button, Italian, normal
#define IDPNG_LANGUAGE_BUTTON_IT_HOVER 1215  // welcome page language button, Italian, hover and pressed
#define IDPNG_GLOW_CONVERT 1222  // glow screen-blended over the centre box 1182
#define IDPNG_GLOW_EDIT 1223  // glow screen-blended over the centre box 1183
#define IDPNG_GLOW_READ 1224  // glow screen-blended over the centre box 1184
#define IDPNG_GLOW_FORMS 1225  // glow screen-blended over the centre box 1185
#define IDPNG_GLOW_REVIEW 1226  // glow screen-blended over the centre box 1186
#define IDPNG_GLOW_SECURE 1227  // glow screen-blended over the centre box 1187
#define IDPNG_GLOW_TOOLS 1228  // glow screen-blended over the centre box 1188
#define IDPNG_WIZARD_BACKGROUND 1229  // wizard background of the other pages and default PngButton background
#define IDPNG_BUTTON_SMALL_NORMAL 1230  // small button of the licence and component pages, normal
#define IDPNG_BUTTON_SMALL_HOVER 1231  // small button of the licence and component pages, hover
#define IDPNG_BUTTON_SMALL_PRESSED 1232  // small button of the licence and component pages, pressed
#define IDPNG_BANNER_CONVERT 1242  // carousel banner, slide 1 (convert)
#define IDPNG_BANNER_EDIT 1243  // carousel banner, slide 2 (edit)
#define IDPNG_BANNER_READ 1244  // carousel banner, slide 3 (read)
#define IDPNG_BANNER_FORMS 1245  // carousel banner, slide 4 (forms)
#define IDPNG_BANNER_REVIEW 1246  // carousel banner, slide 5 (review)
#define IDPNG_BANNER_SECURE 1247  // carousel banner, slide 6 (secure)
#define IDPNG_BANNER_TOOLS 1248  // carousel banner, slide 7 (tools)
#define IDPNG_LANGUAGE_BUTTON_JA 1301  // welcome page language button, Japanese, normal
#define IDPNG_LANGUAGE_BUTTON_JA_HOVER 1302  // welcome page language button, Japanese, hover and pressed
#define IDPNG_LANGUAGE_CAPTION_JA 1303  // language caption at (430, 13), Japanese
#define IDPNG_CAROUSEL_TITLE_JA 1304  // carousel title strip, Japanese
#define IDPNG_CLOSE_BOX_NORMAL 1331  // dialog close box, normal
#define IDPNG_CLOSE_BOX_PRESSED 1332  // dialog close box, pressed
#define IDPNG_CLOSE_BOX_HOVER 1333  // dialog close box, hover
#define IDPNG_EXIT_EN 1334  // exit dialog background with the question, English
#define IDPNG_EXIT_FR 1335  // exit dialog background with the question, French
#define IDPNG_EXIT_DE 1336  // exit dialog background with the question, German
#define IDPNG_EXIT_IT 1337  // exit dialog background with the question, Italian
#define IDPNG_EXIT_ES 1338  // exit dialog background with the question, Spanish
#define IDPNG_EXIT_JA 1339  // exit dialog background with the question, Japanese
#define IDPNG_PROGRESS_TRACK 1358  // progress track
#define IDPNG_PROGRESS_FILL 1359  // progress fill column, tiled
#define IDPNG_ERROR_BACKGROUND 1366  // error dialog background
#define IDPNG_INSTALLED_BACKGROUND 1368  // already-installed page background
#define IDPNG_PROGRESS_HIGHLIGHT 1369  // moving progress highlight
#define IDPNG_STRIP_EXIT 1900  // strip of the exit dialog backgrounds with the question
#define IDPNG_STRIP_LANGUAGE_CAPTION 1901  // strip of the language captions
#define IDPNG_STRIP_CAROUSEL_TITLE 1902  // strip of the carousel title strips
#define IDPNG_STRIP_LANGUAGE_BUTTON 1903  // strip of the welcome page language buttons, normal and hover

// Bitmaps
#define IDB_CHECKBOX_STRIP 158  // check box glyphs: checked, unchecked, pressed x2, disabled x2; magenta is clear
#define IDB_SCROLLBAR_SKIN 166  // scroll bar skin: 9 x 3 cells of 13 pixels
#define IDB_LIST_CHECK_ON 1319  // component list check box, checked
#define IDB_LIST_CHECK_OFF 1320  // component list check box, unchecked

// Licences (RTF)
#define IDR_EULA_EN 1198  // licence agreement, English
#define IDR_EULA_DE 1199  // licence agreement, German
#define IDR_EULA_FR 1200  // licence agreement, French
#define IDR_EULA_ES 1201  // licence agreement, Spanish
#define IDR_EULA_IT 1202  // licence agreement, Italian
#define IDR_EULA_JA 1311  // licence agreement, Japanese

// PNG pictures the program asks for that the skin leaves out
#define IDPNG_WELCOME_SECOND_PICTURE 1263  // second picture of the welcome page
#define IDPNG_SEND_EMAIL_PAGE 1264  // page picture of the contact details page
#define IDPNG_BOTTOM_STRIP 1265  // bottom strip of the pages and the carousel
#define IDPNG_CAROUSEL_MARKER 1312  // marker of the carousel text
