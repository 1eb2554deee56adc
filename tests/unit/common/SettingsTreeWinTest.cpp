#include "common/SettingsRoot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "common/Registry.h"

namespace {

using namespace Common;
using namespace Common::Settings;

constexpr char16_t kKey[] = u"Software\\Corvane Tests\\Settings";

std::u16string Below(const char16_t* tail) { return std::u16string(kKey) + tail; }

// The code of the Common::WinEx that `action` raises, or 0 when it raises none.
unsigned long RaisedCode(const std::function<void()>& action, std::u16string* text = nullptr) {
    try {
        action();
    } catch (const WinEx& error) {
        if (text) *text = error.Text;
        return error.Code();
    }
    return 0;
}

class SettingsTree : public testing::Test {
protected:
    void SetUp() override { Registry::DeleteKeyTree(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { Registry::DeleteKeyTree(HKEY_CURRENT_USER, kKey); }

    std::shared_ptr<SettingsRootNode> root = GetSettingsRoot(kKey);
};

TEST_F(SettingsTree, TypedValuesGoStraightToTheRegistry) {
    root->SetInt(u"Int", -5);
    root->SetBool(u"Bool", true);
    root->SetDword(u"Dword", 0xFFFFFFFEu);
    root->SetString(u"Text", u"\u00e9t\u00e9");
    root->SetString(u"Empty", u"");
    const std::uint8_t bytes[] = {0, 'a', 0xFF};
    root->SetBinary(u"Blob", bytes, sizeof(bytes));

    EXPECT_EQ(root->GetInt(u"Int"), -5);
    EXPECT_EQ(root->GetDword(u"Int"), 0xFFFFFFFBu);  // the same REG_DWORD
    EXPECT_TRUE(root->GetBool(u"Bool"));
    EXPECT_EQ(Registry::ReadDword(HKEY_CURRENT_USER, kKey, u"Bool"), 1u);
    EXPECT_EQ(root->GetDword(u"Dword"), 0xFFFFFFFEu);
    EXPECT_TRUE(root->GetBool(u"Dword"));  // any non-zero number
    EXPECT_EQ(root->GetString(u"Text"), u"\u00e9t\u00e9");
    EXPECT_EQ(root->GetString(u"Empty"), u"");
    EXPECT_EQ(root->GetBinary(u"Blob"), std::vector<std::uint8_t>(bytes, bytes + 3));
    EXPECT_EQ(root->GetBinaryString(u"Blob"), std::string("\0a\xFF", 3));

    root->SetBool(u"Bool", false);
    EXPECT_FALSE(root->GetBool(u"Bool"));
    root->RemoveValue(u"Int");
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kKey, u"Int", REG_NONE), DWORD(REG_NONE));
}

TEST_F(SettingsTree, TypeMismatchesRaiseCode12AndTouchNothing) {
    root->SetDword(u"Number", 7);
    root->SetString(u"Text", u"x");
    const std::uint8_t bytes[] = {1, 2};
    root->SetBinary(u"Blob", bytes, sizeof(bytes));

    const std::function<void()> mismatches[] = {
        [&] { root->GetString(u"Number"); },
        [&] { root->SetString(u"Blob", u"new"); },
        [&] { root->GetInt(u"Text"); },
        [&] { root->SetBool(u"Text", true); },
        [&] { root->SetDword(u"Blob", 1); },
        [&] { root->GetBinary(u"Number"); },
        [&] { root->GetBinaryString(u"Text"); },
        [&] { root->SetBinary(u"Text", bytes, 1); },
    };
    for (const auto& mismatch : mismatches) {
        std::u16string text;
        EXPECT_EQ(RaisedCode(mismatch, &text), 12u);
        EXPECT_EQ(text.rfind(u"Win32 error in file SettingsRoot_win.cpp in line ", 0), 0u);
    }
    EXPECT_EQ(root->GetDword(u"Number"), 7u);
    EXPECT_EQ(root->GetString(u"Text"), u"x");
    EXPECT_EQ(root->GetBinary(u"Blob"), std::vector<std::uint8_t>(bytes, bytes + 2));
}

TEST_F(SettingsTree, MissingValuesAndKeysFailInTheRegistryLayer) {
    EXPECT_EQ(RaisedCode([&] { root->GetString(u"GUID"); }), 2u);  // no key yet
    root->SetInt(u"Other", 1);
    EXPECT_EQ(RaisedCode([&] { root->GetString(u"GUID"); }), 2u);
    EXPECT_EQ(RaisedCode([&] { root->GetInt(u"Missing"); }), 2u);
    EXPECT_EQ(RaisedCode([&] { root->RemoveValue(u"Missing"); }), 2u);
    EXPECT_NE(RaisedCode([] { GetSettingsRoot(u"Software\\Corvane Tests\\Nowhere")->Clear(); }), 0u);
}

TEST_F(SettingsTree, ChildrenAreNodesBelowThePath) {
    root->Child(u"a\\b")->SetString(u"v", u"deep");
    std::u16string text;
    Registry::ReadString(HKEY_CURRENT_USER, Below(u"\\a\\b"), u"v", text);
    EXPECT_EQ(text, u"deep");

    // A child is a node like any other, and getting one creates nothing.
    auto child = root->Child(u"c");
    child->Child(u"d");
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, Below(u"\\c"), u"", 99), 99u);
    child->SetInt(u"n", 3);
    auto names = root->ChildNames();
    std::sort(names->begin(), names->end());
    EXPECT_EQ(*names, (std::vector<std::u16string>{u"a", u"c"}));

    EXPECT_EQ(RaisedCode([&] { root->RemoveChild(u"a\\b"); }), 13u);
    EXPECT_EQ(RaisedCode([&] { root->RemoveChild(u""); }), 0u);
    EXPECT_EQ(root->ChildNames()->size(), 2u);
    root->RemoveChild(u"a");
    EXPECT_EQ(*root->ChildNames(), std::vector<std::u16string>{u"c"});
    EXPECT_EQ(RaisedCode([&] { root->RemoveChild(u"never-there"); }), 0u);
}

TEST_F(SettingsTree, ClearEmptiesTheKeyButKeepsIt) {
    root->SetInt(u"one", 1);
    root->SetString(u"two", u"2");
    root->Child(u"x\\y")->SetInt(u"v", 1);
    root->Child(u"z")->SetInt(u"v", 1);

    root->Clear();
    EXPECT_TRUE(root->ChildNames()->empty());
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kKey, u"one", REG_NONE), DWORD(REG_NONE));
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kKey, u"two", REG_NONE), DWORD(REG_NONE));
}

TEST_F(SettingsTree, WellKnownChildrenOfTheRoot) {
    struct Case {
        SettingsNodePtr (ISettingsRoot::*accessor)();
        const char16_t* subkey;
    };
    const Case cases[] = {
        {&ISettingsRoot::Links, u"Links"},
        {&ISettingsRoot::PluginsSettings, u"Plugins Settings"},
        {&ISettingsRoot::PreviewersSettings, u"Previewers Settings"},
        {&ISettingsRoot::AnnotationSettings, u"Annotation Settings"},
        {&ISettingsRoot::EnterpriseServer, u"EnterpriseServer"},
        {&ISettingsRoot::PdfPrinter, u"PDF Printer"},
        {&ISettingsRoot::StartDialogState, u"Start Dialog State"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.subkey)));
        auto node = std::dynamic_pointer_cast<SettingsRootNode>((*root.*c.accessor)());
        ASSERT_TRUE(node);
        EXPECT_EQ(node->Path(), std::u16string(kKey) + u"\\" + c.subkey);
        EXPECT_EQ(node->Root(), HKEY_CURRENT_USER);
    }
}

TEST_F(SettingsTree, GetSettingsRootMakesANewNodeEachTime) {
    auto first = GetSettingsRoot(kKey);
    auto second = GetSettingsRoot(kKey);
    EXPECT_NE(first, second);
    EXPECT_EQ(second.use_count(), 2);  // the caller's and the one kept until exit
    EXPECT_EQ(first->Path(), kKey);
    EXPECT_EQ(first->Root(), HKEY_CURRENT_USER);
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kKey, u"", 99), 99u);

    first->SetString(u"GUID", u"1b4e28ba-2fa1-11d2-883f-0016d3cca427");
    EXPECT_EQ(second->GetString(u"GUID"), u"1b4e28ba-2fa1-11d2-883f-0016d3cca427");
}

}  // namespace
