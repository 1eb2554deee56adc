#include "ScopedUserProxy.h"

#include "ScopedConnectionSettings_win.h"

namespace TestServer {

struct ScopedUserProxy::Saved {
    ScopedConnectionSettings settings;
};

ScopedUserProxy::ScopedUserProxy(const std::string& servers)
    : saved_(new Saved{{kDirect | kManualProxy, servers, "", ""}}) {}

ScopedUserProxy::~ScopedUserProxy() = default;

}  // namespace TestServer
