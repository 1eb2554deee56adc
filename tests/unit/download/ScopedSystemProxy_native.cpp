#include "ScopedSystemProxy.h"

#include <cstdlib>

namespace {
constexpr char kVariable[] = "CORVANE_SYSTEM_PROXY";
}

ScopedSystemProxy::ScopedSystemProxy(const std::string& proxy) {
    if (const char* old = std::getenv(kVariable)) oldServer_ = old;
    setenv(kVariable, proxy.c_str(), 1);
}

ScopedSystemProxy::~ScopedSystemProxy() {
    if (oldServer_) {
        setenv(kVariable, oldServer_->c_str(), 1);
    } else {
        unsetenv(kVariable);
    }
}
