#include "common/OfficeDetection.h"

#include <windows.h>
#include <msi.h>

#include "common/ProductQueries.h"
#include "common/WideText.h"

namespace Common {
namespace {

bool FeatureInstalled(const std::u16string& productCode, const std::u16string& feature) {
    const INSTALLSTATE state = MsiQueryFeatureStateW(AsWide(productCode), AsWide(feature));
    return state == INSTALLSTATE_LOCAL || state == INSTALLSTATE_SOURCE;
}

}  // namespace

bool MatchesOfficeProduct(int application, int generation, const std::u16string& productCode) {
    return MatchesOfficeProduct(application, generation, productCode, FeatureInstalled);
}

bool IsOfficeAppInstalled(int application, int generation) {
    return IsOfficeAppAmong(application, generation, InstalledProductCodes(), FeatureInstalled);
}

std::uint32_t DetectInstalledApplications() {
    // One enumeration serves all fifteen questions.
    return OfficeDetectionMask(InstalledProductCodes(), FeatureInstalled);
}

}  // namespace Common
