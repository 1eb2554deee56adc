#include "download/SystemProxy.h"

#include <cstdlib>

namespace Download {

std::string SystemProxy() {
    const char* proxy = std::getenv("CORVANE_SYSTEM_PROXY");
    return proxy ? proxy : "";
}

}  // namespace Download
