// The error and exit dialogs run modally, answered by messages posted to them
// once they are up: the results, the reports each answer makes, the buttons
// a set shows and where, the language's picture, and the keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "TestSession.h"
#include "language/AsLanguage_Manager.h"
#include "WizardLayout.h"
#include "resource.h"
#include "wizard/ErrorDialog.h"
#include "wizard/ExitDialog.h"

namespace {

// What the user does once the dialog is open: a click on a button, or a key.
struct Answer {
    int button = 0;  // a control id, or 0 for `key`
    WPARAM key = 0;
};

void PostAnswers(HWND dialog, const std::vector<Answer>& answers) {
    for (const Answer& answer : answers) {
        if (answer.button) {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer.button)));
        } else {
            PostMessageW(dialog, WM_KEYDOWN, answer.key, 0);
            PostMessageW(dialog, WM_KEYUP, answer.key, 0);
        }
    }
}

struct ButtonLook {
    bool visible;
    POINT place;
    SIZE size;
    std::wstring caption;
};

ButtonLook LookOf(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    RECT rect{};
    GetWindowRect(button, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    wchar_t caption[64] = {};
    GetWindowTextW(button, caption, 64);
    return {(GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE) != 0, {rect.left, rect.top},
            {rect.right - rect.left, rect.bottom - rect.top}, caption};
}

// A rectangle of the wizard's layout table.
struct Place {
    long x, y, width, height;
};

// The button sits at its place in the layout, whatever the system's dialog units.
void ExpectAt(const ButtonLook& button, const Place& place) {
    EXPECT_EQ(std::make_pair(button.place.x, button.place.y), std::make_pair(place.x, place.y));
}

void ExpectSized(const ButtonLook& button, const Place& place) {
    EXPECT_EQ(std::make_pair(button.size.cx, button.size.cy), std::make_pair(place.width, place.height));
}

SIZE WindowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Each dialog kind with a hook that answers once the window is initialised
// and lets the test look at it first.
template <typename Base>
class Scripted : public Base {
public:
    template <typename... Args>
    explicit Scripted(std::vector<Answer> answers, Args&&... args)
        : Base(std::forward<Args>(args)...), answers_(std::move(answers)) {}

    std::function<void(HWND)> inspect;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = Base::OnInitDialog();
        if (inspect) inspect(this->Handle());
        PostAnswers(this->Handle(), answers_);
        return result;
    }

private:
    std::vector<Answer> answers_;
};

class LanguageScope {
public:
    explicit LanguageScope(LanguageId language) : previous_(TestSession().language.Current_Language()) {
        TestSession().language.Change_Language(language);
    }
    ~LanguageScope() { TestSession().language.Change_Language(previous_); }

private:
    LanguageId previous_;
};

TEST(ErrorDialog, EachAnswerGivesItsResultAndOnlyGivingUpIsReported) {
    using ModalDialog::Error;
    const struct {
        const char* name;
        std::vector<Answer> answers;
        int result;
        int reports;
    } cases[] = {
        {"Cancel", {{IDC_ERROR_CANCEL}}, Error::kCancelled, 1},
        {"Retry", {{IDC_ERROR_RETRY}}, Error::kRetried, 0},
        {"close box", {{IDC_ERROR_CLOSE_BOX}}, Error::kClosedByBox, 1},
        {"Close", {{IDC_ERROR_CLOSE}}, Error::kClosed, 1},
        {"Escape", {{0, VK_ESCAPE}}, Error::kCancelled, 1},
        // The close box's result differs from every button Return could press.
        {"Return does nothing", {{0, VK_RETURN}, {IDC_ERROR_CLOSE_BOX}}, Error::kClosedByBox, 1},
    };
    for (const auto& c : cases) {
        int reports = 0;
        Scripted<Error> dialog(c.answers, TestSession().language, u"The download failed.",
                               Error::kCancel | Error::kRetry | Error::kClose,
                               [&reports] { ++reports; });
        EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
        EXPECT_EQ(reports, c.reports) << c.name;
    }
}

TEST(ErrorDialog, ShowsTheButtonsOfItsSetAtTheirPlaces) {
    using ModalDialog::Error;
    const struct {
        std::uint32_t set;
        bool cancel, retry, close;
    } cases[] = {
        {Error::kCancel | Error::kRetry, true, true, false},
        {Error::kClose, false, false, true},
        {0, false, false, false},
    };
    for (const auto& c : cases) {
        Scripted<Error> dialog({{IDC_ERROR_RETRY}}, TestSession().language, u"Message", c.set, [] {});
        dialog.inspect = [&](HWND window) {
            const ButtonLook cancel = LookOf(window, IDC_ERROR_CANCEL), retry = LookOf(window, IDC_ERROR_RETRY),
                             close = LookOf(window, IDC_ERROR_CLOSE), box = LookOf(window, IDC_ERROR_CLOSE_BOX);
            EXPECT_EQ(cancel.visible, c.cancel) << c.set;
            EXPECT_EQ(retry.visible, c.retry) << c.set;
            EXPECT_EQ(close.visible, c.close) << c.set;
            EXPECT_TRUE(box.visible);
            ExpectAt(retry, {IDC_ERROR_RETRY_PLACE});
            ExpectAt(cancel, {IDC_ERROR_CANCEL_PLACE});
            ExpectAt(close, {IDC_ERROR_CLOSE_PLACE});
            ExpectAt(box, {IDC_ERROR_CLOSE_BOX_PLACE});
            ExpectSized(box, {IDC_ERROR_CLOSE_BOX_PLACE});
            const SIZE size = WindowSize(window);
            EXPECT_EQ(std::make_pair(size.cx, size.cy), std::make_pair(480L, 280L));
            wchar_t name[16] = {};
            GetWindowTextW(window, name, 16);
            EXPECT_STREQ(name, L"Message");  // the painted message is the window's name
        };
        dialog.DoModal();
    }
}

TEST(ErrorDialog, CaptionsFollowTheLanguage) {
    LanguageScope german(Language::German);
    using ModalDialog::Error;
    Scripted<Error> dialog({{IDC_ERROR_RETRY}}, TestSession().language, u"Message",
                           Error::kCancel | Error::kRetry | Error::kClose, [] {});
    dialog.inspect = [](HWND window) {
        const AsLanguage_Manager& languages = TestSession().language;
        EXPECT_EQ(LookOf(window, IDC_ERROR_CANCEL).caption, reinterpret_cast<const wchar_t*>(languages.Get_Text(1002)));
        EXPECT_EQ(LookOf(window, IDC_ERROR_RETRY).caption, reinterpret_cast<const wchar_t*>(languages.Get_Text(6)));
        EXPECT_EQ(LookOf(window, IDC_ERROR_CLOSE).caption, reinterpret_cast<const wchar_t*>(languages.Get_Text(5)));
        EXPECT_NE(LookOf(window, IDC_ERROR_CANCEL).caption, L"Cancel");
    };
    dialog.DoModal();
}

TEST(ErrorDialog, ItsWindowTextIsTheMessage) {
    using ModalDialog::Error;
    const std::u16string message = u"The proxy server requires you to sign in.\r\nPlease try again later.";
    Scripted<Error> dialog({{IDC_ERROR_CLOSE}}, TestSession().language, message, Error::kClose, [] {});
    dialog.inspect = [&](HWND window) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), message);
    };
    dialog.DoModal();
}

// The log's path reaches screen readers too, on a line of its own under the
// message, whole however long it is.
TEST(ErrorDialog, ItsWindowTextNamesTheLogUnderTheMessage) {
    using ModalDialog::Error;
    const std::u16string message = u"The download failed.";
    const std::u16string log =
        u"C:\\users\\someone with a long name\\AppData\\Local\\Temp\\Corvane2013_Install_20240107_100001.log";
    Scripted<Error> dialog({{IDC_ERROR_CLOSE}}, TestSession().language, message, Error::kClose, [] {});
    dialog.SetLogPath(log);
    dialog.inspect = [&](HWND window) {
        wchar_t text[512] = {};
        GetWindowTextW(window, text, 512);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), message + u"\n" + log);
    };
    dialog.DoModal();
}

TEST(ExitDialog, YesReportsOnceAndEverythingElseIsNo) {
    using ModalDialog::Exit;
    const struct {
        const char* name;
        std::vector<Answer> answers;
        int result;
        int reports;
    } cases[] = {
        {"Yes", {{IDC_EXIT_YES}}, Exit::kYes, 1},
        {"No", {{IDC_EXIT_NO}}, Exit::kNo, 0},
        {"close box", {{IDC_EXIT_CLOSE_BOX}}, Exit::kNo, 0},
        {"Escape", {{0, VK_ESCAPE}}, Exit::kNo, 0},
        // No after Return: had Return confirmed, the result would be Yes.
        {"Return does nothing", {{0, VK_RETURN}, {IDC_EXIT_NO}}, Exit::kNo, 0},
    };
    for (const auto& c : cases) {
        int reports = 0;
        Scripted<Exit> dialog(c.answers, TestSession().language, [&reports] { ++reports; });
        EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
        EXPECT_EQ(reports, c.reports) << c.name;
    }
}

TEST(ExitDialog, ShowsThePictureOfTheLanguageWithItsButtons) {
    using ModalDialog::Exit;
    // Each language has a picture of its own, with the question in its words.
    std::set<int> pictures;
    for (const LanguageId shown : {Language::English, Language::French, Language::German, Language::Spanish,
                                   Language::Italian, Language::Japanese}) {
        LanguageScope language(shown);
        Scripted<Exit> dialog({{IDC_EXIT_NO}}, TestSession().language, [] {});
        dialog.inspect = [&](HWND window) {
            const ButtonLook yes = LookOf(window, IDC_EXIT_YES), no = LookOf(window, IDC_EXIT_NO),
                             box = LookOf(window, IDC_EXIT_CLOSE_BOX);
            ExpectAt(yes, {IDC_EXIT_YES_PLACE});
            ExpectAt(no, {IDC_EXIT_NO_PLACE});
            ExpectAt(box, {IDC_EXIT_CLOSE_BOX_PLACE});
            EXPECT_EQ(yes.caption, reinterpret_cast<const wchar_t*>(TestSession().language.Get_Text(IDC_EXIT_YES)));
            EXPECT_EQ(no.caption, reinterpret_cast<const wchar_t*>(TestSession().language.Get_Text(IDC_EXIT_NO)));
            const SIZE size = WindowSize(window);
            EXPECT_EQ(std::make_pair(size.cx, size.cy), std::make_pair(440L, 280L));
        };
        dialog.DoModal();
        EXPECT_TRUE(pictures.insert(dialog.Picture()).second) << "a picture shared by " << shown;
        EXPECT_EQ(dialog.Picture(), ModalDialog::ExitPicture(shown)) << shown;
        EXPECT_EQ(dialog.Background().Width(), 440u) << shown;
        EXPECT_EQ(dialog.Background().Height(), 280u) << shown;
    }
}

}  // namespace
