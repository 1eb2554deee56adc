#include "common/Registry.h"

#include <aclapi.h>
#include <gtest/gtest.h>

#include "common/WinHandles.h"

namespace {

using namespace Common;

constexpr char16_t kKey[] = u"Software\\Corvane Tests\\Registry";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { Registry::DeleteKeyTree(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { Registry::DeleteKeyTree(HKEY_CURRENT_USER, kKey); }
};

TEST_F(RegistryTest, ValuesRoundTrip) {
    Registry::WriteDword(HKEY_CURRENT_USER, kKey, u"Number", 0xCAFEBABE);
    Registry::WriteString(HKEY_CURRENT_USER, kKey, u"Text", u"Corvane \u65e5\u672c");
    const std::uint8_t bytes[] = {1, 0, 2, 'x'};
    Registry::WriteBinary(HKEY_CURRENT_USER, kKey, u"Blob", bytes, sizeof(bytes));

    EXPECT_EQ(Registry::ReadDword(HKEY_CURRENT_USER, kKey, u"Number"), 0xCAFEBABEu);
    std::u16string text;
    Registry::ReadString(HKEY_CURRENT_USER, kKey, u"Text", text);
    EXPECT_EQ(text, u"Corvane \u65e5\u672c");
    EXPECT_EQ(Registry::ReadBinary(HKEY_CURRENT_USER, kKey, u"Blob"), std::vector<std::uint8_t>(bytes, bytes + 4));
    EXPECT_EQ(Registry::ReadBinaryString(HKEY_CURRENT_USER, kKey, u"Blob"), std::string("\x01\x00\x02x", 4));
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kKey, u"Blob", REG_NONE), DWORD(REG_BINARY));
}

TEST_F(RegistryTest, MissingValuesRaiseWithTheSystemText) {
    Registry::WriteDword(HKEY_CURRENT_USER, kKey, u"Present", 1);
    for (const char16_t* name : {u"Absent", u"Present\\x"}) {
        try {
            std::u16string text;
            Registry::ReadString(HKEY_CURRENT_USER, kKey, name, text);
            ADD_FAILURE() << "no error for a missing value";
        } catch (const WinEx& error) {
            EXPECT_EQ(error.Code(), 2u);
            EXPECT_EQ(error.Text.rfind(u"Win32 error in file Registry_win.cpp in line ", 0), 0u);
            EXPECT_NE(error.Text.find(u" code = 2. Message: "), std::u16string::npos);
            EXPECT_EQ(error.Text.back(), u'.');
        }
    }
    EXPECT_THROW(Registry::ReadDword(HKEY_CURRENT_USER, u"Software\\Corvane Tests\\Nowhere", u"x"), WinEx);
    // The binary-string read reports the thread's last error instead.
    EXPECT_THROW(Registry::ReadBinaryString(HKEY_CURRENT_USER, kKey, u"Absent"), WinEx);
    // Missing is "nothing there" for these two.
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kKey, u"Absent", 77), 77u);
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, u"Software\\Corvane Tests\\Nowhere", u"", 77), 77u);
    EXPECT_NO_THROW(Registry::DeleteKeyTree(HKEY_CURRENT_USER, u"Software\\Corvane Tests\\Nowhere"));
}

TEST_F(RegistryTest, ZeroLengthAndUntypedReads) {
    // An empty REG_SZ value of size 0 leaves the caller's text alone.
    {
        Registry::WriteDword(HKEY_CURRENT_USER, kKey, u"Seed", 0);
        UniqueKey key;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane Tests\\Registry", 0, KEY_WRITE, key.Put()), 0);
        ASSERT_EQ(RegSetValueExW(key.Get(), L"Empty", 0, REG_SZ, nullptr, 0), 0);
    }
    std::u16string text = u"unchanged";
    Registry::ReadString(HKEY_CURRENT_USER, kKey, u"Empty", text);
    EXPECT_EQ(text, u"unchanged");
    EXPECT_TRUE(Registry::ReadBinary(HKEY_CURRENT_USER, kKey, u"Empty").empty());

    // An empty text is written as one NUL character.
    Registry::WriteString(HKEY_CURRENT_USER, kKey, u"Blank", u"");
    EXPECT_EQ(Registry::ReadBinary(HKEY_CURRENT_USER, kKey, u"Blank").size(), 2u);

    // A DWORD read does not look at the stored type: "A" and its NUL are four bytes.
    Registry::WriteString(HKEY_CURRENT_USER, kKey, u"Word", u"A");
    EXPECT_EQ(Registry::ReadDword(HKEY_CURRENT_USER, kKey, u"Word"), 0x41u);
}

TEST_F(RegistryTest, TreesAreEnumeratedAndDeleted) {
    for (const char16_t* path : {u"\\b", u"\\a\\deep\\deeper", u"\\a\\other", u"\\c"}) {
        Registry::WriteDword(HKEY_CURRENT_USER, std::u16string(kKey) + path, u"v", 1);
    }
    auto names = Registry::EnumSubKeys(HKEY_CURRENT_USER, kKey);
    std::sort(names->begin(), names->end());
    EXPECT_EQ(*names, (std::vector<std::u16string>{u"a", u"b", u"c"}));
    EXPECT_TRUE(Registry::EnumSubKeys(HKEY_CURRENT_USER, std::u16string(kKey) + u"\\c")->empty());

    Registry::DeleteKeyTree(HKEY_CURRENT_USER, std::u16string(kKey) + u"\\a");
    names = Registry::EnumSubKeys(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(names->size(), 2u);

    Registry::WriteDword(HKEY_CURRENT_USER, kKey, u"one", 1);
    Registry::WriteDword(HKEY_CURRENT_USER, kKey, u"two", 2);
    {
        UniqueKey key;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane Tests\\Registry", 0, KEY_ALL_ACCESS, key.Put()), 0);
        Registry::DeleteSubKeys(key.Get());
        Registry::DeleteValues(key.Get());
    }
    EXPECT_TRUE(Registry::EnumSubKeys(HKEY_CURRENT_USER, kKey)->empty());
    EXPECT_EQ(Registry::ValueType(HKEY_CURRENT_USER, kKey, u"one", REG_NONE), DWORD(REG_NONE));

    Registry::DeleteKeyTree(HKEY_CURRENT_USER, kKey);
    EXPECT_THROW(Registry::EnumSubKeys(HKEY_CURRENT_USER, kKey), WinEx);
}

TEST_F(RegistryTest, GrantsEveryoneFullAccess) {
    Registry::WriteDword(HKEY_CURRENT_USER, kKey, u"v", 1);
    Registry::GrantEveryoneFullAccess(kKey);

    UniqueKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane Tests\\Registry", 0, READ_CONTROL, key.Put()), 0);
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetSecurityInfo(key.Get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor),
              0u);
    UniqueLocal owner(descriptor);
    ASSERT_NE(dacl, nullptr);
    ASSERT_EQ(dacl->AceCount, 1);
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, 0, reinterpret_cast<void**>(&ace)));
    EXPECT_EQ(ace->Mask, DWORD(KEY_ALL_ACCESS));
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    UniqueSid everyone;
    ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, 0, 0, 0, 0, 0, 0, 0, 0, everyone.Put()));
    EXPECT_TRUE(EqualSid(&ace->SidStart, everyone.Get()));

    EXPECT_THROW(Registry::GrantEveryoneFullAccess(u"Software\\Corvane Tests\\Nowhere"), WinEx);
}

TEST(WinEx, UnknownCodesSayUnknownError) {
    const WinEx error(0x2FFFFFFF, "Somewhere.cpp", 12);
    EXPECT_EQ(error.Text, u"Win32 error in file Somewhere.cpp in line 12 code = 805306367. Message: Unknown error.");
}

}  // namespace
