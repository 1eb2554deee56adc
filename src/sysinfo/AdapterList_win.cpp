#include "sysinfo/AdapterList.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstring>
#include <new>
#include <vector>

namespace {

// Room for one adapter record: most machines need no second call.
constexpr ULONG kFirstBufferSize = 648;

}  // namespace

std::string AdapterList() {
    try {
        ULONG size = kFirstBufferSize;
        std::vector<std::uint8_t> buffer(size);
        auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
        if (GetAdaptersInfo(adapters, &size) == ERROR_BUFFER_OVERFLOW) {
            buffer.assign(size, 0);
            adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
        }
        if (GetAdaptersInfo(adapters, &size) != ERROR_SUCCESS) return {};

        std::string list;
        for (const IP_ADAPTER_INFO* adapter = adapters; adapter != nullptr; adapter = adapter->Next) {
            std::uint8_t address[6];
            std::memcpy(address, adapter->Address, sizeof(address));  // Address holds eight bytes
            list += AdapterAddressGroup(address);
        }
        return list;
    } catch (const std::bad_alloc&) {
        return {};
    }
}
