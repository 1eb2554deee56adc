#include "sysinfo/AdapterList.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

// Whatever adapters the machine has, the text is groups of
// "XX-XX-XX-XX-XX-XX " and nothing else.
TEST(AdapterList, IsMadeOfAddressGroups) {
    const std::string list = AdapterList();
    std::printf("adapter list: \"%s\"\n", list.c_str());
    ASSERT_EQ(list.size() % 18, 0u) << list;
    for (std::size_t at = 0; at < list.size(); ++at) {
        const std::size_t place = at % 18;
        const char c = list[at];
        if (place == 17) {
            EXPECT_EQ(c, ' ') << list;
        } else if (place % 3 == 2) {
            EXPECT_EQ(c, '-') << list;
        } else {
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F')) << list;
        }
    }
}

}  // namespace
