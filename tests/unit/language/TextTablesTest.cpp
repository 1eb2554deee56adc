#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "LanguageTestTables.h"
#include "common/Utf8Text.h"
#include "language/ELang_Item.h"

namespace {

TEST(TextTables, EveryTableHoldsTheEnglishIdsAtTheSamePositions) {
    for (const NamedTable& named : kAllTables) {
        for (int position = 0; position < kLangTableLength; ++position)
            EXPECT_EQ((*named.table)[position].id, TextTableEnglish[position].id)
                << named.name << " position " << position;
    }
}

TEST(TextTables, ItemsCarryTextsAndTheTableEndsWithAnEmptyEntry) {
    for (const NamedTable& named : kAllTables) {
        for (int position = 0; position < kLangItemCount; ++position)
            EXPECT_NE((*named.table)[position].text, nullptr) << named.name << " position " << position;
        const ALang_Entry& end = (*named.table)[kLangItemCount];
        EXPECT_EQ(end.id, 0) << named.name;
        EXPECT_EQ(end.text, nullptr) << named.name;
        EXPECT_FALSE(end.HasPlacement()) << named.name;
    }
}

TEST(TextTables, HoldEveryELangItemOnceFiftyThreeControlsAndOnePlaceholder) {
    std::map<std::int32_t, int> seen;
    int controls = 0;
    for (int position = 0; position < kLangItemCount; ++position) {
        const std::int32_t id = TextTableEnglish[position].id;
        ++seen[id];
        if (id >= 1000) ++controls;
    }
    for (std::int32_t item = kFirstLangItem; item <= kLastLangItem; ++item) EXPECT_EQ(seen[item], 1) << item;
    EXPECT_EQ(controls, 53);
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(TextTableEnglish[29].id, 0);
    EXPECT_EQ(std::u16string(TextTableEnglish[29].text), u"");
    // Spot checks of the order: first, around the placeholder, last.
    EXPECT_EQ(TextTableEnglish[0].id, 1);
    EXPECT_EQ(TextTableEnglish[17].id, 1268);
    EXPECT_EQ(TextTableEnglish[30].id, 1002);
    EXPECT_EQ(TextTableEnglish[48].id, 1179);
    EXPECT_EQ(TextTableEnglish[kLangItemCount - 1].id, 1372);
}

struct Quoted {
    LanguageId language;
    std::int32_t item;
    const char16_t* text;
};

// Texts that must stand exactly as the product has them.
const Quoted kQuoted[] = {
    {Language::English, 11,
     u"\u0421an\u2019t download installation package.\r\nPlease, check your firewall and security settings and try "
     u"again later.\r\nError code: "},
    {Language::English, 15,
     u"The Windows Installer service could not be accessed. Please update The Microsoft\u00ae Windows\u00ae "
     u"Installer and try again."},
    {Language::English, 43, u"Set permissions: restrict print, edit, save\u2026"},
    {Language::English, 1241, u"Click \u201cFinish\u201d to close the installer."},
    {Language::English, 1326, u"Do you want to exit\r\nCorvane 2013\r\nDownload and Install Manager?"},
    {Language::English, 1352, u"By clicking \"Next\" you agree to the Partner"},
    {Language::English, 1361,
     u"Install the Partner Security Toolbar. Set, keep and protect  Partner Secure Search as my homepage\r\nand "
     u"default search provider."},
    {Language::English, 1179, u"Downloading Corvane 2013. %d%% complete (%4.2f of %4.2f \u041cB)."},
    {Language::German, 1179, u"Corvane 2013 heruntergeladen. %d%% komplett (%4.2f von %4.2f MB)."},
    {Language::French, 1179, u"T\u00e9l\u00e9chargement de Corvane 2013. %d%% compl\u00e9t\u00e9 (%4.2f sur %4.2f \u041cB)."},
    {Language::Spanish, 1179, u"Descargando Corvane 2013. %d%% completo (%4.2f of %4.2f MB)"},
    {Language::Italian, 1179, u"Download Corvane 2013 in corso.. Completata al %d%% (%4.2f di %4.2f \u041cB)."},
    {Language::Japanese, 1179,
     u"Corvane 2012 \u3092\u30c0\u30a6\u30f3\u30ed\u30fc\u30c9\u4e2d\u3002%d%% \u304c\u5b8c\u4e86\uff08%4.2f "
     u"MB\u306e%4.2f\uff09\u3002"},
    {Language::English, 1000, u"Next"},
    {Language::German, 1000, u"Weiter"},
    {Language::French, 1000, u"Suivant"},
    {Language::Spanish, 1000, u"Siguiente"},
    {Language::Italian, 1000, u"Avanti"},
    {Language::Japanese, 1000, u"\u6b21\u3078"},
    {Language::English, 1001, u"Back"},
    {Language::German, 1001, u"Zur\u00fcck"},
    {Language::French, 1001, u"Pr\u00e9c\u00e9dent"},
    {Language::Spanish, 1001, u"Atr\u00e1s"},
    {Language::Italian, 1001, u"Indietro"},
    {Language::Japanese, 1001, u"\u623b\u308b"},
    {Language::English, 1002, u"Cancel"},
    {Language::German, 1002, u"Abbrechen"},
    {Language::French, 1002, u"Annuler"},
    {Language::Spanish, 1002, u"Cancelar"},
    {Language::Italian, 1002, u"Annulla"},
    {Language::Japanese, 1002, u"\u30ad\u30e3\u30f3\u30bb\u30eb"},
    {Language::English, 49, u"Finish"},
    {Language::German, 49, u"Beenden"},
    {Language::French, 49, u"Terminer"},
    {Language::Spanish, 49, u"Finalizar"},
    {Language::Italian, 49, u"Fine"},
    {Language::Japanese, 49, u"\u7d42\u308b"},
    {Language::English, 50, u"Skip"},
    {Language::German, 50, u"Auslassen"},
    {Language::French, 50, u"Sauter"},
    {Language::Spanish, 50, u"Saltar"},
    {Language::Italian, 50, u"Evita"},
    {Language::Japanese, 50, u"\u30b9\u30ad\u30c3\u30d7"},
    {Language::English, 51, u"Reinstall"},
    {Language::German, 51, u"Wiederinstallieren"},
    {Language::French, 51, u"R\u00e9installer"},
    {Language::Spanish, 51, u"Reinstalar"},
    {Language::Italian, 51, u"Reinstallare"},
    {Language::Japanese, 51, u"\u518d\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb\u3059\u308b"},
    {Language::English, 1327, u"Yes"},
    {Language::German, 1327, u"Ja"},
    {Language::French, 1327, u"Oui"},
    {Language::Spanish, 1327, u"S\u00ed"},
    {Language::Italian, 1327, u"Si"},
    {Language::Japanese, 1327, u"\u306f\u3044"},
    {Language::English, 1328, u"No"},
    {Language::German, 1328, u"Nicht"},
    {Language::French, 1328, u"Non"},
    {Language::Japanese, 1328, u"\u3044\u3044\u3048"},
};

TEST(TextTables, QuotedTextsStandExactly) {
    for (const Quoted& quoted : kQuoted)
        EXPECT_EQ(TextOf(TableOf(quoted.language), quoted.item), quoted.text)
            << "language " << quoted.language << " item " << quoted.item;
}

TEST(TextTables, ExactlyTheListedItemsKeepTheEnglishText) {
    using L = std::set<LanguageId>;
    const L allButEnglishAndJapanese = {Language::German, Language::Spanish, Language::French, Language::Italian};
    const std::map<std::int32_t, L> untranslated = {
        {1, {Language::Japanese}},
        {2, {Language::Japanese}},
        {7, {Language::Spanish, Language::Japanese}},
        {1278, allButEnglishAndJapanese},
        {1279, allButEnglishAndJapanese},
        {1253, {Language::French, Language::Italian}},
        {52, {Language::French}},
        {55, {Language::German}},
        {57, {Language::German}},
        {59, {Language::German}},
        {61, {Language::German}},
        {70, {Language::German}},
        {1328, {Language::Spanish, Language::Italian}},
        {1345, {Language::German, Language::Spanish, Language::French, Language::Italian, Language::Japanese}},
        {1346, {Language::German, Language::French}},
    };
    for (int position = 0; position < kLangItemCount; ++position) {
        const ALang_Entry& english = TextTableEnglish[position];
        if (std::u16string(english.text).empty()) continue;  // empty in every language
        L same;
        for (const NamedTable& named : kAllTables)
            if (named.language != Language::English &&
                std::u16string((*named.table)[position].text) == english.text)
                same.insert(named.language);
        const auto listed = untranslated.find(english.id);
        EXPECT_EQ(same, listed == untranslated.end() ? L{} : listed->second) << "item " << english.id;
    }
}

TEST(TextTables, EmptyItemsAreEmptyEverywhere) {
    for (const NamedTable& named : kAllTables)
        for (std::int32_t item : {40, 1256, 1257}) EXPECT_EQ(TextOf(*named.table, item), u"") << named.name << item;
}

TEST(TextTables, JapaneseNamesTheProductCorvane2012) {
    int named = 0;
    for (int position = 0; position < kLangItemCount; ++position) {
        const std::u16string english = TextTableEnglish[position].text;
        const std::u16string japanese = TextTableJapanese[position].text;
        EXPECT_EQ(japanese.find(u"Corvane 2013"), std::u16string::npos) << TextTableEnglish[position].id;
        if (english.find(u"Corvane 2013") != std::u16string::npos) {
            ++named;
            EXPECT_NE(japanese.find(u"Corvane 2012"), std::u16string::npos) << TextTableEnglish[position].id;
        }
        for (const NamedTable& other : kAllTables) {
            if (other.language == Language::Japanese) continue;
            EXPECT_EQ(std::u16string((*other.table)[position].text).find(u"2012"), std::u16string::npos)
                << other.name << " " << TextTableEnglish[position].id;
        }
    }
    EXPECT_EQ(named, 8);
}

// The printf conversions of a text in order, "%%" included.
std::vector<std::u16string> Conversions(const std::u16string& text) {
    std::vector<std::u16string> found;
    for (std::size_t i = text.find(u'%'); i != std::u16string::npos; i = text.find(u'%', i)) {
        std::size_t end = i + 1;
        while (end < text.size() && std::u16string_view(u"0123456789.-+ #lh").find(text[end]) != std::u16string::npos)
            ++end;
        found.push_back(text.substr(i, end + 1 - i));
        i = end + 1;
    }
    return found;
}

TEST(TextTables, FormatTextsKeepTheEnglishConversionsInOrder) {
    EXPECT_EQ(Conversions(TextOf(TextTableEnglish, 1179)),
              (std::vector<std::u16string>{u"%d", u"%%", u"%4.2f", u"%4.2f"}));
    EXPECT_EQ(Conversions(TextOf(TextTableEnglish, 1197)), (std::vector<std::u16string>{u"%d", u"%%"}));
    for (const NamedTable& named : kAllTables)
        for (int position = 0; position < kLangItemCount; ++position)
            EXPECT_EQ(Conversions((*named.table)[position].text), Conversions(TextTableEnglish[position].text))
                << named.name << " item " << TextTableEnglish[position].id;
}

std::string Format(const ALang_Table& table, std::int32_t item, int percent, double first, double second) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, Common::ToUtf8(TextOf(table, item)).c_str(), percent, first, second);
    return buffer;
}

TEST(TextTables, DownloadProgressReadsInEachLanguagesOrder) {
    // 12.5 MB of 40 MB at 31 percent; the Japanese sentence takes the total first.
    EXPECT_EQ(Format(TextTableEnglish, 1179, 31, 12.5, 40.0),
              "Downloading Corvane 2013. 31% complete (12.50 of 40.00 \xD0\x9C" "B).");
    EXPECT_EQ(Format(TextTableJapanese, 1179, 31, 40.0, 12.5),
              Common::ToUtf8(u"Corvane 2012 \u3092\u30c0\u30a6\u30f3\u30ed\u30fc\u30c9\u4e2d\u3002" u"31% "
                             u"\u304c\u5b8c\u4e86\uff08" u"40.00 MB\u306e" u"12.50\uff09\u3002"));
    EXPECT_EQ(Format(TextTableGerman, 1197, 31, 0, 0), "Corvane 2013 wird installiert. 31% abgeschlossen.");
}

TEST(TextTables, FiveControlsCarryPerLanguagePlacements) {
    struct Placement {
        std::int32_t item;
        LanguageId language;
        std::int32_t x, y, width, height;
    };
    using namespace Language;
    const Placement kPlacements[] = {
        {1360, English, 180, 160, 600, 20}, {1360, German, 180, 160, 600, 20}, {1360, French, 175, 160, 600, 20},
        {1360, Spanish, 235, 160, 600, 20}, {1360, Italian, 240, 160, 600, 20}, {1360, Japanese, 190, 160, 600, 20},
        {1352, English, 105, 350, 220, 20}, {1352, German, 105, 340, 300, 20}, {1352, French, 105, 350, 250, 20},
        {1352, Spanish, 105, 350, 300, 20}, {1352, Italian, 105, 350, 300, 20}, {1352, Japanese, 105, 345, 300, 20},
        {1353, English, 315, 350, 165, 20}, {1353, German, 405, 340, 145, 20}, {1353, French, 335, 350, 175, 20},
        {1353, Spanish, 382, 350, 170, 20}, {1353, Italian, 285, 350, 150, 20}, {1353, Japanese, 255, 345, 155, 20},
        {1354, English, 480, 350, 20, 20},  {1354, German, 552, 340, 40, 20},   {1354, French, 510, 350, 40, 20},
        {1354, Spanish, 555, 350, 50, 20},  {1354, Italian, 435, 350, 100, 20}, {1354, Japanese, 410, 345, 400, 20},
        {1355, English, 505, 350, 150, 20}, {1355, German, 595, 340, 200, 20},  {1355, French, 535, 350, 200, 20},
        {1355, Spanish, 605, 350, 120, 20}, {1355, Italian, 495, 350, 138, 20}, {1355, Japanese, 445, 345, 100, 20},
    };
    for (const Placement& expected : kPlacements) {
        bool found = false;
        for (const ALang_Entry& entry : TableOf(expected.language)) {
            if (entry.id != expected.item) continue;
            found = true;
            EXPECT_EQ(entry.x, expected.x) << expected.item << " in " << expected.language;
            EXPECT_EQ(entry.y, expected.y) << expected.item << " in " << expected.language;
            EXPECT_EQ(entry.width, expected.width) << expected.item << " in " << expected.language;
            EXPECT_EQ(entry.height, expected.height) << expected.item << " in " << expected.language;
        }
        EXPECT_TRUE(found) << expected.item;
    }
    const std::set<std::int32_t> placed = {1352, 1353, 1354, 1355, 1360};
    for (const NamedTable& named : kAllTables)
        for (const ALang_Entry& entry : *named.table)
            EXPECT_EQ(entry.HasPlacement(), placed.count(entry.id) == 1) << named.name << " item " << entry.id;
}

}  // namespace
