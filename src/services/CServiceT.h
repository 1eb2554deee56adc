// The proxy of the update service ("Service.asmx").
#pragma once

#include <string>

#include "services/CSoapRootHandler.h"
#include "services/SoapCall.h"
#include "services/UpdateServiceOperations.h"

namespace Soap {
class CSoapWininetClient;
}

namespace Update {

template <typename TClient = Soap::CSoapWininetClient>
class CServiceT : public TClient, public Soap::CSoapRootHandler {
public:
    explicit CServiceT(const std::u16string& url) : TClient(url) {}

    // The version document of the product, or nullopt when the service sent
    // nil. `GetVersionInfoResult` must not be null: that fails at once with
    // kInvalidPointer and no exchange. On failure it is left alone.
    Soap::Status GetVersionInfo(std::int32_t productID, Soap::SoapString* GetVersionInfoResult) {
        if (!GetVersionInfoResult) return Soap::kInvalidPointer;
        return Soap::InvokeOperation(
            static_cast<TClient&>(*this), static_cast<Soap::CSoapRootHandler&>(*this), kGetVersionInfo,
            [&](Soap::ParameterRecord& r) { r[0] = productID; },
            [&](Soap::ParameterRecord& r) { *GetVersionInfoResult = std::get<Soap::SoapString>(std::move(r[1])); });
    }
};

}  // namespace Update
