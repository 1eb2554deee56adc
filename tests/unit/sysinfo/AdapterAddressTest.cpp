#include <gtest/gtest.h>

#include "sysinfo/AdapterList.h"

namespace {

TEST(AdapterAddressGroup, SixUpperCaseBytesAndABlank) {
    const std::uint8_t first[6] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    const std::uint8_t second[6] = {0xff, 0x00, 0x0f, 0xf0, 0x09, 0xa0};
    EXPECT_EQ(AdapterAddressGroup(first) + AdapterAddressGroup(second), "00-1A-2B-3C-4D-5E FF-00-0F-F0-09-A0 ");
}

}  // namespace
