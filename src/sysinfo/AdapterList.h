// The machine's network adapters as the statistics report names them.
#pragma once

#include <cstdint>
#include <string>

// Every adapter's hardware address as "XX-XX-XX-XX-XX-XX " (upper-case
// hexadecimal, one blank after each), in the order the system lists them;
// empty when the list cannot be read. 8-bit text.
std::string AdapterList();

// One adapter's group: always its first six address bytes, whatever address
// length the system reports.
std::string AdapterAddressGroup(const std::uint8_t (&address)[6]);
