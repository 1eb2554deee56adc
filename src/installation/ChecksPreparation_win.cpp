#include "installation/ChecksPreparation.h"

#include "common/DetachedThread.h"
#include "msi/PackageSignature.h"

namespace Installation {

void PrepareChecksInBackground() { Common::StartDetachedThread(MSIInstaller::PrepareTrustChecks); }

}  // namespace Installation
