#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/UniqueResource.h"
#include "common/WideText.h"
#include "language/AsLanguage_Manager.h"

namespace {

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle window) noexcept { DestroyWindow(window); }
};
using UniqueWindow = Common::UniqueResource<WindowTraits>;

// A hidden top-level window standing in for a dialog, with static children at
// (10, 10, 50, 20) carrying the given ids.
class TestDialog {
public:
    explicit TestDialog(std::initializer_list<int> controlIds)
        : window_(CreateWindowExW(0, L"STATIC", L"test dialog", WS_OVERLAPPEDWINDOW, 0, 0, 800, 547, nullptr,
                                  nullptr, nullptr, nullptr)) {
        for (int id : controlIds)
            CreateWindowExW(0, L"STATIC", L"template text", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, window_.Get(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    HWND Get() const { return window_.Get(); }

    std::u16string Text(int id) const {
        wchar_t buffer[512] = {};
        GetWindowTextW(GetDlgItem(Get(), id), buffer, 512);
        return Common::FromWide(buffer);
    }

    // x, y, width, height in the dialog's client coordinates.
    std::vector<LONG> Placement(int id) const {
        RECT rect{};
        GetWindowRect(GetDlgItem(Get(), id), &rect);
        MapWindowPoints(HWND_DESKTOP, Get(), reinterpret_cast<POINT*>(&rect), 2);
        return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

private:
    UniqueWindow window_;
};

std::int32_t RaisedCode(const std::function<void()>& action) {
    try {
        action();
    } catch (const AException& error) {
        return error.Code();
    }
    return 0;
}

TEST(SetText, PutsTheTextAndMovesPlacedControlsPerLanguage) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    struct Case {
        LanguageId language;
        LONG x;
        const char16_t* next;
    };
    const Case cases[] = {
        {Language::English, 180, u"Next"},    {Language::German, 180, u"Weiter"},
        {Language::French, 175, u"Suivant"},  {Language::Spanish, 235, u"Siguiente"},
        {Language::Italian, 240, u"Avanti"},  {Language::Japanese, 190, u"\u6b21\u3078"},
    };
    for (const Case& c : cases) {
        TestDialog dialog({1360, 1000});
        ASSERT_NE(dialog.Get(), nullptr);
        manager.Set_Text({1360, 1000}, dialog.Get(), c.language);
        EXPECT_EQ(dialog.Text(1360), manager.Find_Entry(1360, c.language).text) << c.language;
        EXPECT_EQ(dialog.Placement(1360), (std::vector<LONG>{c.x, 160, 600, 20})) << c.language;
        EXPECT_EQ(dialog.Text(1000), c.next) << c.language;
        // Without a placement the control keeps its template place.
        EXPECT_EQ(dialog.Placement(1000), (std::vector<LONG>{10, 10, 50, 20})) << c.language;
    }
}

TEST(SetText, CurrentLanguageIsTheDefault) {
    MemoryLanguageSetting setting(Language::Spanish);
    AsLanguage_Manager manager(setting);
    TestDialog dialog({1360});
    manager.Set_Text({1360}, dialog.Get());
    EXPECT_EQ(dialog.Text(1360), u"(recomendada)");
    EXPECT_EQ(dialog.Placement(1360)[0], 235);
}

TEST(SetText, RaisesForMissingTablesEntriesAndControls) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    TestDialog dialog({1000, 1001});
    EXPECT_EQ(RaisedCode([&] { manager.Set_Text({1000}, dialog.Get(), 6); }), AException::kNoTable);
    EXPECT_EQ(RaisedCode([&] { manager.Set_Text({1000, 999}, dialog.Get()); }), AException::kNoEntry);
    // The controls before the failing one have their texts already.
    EXPECT_EQ(dialog.Text(1000), u"Next");
    EXPECT_EQ(RaisedCode([&] { manager.Set_Text({1001, 1002}, dialog.Get()); }), AException::kNoControl);
    EXPECT_EQ(dialog.Text(1001), u"Back");
}

// A page that re-texts its buttons whenever the language changes.
class TestPage : public IMultilanguage {
public:
    explicit TestPage(AsLanguage_Manager& manager) : manager_(manager), dialog_({1000, 1001, 1002}) {
        manager_.Register_Window(this);
    }
    void ApplyLanguage(LanguageId language) override { manager_.Set_Text({1000, 1001, 1002}, dialog_.Get(), language); }
    const TestDialog& Dialog() const { return dialog_; }

private:
    AsLanguage_Manager& manager_;
    TestDialog dialog_;
};

TEST(SetText, ChangingTheLanguageReTextsEveryRegisteredWindow) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    TestPage shown(manager), notYetShown(manager);
    manager.Change_Language(Language::German);
    for (const TestPage* page : {&shown, &notYetShown}) {
        EXPECT_EQ(page->Dialog().Text(1000), u"Weiter");
        EXPECT_EQ(page->Dialog().Text(1001), u"Zur\u00fcck");
        EXPECT_EQ(page->Dialog().Text(1002), u"Abbrechen");
    }
    manager.Change_Language(Language::Japanese);
    EXPECT_EQ(notYetShown.Dialog().Text(1002), u"\u30ad\u30e3\u30f3\u30bb\u30eb");
}

}  // namespace
