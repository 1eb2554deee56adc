#include "ScopedUserProxy.h"

#include <cstdlib>
#include <optional>

namespace TestServer {

namespace {
constexpr char kVariable[] = "CORVANE_SYSTEM_PROXY";
}

struct ScopedUserProxy::Saved {
    std::optional<std::string> old;
};

ScopedUserProxy::ScopedUserProxy(const std::string& servers) : saved_(new Saved) {
    if (const char* old = std::getenv(kVariable)) saved_->old = old;
    setenv(kVariable, servers.c_str(), 1);
}

ScopedUserProxy::~ScopedUserProxy() {
    if (saved_->old) {
        setenv(kVariable, saved_->old->c_str(), 1);
    } else {
        unsetenv(kVariable);
    }
}

}  // namespace TestServer
