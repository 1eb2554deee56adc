#include "sysinfo/AdapterList.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

// The text is groups of "XX-XX-XX-XX-XX-XX " and nothing else, and a machine
// with a network adapter (every test machine, the Wine prefix included) gives
// at least one group that holds a real address, not one left all zero.
TEST(AdapterList, IsMadeOfAddressGroupsWithAtLeastOneAddress) {
    const std::string list = AdapterList();
    std::printf("adapter list: \"%s\"\n", list.c_str());
    ASSERT_GE(list.size(), 18u) << "no adapter listed";
    ASSERT_EQ(list.size() % 18, 0u) << list;
    bool someAddressSet = false;
    for (std::size_t at = 0; at < list.size(); ++at) {
        const std::size_t place = at % 18;
        const char c = list[at];
        if (place == 17) {
            EXPECT_EQ(c, ' ') << list;
        } else if (place % 3 == 2) {
            EXPECT_EQ(c, '-') << list;
        } else {
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F')) << list;
            someAddressSet = someAddressSet || c != '0';
        }
    }
    EXPECT_TRUE(someAddressSet) << list;
}

}  // namespace
