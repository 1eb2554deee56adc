// Sets the system's proxy for the life of the object and restores the old
// setting afterwards: on Windows the Internet settings in the registry (which
// WinInet reads), natively the environment variable the engine reads there.
#pragma once

#include <optional>
#include <string>

class ScopedSystemProxy {
public:
    explicit ScopedSystemProxy(const std::string& proxy);
    ~ScopedSystemProxy();
    ScopedSystemProxy(const ScopedSystemProxy&) = delete;
    ScopedSystemProxy& operator=(const ScopedSystemProxy&) = delete;

private:
    std::optional<unsigned long> oldEnable_;
    std::optional<std::string> oldServer_;
};
