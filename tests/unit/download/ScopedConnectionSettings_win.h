// The user's Internet connection settings in the test prefix's registry, kept
// the way Windows keeps them (the connection settings record WinHTTP reads),
// for the life of the object.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace TestServer {

// Flags of the connection settings record.
constexpr std::uint32_t kDirect = 0x1, kManualProxy = 0x2, kScript = 0x4, kAutoDetect = 0x8;

class ScopedConnectionSettings {
public:
    ScopedConnectionSettings(std::uint32_t flags, const std::string& servers, const std::string& bypass,
                             const std::string& script);
    ~ScopedConnectionSettings();
    ScopedConnectionSettings(const ScopedConnectionSettings&) = delete;
    ScopedConnectionSettings& operator=(const ScopedConnectionSettings&) = delete;

private:
    std::optional<std::vector<std::uint8_t>> old_;
};

}  // namespace TestServer
