#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "LanguageTestTables.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"

namespace {

// Runs `action` and returns the code and text of the AException it raises.
template <typename Action>
std::pair<std::int32_t, std::u16string> RaisedBy(Action action) {
    try {
        action();
    } catch (const AException& error) {
        return {error.Code(), error.Text() ? error.Text() : u"<null>"};
    }
    return {0, u"<nothing raised>"};
}

class RecordingWindow : public IMultilanguage {
public:
    RecordingWindow(std::vector<std::pair<int, LanguageId>>& log, int name) : log_(log), name_(name) {}
    void ApplyLanguage(LanguageId language) override { log_.push_back({name_, language}); }

private:
    std::vector<std::pair<int, LanguageId>>& log_;
    int name_;
};

TEST(LanguageManager, RegistersTheSixTablesInItsOrder) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    const std::vector<std::pair<LanguageId, std::u16string>> expected = {
        {Language::English, u"English"}, {Language::German, u"Deutsch"},   {Language::Spanish, u"Espa\u00f1ol"},
        {Language::French, u"Fran\u00e7ais"}, {Language::Italian, u"Italiano"}, {Language::Japanese, u"Japanese"},
    };
    ASSERT_EQ(manager.Tables().Count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(manager.Tables()[i]->language, expected[i].first);
        EXPECT_EQ(std::u16string(manager.Tables()[i]->name), expected[i].second);
        const ALang_Resource* found = nullptr;
        ASSERT_TRUE(manager.Find_Resource(expected[i].first, found));
        EXPECT_EQ(found, manager.Tables()[i]);
    }
    const ALang_Resource* found = nullptr;
    EXPECT_FALSE(manager.Find_Resource(6, found));
    EXPECT_TRUE(manager.Find_Resource(Language::Current, found));
    EXPECT_EQ(found->language, Language::English);
}

TEST(LanguageManager, GetTextFollowsTheCurrentLanguage) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    struct Case {
        LanguageId language;
        std::int32_t item;
        const char16_t* text;
    };
    const Case cases[] = {
        {Language::English, LI_RETRY, u"Retry"},        {Language::German, 1000, u"Weiter"},
        {Language::French, LI_FINISH, u"Terminer"},     {Language::Spanish, 1327, u"S\u00ed"},
        {Language::Italian, LI_SKIP, u"Evita"},         {Language::Japanese, 1002, u"\u30ad\u30e3\u30f3\u30bb\u30eb"},
        {Language::Japanese, LI_SLIDE5_LINE4, u""},     {Language::English, 1256, u""},
        {Language::German, LI_ERROR, u"Fehler"},        {Language::Spanish, LI_ERROR, u"Error"},
    };
    for (const Case& c : cases) {
        manager.Change_Language(c.language);
        EXPECT_EQ(std::u16string(manager.Get_Text(c.item)), c.text) << c.language << " " << c.item;
        // The text is the table's own, valid for the program's life.
        EXPECT_EQ(manager.Get_Text(c.item), manager.Find_Entry(c.item, c.language).text);
    }
}

TEST(LanguageManager, UnknownItemsAndLanguagesRaise) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    const std::u16string setText = u"AsLanguage_Manager::Set_Text";
    EXPECT_EQ(RaisedBy([&] { manager.Get_Text(kLastLangItem + 1); }), std::make_pair(AException::kNoEntry, setText));
    EXPECT_EQ(RaisedBy([&] { manager.Get_Text(999); }), std::make_pair(AException::kNoEntry, setText));
    EXPECT_EQ(RaisedBy([&] { manager.Find_Entry(1000, 6); }), std::make_pair(AException::kNoTable, setText));

    // A manager without a table for the current language (English).
    AsLanguage_Manager germanOnly(setting, {{Language::German, u"Deutsch", &TextTableGerman}});
    EXPECT_EQ(RaisedBy([&] { germanOnly.Get_Text(LI_CLOSE); }), std::make_pair(AException::kNoTable, setText));
    EXPECT_EQ(std::u16string(germanOnly.Find_Entry(LI_CLOSE, Language::German).text), u"Schlie\u00dfen");
}

TEST(LanguageManager, RefusesASecondTableForOneLanguage) {
    MemoryLanguageSetting setting;
    const auto tables = std::vector<ALang_Resource>{{Language::English, u"English", &TextTableEnglish},
                                                    {Language::English, u"Again", &TextTableGerman}};
    EXPECT_EQ(RaisedBy([&] { AsLanguage_Manager manager(setting, tables); }),
              std::make_pair(AException::kTableExists, std::u16string(u"AsLanguage_Manager::Add_String_Table")));

    AsLanguage_Manager manager(setting);
    EXPECT_EQ(RaisedBy([&] { manager.Add_String_Table(Language::Japanese, u"Japanese", TextTableJapanese); }).first,
              AException::kTableExists);
    EXPECT_EQ(manager.Tables().Count(), 6);
}

TEST(LanguageManager, StartUpCatchesInconsistentTables) {
    struct Case {
        const char* what;
        int position;
        std::int32_t id;              // written at `position`, unless 0
        const char16_t* text;         // written at `position`
        bool inAllTables;
        std::u16string expectedText;
    };
    const Case cases[] = {
        {"one table has another id", 40, 4711, u"x", false, u""},
        {"end entries differ", kLangItemCount, 4711, nullptr, false, u""},
        {"an ELang_Item is missing", 109, 4711, u"x", true, u"Extra constant in ELang_Item enum"},
        {"an item has no text", 3, 4, nullptr, true, u""},
    };
    for (const Case& c : cases) {
        ALang_Table english = TextTableEnglish;
        ALang_Table german = TextTableGerman;
        english[c.position].id = c.id;
        english[c.position].text = c.text;
        if (c.inAllTables) german[c.position] = english[c.position];
        MemoryLanguageSetting setting;
        const auto tables = std::vector<ALang_Resource>{{Language::English, u"English", &english},
                                                        {Language::German, u"Deutsch", &german}};
        EXPECT_EQ(RaisedBy([&] { AsLanguage_Manager manager(setting, tables); }),
                  std::make_pair(AException::kTablesDisagree, c.expectedText))
            << c.what;
    }
}

TEST(LanguageManager, StartsInTheStoredLanguageWhenItIsValid) {
    const std::pair<std::optional<std::int32_t>, LanguageId> cases[] = {
        {std::nullopt, Language::English}, {6, Language::English},       {-1, Language::English},
        {INT_MIN, Language::English},      {5, Language::Japanese},      {2, Language::German},
        {0, Language::English},
    };
    for (const auto& [stored, expected] : cases) {
        MemoryLanguageSetting setting(stored);
        AsLanguage_Manager manager(setting);
        EXPECT_EQ(manager.Current_Language(), expected) << stored.value_or(-999);
        EXPECT_EQ(std::u16string(manager.Get_Text(1000)), TextOf(TableOf(expected), 1000));
    }
}

TEST(LanguageManager, ChangeLanguageTellsEveryWindowInOrder) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    std::vector<std::pair<int, LanguageId>> log;
    RecordingWindow first(log, 1), second(log, 2), third(log, 3);
    manager.Register_Window(&first);
    manager.Register_Window(&second);
    manager.Register_Window(nullptr);  // ignored
    manager.Register_Window(&third);
    manager.Register_Window(&second);  // again: stays in its place, told once

    manager.Change_Language(Language::German);
    EXPECT_EQ(log, (std::vector<std::pair<int, LanguageId>>{{1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(manager.Current_Language(), Language::German);

    // Outside 0 to 5 nothing changes and nobody is told.
    log.clear();
    for (LanguageId invalid : {-1, 6, 100}) manager.Change_Language(invalid);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(manager.Current_Language(), Language::German);
}

TEST(LanguageManager, AWindowRegisteredWhileWindowsAreToldIsToldToo) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    std::vector<std::pair<int, LanguageId>> log;
    std::vector<RecordingWindow> late;
    late.reserve(40);
    // Registers enough windows to make the list grow while it is walked.
    struct Registrar : IMultilanguage {
        AsLanguage_Manager* manager;
        std::vector<RecordingWindow>* late;
        std::vector<std::pair<int, LanguageId>>* log;
        void ApplyLanguage(LanguageId) override {
            if (!late->empty()) return;
            for (int i = 0; i < 40; ++i) {
                late->emplace_back(*log, 100 + i);
                manager->Register_Window(&late->back());
            }
        }
    } registrar;
    registrar.manager = &manager;
    registrar.late = &late;
    registrar.log = &log;
    manager.Register_Window(&registrar);
    manager.Change_Language(Language::Italian);
    ASSERT_EQ(log.size(), 40u);
    EXPECT_EQ(log.front(), std::make_pair(100, Language::Italian));
    EXPECT_EQ(log.back(), std::make_pair(139, Language::Italian));
}

TEST(LanguageManager, SaveLanguageStoresTheCurrentLanguage) {
    MemoryLanguageSetting setting(std::nullopt);
    AsLanguage_Manager manager(setting);
    manager.Change_Language(Language::Spanish);
    EXPECT_EQ(setting.Load(), std::nullopt);  // not stored until asked
    manager.Save_Language();
    EXPECT_EQ(setting.Load(), Language::Spanish);
}

TEST(LanguageManager, PlacementsComeWithTheEntryOfTheLanguage) {
    MemoryLanguageSetting setting;
    AsLanguage_Manager manager(setting);
    const ALang_Entry& spanish = manager.Find_Entry(1360, Language::Spanish);
    EXPECT_EQ((std::vector<int>{spanish.x, spanish.y, spanish.width, spanish.height}),
              (std::vector<int>{235, 160, 600, 20}));
    EXPECT_EQ(manager.Find_Entry(1360, Language::English).x, 180);
    EXPECT_FALSE(manager.Find_Entry(1000, Language::Spanish).HasPlacement());
}

TEST(LanguageManager, TheInstallersManagerIsBuiltFromTheSixBuiltInTables) {
    MemoryLanguageSetting setting;
    const AsLanguage_Manager manager(setting);
    EXPECT_EQ(manager.Tables().Count(), 6);
}

TEST(LanguageCode, OneCodePerLanguageAndEnglishOtherwise) {
    const std::pair<LanguageId, const char16_t*> cases[] = {
        {0, u"en"}, {1, u"fr"}, {2, u"de"}, {3, u"es"}, {4, u"it"}, {5, u"jp"}, {6, u"en"}, {-1, u"en"}, {INT_MIN, u"en"},
    };
    for (const auto& [language, code] : cases) EXPECT_EQ(LanguageCode(language), code) << language;
}

}  // namespace
