// Readies what the package's signature check opens the first time in a
// process (the trusted roots, the chain engine) on a thread of its own, so
// that a window can start it early and the check later finds it done.
#pragma once

namespace Installation {

void PrepareChecksInBackground();

}  // namespace Installation
