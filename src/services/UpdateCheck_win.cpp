#include "services/UpdateCheck.h"

#include <windows.h>

#include "DeploymentValues.h"
#include "app/InstallerConfig.h"
#include "common/AnsiText.h"
#include "services/CServiceT.h"
#include "services/ComApartment_win.h"
#include "services/SoapWininetClient.h"
#include "sysinfo/InstalledProduct.h"

namespace {

// The product's id at the update service.
constexpr std::int32_t kUpdateProductId = 13;

}  // namespace

VersionRecord QueryServiceVersion(const std::u16string& serviceUrl, std::uint32_t timeoutMilliseconds) {
    const ComApartment com;  // outlives the client
    Update::CServiceT<> service(serviceUrl);
    service.SetTimeout(timeoutMilliseconds);
    Soap::SoapString result;
    if (Soap::Failed(service.GetVersionInfo(kUpdateProductId, &result)) || !result) return {};
    std::u16string_view document = *result;
    // A byte-order mark has no place in the code page's text.
    if (!document.empty() && document.front() == u'\xFEFF') document.remove_prefix(1);
    return VersionFromDocument(Common::ToAnsi(document));
}

VersionRecord QueryServiceVersion() { return QueryServiceVersion(Deployment::kUpdateUrl); }

VersionComparison CompareInstalledVersion() {
    return CompareInstalledVersion(TheInstallerConfig(),
                                   {[] { return QueryServiceVersion(); }, [] { return FindInstalledProduct(); }});
}
