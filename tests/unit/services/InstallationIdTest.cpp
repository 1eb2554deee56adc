#include "services/InstallationId.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

TEST(InstallationId, UuidTextIsLowerCaseHexInFiveGroups) {
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 17);
    EXPECT_EQ(UuidText(bytes), u"00112233-4455-6677-8899-aabbccddeeff");
}

TEST(InstallationId, RandomUuidsAreVersionFourAndDiffer) {
    const std::u16string first = RandomUuidText();
    const std::u16string second = RandomUuidText();
    const std::string narrow(first.begin(), first.end());
    const std::regex versionFour("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");
    EXPECT_TRUE(std::regex_match(narrow, versionFour)) << narrow;
    EXPECT_NE(first, second);
}

TEST(InstallationId, TheSystemIdElseARandomOneElseTheNilUuid) {
    const auto random = [] { return std::u16string(u"random"); };
    const auto none = [] { return std::u16string(); };
    EXPECT_EQ(ChooseInstallationId(u"system", random), u"system");
    EXPECT_EQ(ChooseInstallationId(u"", random), u"random");
    EXPECT_EQ(ChooseInstallationId(u"", none), u"00000000-0000-0000-0000-000000000000");
    EXPECT_EQ(ChooseInstallationId(u"").size(), 36u);
}

}  // namespace
