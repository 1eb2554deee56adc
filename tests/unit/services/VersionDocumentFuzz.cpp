// The version document of the update service from arbitrary bytes: no input
// may crash the parser or run it out of stack; a version it reports must
// be one that the text really spells.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/UpdateCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string document(reinterpret_cast<const char*>(data), size);
    const VersionRecord version = VersionFromDocument(document);
    if (!version.IsNone() && document.find(std::to_string(version.build2)) == std::string::npos) std::abort();
    return 0;
}
