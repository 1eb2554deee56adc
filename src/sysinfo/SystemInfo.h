// The one-line description of the running Windows release (name, edition,
// platform, service pack and build, processor width) that the statistics
// service receives with the start report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the system reports about itself. Gathered on Windows; built by hand in
// tests, so that every release can be described on any machine.
struct OsFacts {
    bool anyVersionRecord = false;  // one of the two version calls succeeded
    bool extendedRecord = false;    // the extended record (product type, suites) is valid
    std::uint32_t platformId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::u16string servicePack;  // the system's own text, "Service Pack 1"
    std::uint16_t servicePackMajor = 0;
    std::uint16_t servicePackMinor = 0;
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;  // 1 workstation, 2 domain controller, 3 server
    std::uint16_t processorArchitecture = 0;
    bool serverR2 = false;                           // GetSystemMetrics(SM_SERVERR2)
    std::optional<std::uint32_t> productInfo;        // GetProductInfo, when the system has it
    std::optional<std::u16string> productOptions;    // "ProductType" of ProductOptions, basic record only
    bool hotfixQ246009 = false;                      // NT 4 SP 6a marker key
};

class SystemInfo {
public:
    // Gathers the facts of the running system; cannot fail.
    SystemInfo();
    explicit SystemInfo(const OsFacts& facts);
    virtual ~SystemInfo() = default;

    int Version() const { return version_; }
    int Edition() const { return edition_; }
    const std::u16string& ServicePackText() const { return servicePackText_; }
    std::u16string Description() const;

private:
    void Classify();

    OsFacts facts_;
    int version_ = 0;
    int edition_ = 0;
    std::u16string servicePackText_;
};

// The facts of this machine (Windows only).
OsFacts GatherOsFacts();
