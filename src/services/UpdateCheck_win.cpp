#include "services/UpdateCheck.h"

#include <windows.h>

#include "DeploymentValues.h"
#include "common/AnsiText.h"
#include "common/ProductIdentity.h"
#include "services/CServiceT.h"
#include "services/ComApartment_win.h"
#include "services/SoapWininetClient.h"

VersionRecord QueryServiceVersion(const std::u16string& serviceUrl, std::uint32_t timeoutMilliseconds) {
    const ComApartment com;  // outlives the client
    Update::CServiceT<> service(serviceUrl);
    service.SetTimeout(timeoutMilliseconds);
    Soap::SoapString result;
    if (Soap::Failed(service.GetVersionInfo(Product::kUpdateProductId, &result)) || !result) return {};
    std::u16string_view document = *result;
    // A byte-order mark has no place in the code page's text.
    if (!document.empty() && document.front() == u'\xFEFF') document.remove_prefix(1);
    return VersionFromDocument(Common::ToAnsi(document));
}

VersionRecord QueryServiceVersion() { return QueryServiceVersion(Deployment::kUpdateUrl); }
