// Creates every dialog template of the installer's resource script and checks
// its controls: ids, window classes, the styles the wizard code relies on,
// initial visibility and the pixel places of the wizard's layout.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cwctype>
#include <string>
#include <vector>

#include "common/UniqueResource.h"
#include "WizardLayout.h"
#include "common/WinHandles.h"
#include "resource.h"

namespace {

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle window) noexcept { DestroyWindow(window); }
};
using UniqueWindow = Common::UniqueResource<WindowTraits>;


enum class Kind {
    ImageButton,  // PngButton: owner-drawn button
    CheckBox,     // CCheckBox: a check box that the control makes owner-drawn
    Radio,
    Label,        // CLabel or plain static text
    Painted,      // an empty static that a custom-painted window subclasses
    Edit,
    RichText,
};

// A rectangle of the layout table, in the wizard's pixels.
struct Place {
    int x, y, width, height;
};

// A control as the wizard expects it: its place comes from the layout table
// that the templates are written with.
struct Control {
    int id;
    Kind kind;
    Place place;
    bool visible = true;
};

enum class Frame { Popup, Page };

struct Dialog {
    int id;
    Frame frame;
    int width, height;  // pixels of the wizard's layout
    std::vector<Control> controls;
};

constexpr bool kHidden = false;

// The wizard's dialogs and their controls.
const std::vector<Dialog>& Dialogs() {
    static const std::vector<Dialog> dialogs = {
        {IDD_CORVANEINSTALLER_DIALOG, Frame::Popup, 800, 547,
         {{IDC_MAIN_NEXT, Kind::ImageButton, {IDC_MAIN_NEXT_PLACE}},
          {IDC_MAIN_BACK, Kind::ImageButton, {IDC_MAIN_BACK_PLACE}},
          {IDC_MAIN_CANCEL, Kind::ImageButton, {IDC_MAIN_CANCEL_PLACE}}}},
        {IDD_PAGE_INSTALLED, Frame::Page, 800, 427,
         {{IDC_INSTALLED_MESSAGE, Kind::Label, {IDC_INSTALLED_MESSAGE_PLACE}},
          {IDC_INSTALLED_HINT, Kind::Label, {IDC_INSTALLED_HINT_PLACE}}}},
        {IDD_PAGE_WELCOME, Frame::Page, 800, 547,
         {{IDC_LANGUAGE_ENGLISH, Kind::ImageButton, {IDC_LANGUAGE_ENGLISH_PLACE}},
          {IDC_LANGUAGE_GERMAN, Kind::ImageButton, {IDC_LANGUAGE_GERMAN_PLACE}},
          {IDC_LANGUAGE_SPANISH, Kind::ImageButton, {IDC_LANGUAGE_SPANISH_PLACE}},
          {IDC_LANGUAGE_FRENCH, Kind::ImageButton, {IDC_LANGUAGE_FRENCH_PLACE}},
          {IDC_LANGUAGE_ITALIAN, Kind::ImageButton, {IDC_LANGUAGE_ITALIAN_PLACE}},
          {IDC_LANGUAGE_JAPANESE, Kind::ImageButton, {IDC_LANGUAGE_JAPANESE_PLACE}}}},
        {IDD_PAGE_LICENSE, Frame::Page, 800, 427,
         {{IDC_LICENSE_TEXT, Kind::RichText, {IDC_LICENSE_TEXT_PLACE}},
          {IDC_LICENSE_ACCEPT_LABEL, Kind::Label, {IDC_LICENSE_ACCEPT_LABEL_PLACE}},
          {IDC_LICENSE_ACCEPT, Kind::CheckBox, {IDC_LICENSE_ACCEPT_PLACE}},
          {IDC_LICENSE_INSTALL_TYPE_LABEL, Kind::Label, {IDC_LICENSE_INSTALL_TYPE_LABEL_PLACE}, kHidden},
          {IDC_LICENSE_TYPICAL, Kind::Radio, {IDC_LICENSE_TYPICAL_PLACE}, kHidden},
          {IDC_LICENSE_TYPICAL_LABEL, Kind::Label, {IDC_LICENSE_TYPICAL_LABEL_PLACE}, kHidden},
          {IDC_LICENSE_CUSTOM, Kind::Radio, {IDC_LICENSE_CUSTOM_PLACE}, kHidden},
          {IDC_LICENSE_CUSTOM_LABEL, Kind::Label, {IDC_LICENSE_CUSTOM_LABEL_PLACE}, kHidden},
          {IDC_LICENSE_FOLDER_LABEL, Kind::Label, {IDC_LICENSE_FOLDER_LABEL_PLACE}},
          {IDC_LICENSE_FOLDER, Kind::Label, {IDC_LICENSE_FOLDER_PLACE}},
          {IDC_LICENSE_BROWSE, Kind::ImageButton, {IDC_LICENSE_BROWSE_PLACE}},
          {IDC_LICENSE_SPACE_AVAILABLE_LABEL, Kind::Label, {IDC_LICENSE_SPACE_AVAILABLE_LABEL_PLACE}},
          {IDC_LICENSE_SPACE_AVAILABLE, Kind::Label, {IDC_LICENSE_SPACE_AVAILABLE_PLACE}},
          {IDC_LICENSE_SPACE_REQUIRED_LABEL, Kind::Label, {IDC_LICENSE_SPACE_REQUIRED_LABEL_PLACE}},
          {IDC_LICENSE_SPACE_REQUIRED, Kind::Label, {IDC_LICENSE_SPACE_REQUIRED_PLACE}},
          {IDC_LICENSE_SPARE_BUTTON, Kind::ImageButton, {IDC_LICENSE_SPARE_BUTTON_PLACE}, kHidden}}},
        {IDD_PAGE_SELECT_COMPONENTS, Frame::Page, 800, 427,
         {{IDC_COMPONENTS_SPARE_RIGHT, Kind::ImageButton, {IDC_COMPONENTS_SPARE_RIGHT_PLACE}, kHidden},
          {IDC_COMPONENTS_SPARE_LEFT, Kind::ImageButton, {IDC_COMPONENTS_SPARE_LEFT_PLACE}, kHidden}}},
        {IDD_PAGE_DOWNLOAD_INSTALL, Frame::Page, 800, 477,
         {{IDC_DOWNLOAD_PROGRESS, Kind::Painted, {IDC_DOWNLOAD_PROGRESS_PLACE}},
          {IDC_DOWNLOAD_BANNER, Kind::Painted, {IDC_DOWNLOAD_BANNER_PLACE}},
          {IDC_DOWNLOAD_CAROUSEL, Kind::Painted, {IDC_DOWNLOAD_CAROUSEL_PLACE}},
          {IDC_DOWNLOAD_CANCEL, Kind::ImageButton, {IDC_DOWNLOAD_CANCEL_PLACE}}}},
        {IDD_PAGE_SEND_EMAIL, Frame::Page, 800, 427,
         {{IDC_EMAIL_TITLE, Kind::Label, {IDC_EMAIL_TITLE_PLACE}},
          {IDC_EMAIL_HEADING, Kind::Label, {IDC_EMAIL_HEADING_PLACE}},
          {IDC_EMAIL_INVITATION, Kind::Label, {IDC_EMAIL_INVITATION_PLACE}},
          {IDC_EMAIL_FIRST_NAME_LABEL, Kind::Label, {IDC_EMAIL_FIRST_NAME_LABEL_PLACE}},
          {IDC_EMAIL_FIRST_NAME, Kind::Edit, {IDC_EMAIL_FIRST_NAME_PLACE}},
          {IDC_EMAIL_LAST_NAME_LABEL, Kind::Label, {IDC_EMAIL_LAST_NAME_LABEL_PLACE}},
          {IDC_EMAIL_LAST_NAME, Kind::Edit, {IDC_EMAIL_LAST_NAME_PLACE}},
          {IDC_EMAIL_ADDRESS_LABEL, Kind::Label, {IDC_EMAIL_ADDRESS_LABEL_PLACE}},
          {IDC_EMAIL_ADDRESS, Kind::Edit, {IDC_EMAIL_ADDRESS_PLACE}},
          {IDC_EMAIL_PRIVACY_NOTE, Kind::Label, {IDC_EMAIL_PRIVACY_NOTE_PLACE}}}},
        {IDD_PAGE_FINISH, Frame::Page, 800, 427,
         {{IDC_FINISH_TITLE, Kind::Label, {IDC_FINISH_TITLE_PLACE}},
          {IDC_FINISH_MESSAGE, Kind::Label, {IDC_FINISH_MESSAGE_PLACE}},
          {IDC_FINISH_DESKTOP_SHORTCUT, Kind::CheckBox, {IDC_FINISH_DESKTOP_SHORTCUT_PLACE}},
          {IDC_FINISH_DESKTOP_SHORTCUT_LABEL, Kind::Label, {IDC_FINISH_DESKTOP_SHORTCUT_LABEL_PLACE}},
          {IDC_FINISH_QUICKLAUNCH_SHORTCUT, Kind::CheckBox, {IDC_FINISH_QUICKLAUNCH_SHORTCUT_PLACE}},
          {IDC_FINISH_QUICKLAUNCH_SHORTCUT_LABEL, Kind::Label, {IDC_FINISH_QUICKLAUNCH_SHORTCUT_LABEL_PLACE}},
          {IDC_FINISH_DEFAULT_APP, Kind::CheckBox, {IDC_FINISH_DEFAULT_APP_PLACE}},
          {IDC_FINISH_DEFAULT_APP_LABEL, Kind::Label, {IDC_FINISH_DEFAULT_APP_LABEL_PLACE}},
          {IDC_FINISH_RUN_PRODUCT, Kind::CheckBox, {IDC_FINISH_RUN_PRODUCT_PLACE}},
          {IDC_FINISH_RUN_PRODUCT_LABEL, Kind::Label, {IDC_FINISH_RUN_PRODUCT_LABEL_PLACE}}}},
        // The two modal dialogs are 350 x 185 dialog units (525 x 301 pixels)
        // until they take the size of their pictures.
        {IDD_EXIT_DIALOG, Frame::Popup, 525, 301,
         {{IDC_EXIT_YES, Kind::ImageButton, {IDC_EXIT_YES_PLACE}},
          {IDC_EXIT_NO, Kind::ImageButton, {IDC_EXIT_NO_PLACE}},
          {IDC_EXIT_CLOSE_BOX, Kind::ImageButton, {IDC_EXIT_CLOSE_BOX_PLACE}}}},
        {IDD_ERROR_DIALOG, Frame::Popup, 525, 301,
         {{IDC_ERROR_CLOSE_BOX, Kind::ImageButton, {IDC_ERROR_CLOSE_BOX_PLACE}},
          {IDC_ERROR_CANCEL, Kind::ImageButton, {IDC_ERROR_CANCEL_PLACE}},
          {IDC_ERROR_RETRY, Kind::ImageButton, {IDC_ERROR_RETRY_PLACE}},
          {IDC_ERROR_CLOSE, Kind::ImageButton, {IDC_ERROR_CLOSE_PLACE}}}},
    };
    return dialogs;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring lower(name);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

int CountChildren(HWND dialog) {
    int count = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

// What each kind of control must be for the code that subclasses it.
void ExpectKind(HWND control, const Control& expected) {
    const DWORD style = StyleOf(control);
    const std::wstring type = ClassOf(control);
    switch (expected.kind) {
        case Kind::ImageButton:
            EXPECT_EQ(type, L"button");
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
            break;
        case Kind::CheckBox:
            EXPECT_EQ(type, L"button");
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
            break;
        case Kind::Radio:
            EXPECT_EQ(type, L"button");
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON));
            break;
        case Kind::Label: {
            EXPECT_EQ(type, L"static");
            const DWORD textType = style & SS_TYPEMASK;
            EXPECT_TRUE(textType == SS_LEFT || textType == SS_LEFTNOWORDWRAP) << "static type " << textType;
            EXPECT_TRUE(style & SS_NOPREFIX) << "an ampersand in a text would turn into an underline";
            break;
        }
        case Kind::Painted:
            EXPECT_EQ(type, L"static");
            EXPECT_EQ(style & SS_NOTIFY, 0u) << "the wizard must be draggable through it";
            EXPECT_EQ(TextOf(control), L"");
            break;
        case Kind::Edit:
            EXPECT_EQ(type, L"edit");
            EXPECT_TRUE(style & ES_AUTOHSCROLL) << "long entries must scroll";
            EXPECT_TRUE(style & WS_TABSTOP);
            EXPECT_FALSE(style & (ES_READONLY | ES_PASSWORD | ES_MULTILINE));
            break;
        case Kind::RichText:
            EXPECT_EQ(type, L"richedit20w");
            EXPECT_TRUE(style & ES_MULTILINE);
            EXPECT_TRUE(style & ES_READONLY);
            EXPECT_TRUE(style & WS_VSCROLL) << "the skinned scroll bar replaces a system one";
            break;
    }
}

class DialogTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite() { richEdit_.Reset(LoadLibraryW(L"riched20.dll")); }
    static void TearDownTestSuite() { richEdit_.Reset(); }

    void SetUp() override {
        ASSERT_TRUE(richEdit_) << "the licence page needs the rich edit control";
        host_.Reset(CreateWindowExW(0, L"STATIC", L"wizard", WS_POPUP, 0, 0, 800, 547, nullptr, nullptr,
                                    nullptr, nullptr));
        ASSERT_TRUE(host_);
    }

    // Pages are created as children of a stand-in main window, the others as
    // top-level windows owned by it.
    UniqueWindow Create(int id) const {
        return UniqueWindow(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), host_.Get(),
                                               QuietDialogProc, 0));
    }

    static Common::UniqueModule richEdit_;
    UniqueWindow host_;
};

Common::UniqueModule DialogTemplates::richEdit_;

// Pixels of the wizard's layout as this system shows them: the templates are
// laid out for 6 x 13 dialog base units, and other fonts scale them.
struct Scale {
    double x, y;

    static Scale Of(HWND dialog) {
        RECT units{0, 0, 400, 800};
        MapDialogRect(dialog, &units);
        return {units.right / 600.0, units.bottom / 1300.0};
    }
};

constexpr double kTolerance = 2.0;  // rounding to dialog units, twice

TEST_F(DialogTemplates, EveryTemplateCreatesWithItsControlsInTheirPlaces) {
    for (const Dialog& expected : Dialogs()) {
        SCOPED_TRACE("template " + std::to_string(expected.id));
        UniqueWindow dialog = Create(expected.id);
        ASSERT_TRUE(dialog);
        const Scale scale = Scale::Of(dialog.Get());

        RECT client{};
        GetClientRect(dialog.Get(), &client);
        EXPECT_NEAR(client.right, expected.width * scale.x, kTolerance);
        EXPECT_NEAR(client.bottom, expected.height * scale.y, kTolerance);
        EXPECT_EQ(CountChildren(dialog.Get()), static_cast<int>(expected.controls.size()))
            << "a control the wizard does not know";

        for (const Control& control : expected.controls) {
            SCOPED_TRACE("control " + std::to_string(control.id));
            HWND window = GetDlgItem(dialog.Get(), control.id);
            ASSERT_NE(window, nullptr);
            ExpectKind(window, control);
            EXPECT_EQ((StyleOf(window) & WS_VISIBLE) != 0, control.visible);

            RECT place{};
            GetWindowRect(window, &place);
            MapWindowPoints(HWND_DESKTOP, dialog.Get(), reinterpret_cast<POINT*>(&place), 2);
            EXPECT_NEAR(place.left, control.place.x * scale.x, kTolerance);
            EXPECT_NEAR(place.top, control.place.y * scale.y, kTolerance);
            EXPECT_NEAR(place.right - place.left, control.place.width * scale.x, kTolerance);
            EXPECT_NEAR(place.bottom - place.top, control.place.height * scale.y, kTolerance);
        }
    }
}

TEST_F(DialogTemplates, WindowsAreBorderlessPopupsOrHiddenChildPages) {
    constexpr DWORD kFrames = WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME;
    for (const Dialog& expected : Dialogs()) {
        SCOPED_TRACE("template " + std::to_string(expected.id));
        UniqueWindow dialog = Create(expected.id);
        ASSERT_TRUE(dialog);
        const DWORD style = StyleOf(dialog.Get());
        EXPECT_EQ(style & kFrames, 0u);
        EXPECT_EQ(style & WS_VISIBLE, 0u) << "the code shows each window when it is ready";
        if (expected.frame == Frame::Page) {
            EXPECT_EQ(style & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_CHILD));
            EXPECT_EQ(GetParent(dialog.Get()), host_.Get());
        } else {
            EXPECT_EQ(style & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_POPUP));
        }
    }
}

TEST_F(DialogTemplates, MainDialogIsTheInstallerWindow) {
    UniqueWindow dialog = Create(IDD_CORVANEINSTALLER_DIALOG);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(dialog.Get()), L"Corvane 2013 Installer");
    EXPECT_TRUE(GetWindowLongPtrW(dialog.Get(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(StyleOf(dialog.Get()) & WS_MINIMIZEBOX) << "it can be minimised from the taskbar";
}

TEST_F(DialogTemplates, PicturesCarryTheWordsOfLanguageButtonsAndCloseBoxes) {
    const struct {
        int dialog;
        int control;
    } buttons[] = {
        {IDD_PAGE_WELCOME, IDC_LANGUAGE_ENGLISH}, {IDD_PAGE_WELCOME, IDC_LANGUAGE_GERMAN},
        {IDD_PAGE_WELCOME, IDC_LANGUAGE_SPANISH}, {IDD_PAGE_WELCOME, IDC_LANGUAGE_FRENCH},
        {IDD_PAGE_WELCOME, IDC_LANGUAGE_ITALIAN}, {IDD_PAGE_WELCOME, IDC_LANGUAGE_JAPANESE},
        {IDD_EXIT_DIALOG, IDC_EXIT_CLOSE_BOX},    {IDD_ERROR_DIALOG, IDC_ERROR_CLOSE_BOX},
    };
    for (const auto& button : buttons) {
        UniqueWindow dialog = Create(button.dialog);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(TextOf(GetDlgItem(dialog.Get(), button.control)), L"") << button.control;
    }
}

TEST_F(DialogTemplates, TabMovesThroughTheContactFieldsInReadingOrder) {
    UniqueWindow page = Create(IDD_PAGE_SEND_EMAIL);
    ASSERT_TRUE(page);
    // Tabbing skips windows that are not shown.
    ShowWindow(host_.Get(), SW_SHOWNA);
    ShowWindow(page.Get(), SW_SHOWNA);
    const int order[] = {IDC_EMAIL_FIRST_NAME, IDC_EMAIL_LAST_NAME, IDC_EMAIL_ADDRESS, IDC_EMAIL_FIRST_NAME};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        HWND next = GetNextDlgTabItem(page.Get(), GetDlgItem(page.Get(), order[i]), FALSE);
        EXPECT_EQ(GetDlgCtrlID(next), order[i + 1]) << "after " << order[i];
    }
}

}  // namespace
