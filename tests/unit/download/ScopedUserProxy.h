// Sets the current user's manual proxy list for the life of the object, where
// the engine's ReadUserProxySettings finds it: on Windows the connection
// settings in the registry, natively the environment variable standing in
// for them.
#pragma once

#include <memory>
#include <string>

namespace TestServer {

class ScopedUserProxy {
public:
    explicit ScopedUserProxy(const std::string& servers);
    ~ScopedUserProxy();
    ScopedUserProxy(const ScopedUserProxy&) = delete;
    ScopedUserProxy& operator=(const ScopedUserProxy&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

}  // namespace TestServer
