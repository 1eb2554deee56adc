#include "services/InstallationId.h"

#include <windows.h>
#include <rpc.h>

#include "common/WideText.h"

namespace {

// The system's UUID as text; empty when none can be made or formatted.
std::u16string SystemUuidText() {
    UUID uuid{};
    const RPC_STATUS created = UuidCreate(&uuid);
    // A UUID unique to this machine only is still a good installation id.
    if (created != RPC_S_OK && created != RPC_S_UUID_LOCAL_ONLY) return {};
    RPC_WSTR text = nullptr;
    if (UuidToStringW(&uuid, &text) != RPC_S_OK || !text) return {};
    std::u16string result = Common::FromWide(reinterpret_cast<const wchar_t*>(text));
    RpcStringFreeW(&text);
    return result;
}

}  // namespace

std::u16string MakeInstallationId() { return ChooseInstallationId(SystemUuidText()); }
