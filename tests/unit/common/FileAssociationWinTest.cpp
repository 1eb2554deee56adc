#include "common/FileAssociation.h"

#include <gtest/gtest.h>

#include <map>

#include "common/Registry.h"

namespace {

using namespace Common;

constexpr char16_t kFileExts[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
constexpr char16_t kSettings[] = u"Software\\Corvane 2013\\Settings";
constexpr char16_t kFolder[] = u"C:\\Program Files\\Corvane 2013";

std::u16string Read(HKEY root, const std::u16string& key, const std::u16string& value) {
    std::u16string text = u"<missing>";
    try {
        Registry::ReadString(root, key, value, text);
    } catch (const WinEx&) {
    }
    return text;
}

// The whole state the sequence is responsible for, for before/after comparisons.
std::map<std::u16string, std::u16string> Snapshot(int generation) {
    std::map<std::u16string, std::u16string> state;
    for (const char16_t* key : {u".pdf", u".wwf", u"Corvane 2013\\DefaultIcon", u"Corvane 2013.WWF\\DefaultIcon",
                                u"Corvane 2013\\shell\\open\\command", u"Corvane 2013.WWF\\shell\\open\\command"}) {
        state[std::u16string(u"HKCR\\") + key] = Read(HKEY_CLASSES_ROOT, key, u"");
    }
    state[u"AUMID"] = Read(HKEY_CLASSES_ROOT, u"Corvane 2013", u"AppUserModelID");
    state[u"AUMID.WWF"] = Read(HKEY_CLASSES_ROOT, u"Corvane 2013.WWF", u"AppUserModelID");
    state[u"previous"] = Read(HKEY_CURRENT_USER, kSettings, u"previous association");
    state[u"previous wwf"] = Read(HKEY_CURRENT_USER, kSettings, u"previous association wwf");
    state[u"choice pdf"] = Read(HKEY_CURRENT_USER, UserChoiceKey(u".pdf", generation), u"ProgID");
    state[u"choice wwf"] = Read(HKEY_CURRENT_USER, UserChoiceKey(u".wwf", generation), u"ProgID");
    state[u"openwith pdf"] = std::u16string(1, char16_t(Registry::ValueType(
        HKEY_CURRENT_USER, std::u16string(kFileExts) + u".pdf\\OpenWithProgids", u"Corvane 2013", REG_NONE)));
    return state;
}

class FileAssociationTest : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        for (const char16_t* key : {u".pdf", u".wwf", u"Corvane 2013", u"Corvane 2013.WWF", u"OtherReader.Document"}) {
            Registry::DeleteKeyTree(HKEY_CLASSES_ROOT, key);
        }
        Registry::DeleteKeyTree(HKEY_CURRENT_USER, std::u16string(kFileExts) + u".pdf");
        Registry::DeleteKeyTree(HKEY_CURRENT_USER, std::u16string(kFileExts) + u".wwf");
        Registry::DeleteKeyTree(HKEY_CURRENT_USER, kSettings);
    }
};

TEST_F(FileAssociationTest, TakesOverPdfAndRemembersThePreviousReader) {
    Registry::WriteString(HKEY_CLASSES_ROOT, u".pdf", u"", u"OtherReader.Document");
    FileAssociation association;
    association.SetOsGeneration(2);
    association.Run(kFolder);

    const auto state = Snapshot(2);
    EXPECT_EQ(state.at(u"HKCR\\.pdf"), u"OtherReader.Document");  // a non-empty default is left alone
    EXPECT_EQ(state.at(u"HKCR\\.wwf"), u"");                       // a missing key is created empty
    EXPECT_EQ(state.at(u"HKCR\\Corvane 2013\\DefaultIcon"), u"C:\\Program Files\\Corvane 2013\\Corvane 2013.exe,1");
    EXPECT_EQ(state.at(u"HKCR\\Corvane 2013.WWF\\DefaultIcon"),
              u"C:\\Program Files\\Corvane 2013\\Corvane 2013.exe,2");
    EXPECT_EQ(state.at(u"HKCR\\Corvane 2013.WWF\\shell\\open\\command"),
              u"\"C:\\Program Files\\Corvane 2013\\Corvane 2013.exe\"\"%1\"");
    EXPECT_EQ(state.at(u"AUMID.WWF"), u"Corvane 2013");
    EXPECT_EQ(state.at(u"previous"), u"OtherReader.Document");
    EXPECT_EQ(state.at(u"previous wwf"), u"");
    EXPECT_EQ(state.at(u"choice pdf"), u"Corvane 2013");
    EXPECT_EQ(state.at(u"choice wwf"), u"Corvane 2013.WWF");
    EXPECT_EQ(state.at(u"openwith pdf"), std::u16string(1, char16_t(REG_BINARY)));

    // A second run changes nothing: the previous reader stays remembered.
    association.Run(kFolder);
    EXPECT_EQ(Snapshot(2), state);
}

TEST_F(FileAssociationTest, OlderSystemsKeepTheChoiceInTheExtensionKey) {
    FileAssociation association;
    association.SetOsGeneration(1);
    association.Run(kFolder);
    EXPECT_EQ(Read(HKEY_CURRENT_USER, std::u16string(kFileExts) + u".pdf", u"ProgID"), u"Corvane 2013");
    EXPECT_EQ(Read(HKEY_CURRENT_USER, std::u16string(kFileExts) + u".pdf\\UserChoice", u"ProgID"), u"<missing>");
}

}  // namespace
