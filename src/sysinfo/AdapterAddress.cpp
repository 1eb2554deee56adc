#include "sysinfo/AdapterList.h"

std::string AdapterAddressGroup(const std::uint8_t (&address)[6]) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string group;
    for (std::size_t i = 0; i < 6; ++i) {
        group += kHex[address[i] >> 4];
        group += kHex[address[i] & 0xF];
        group += i < 5 ? '-' : ' ';
    }
    return group;
}
