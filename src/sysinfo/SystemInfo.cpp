#include "sysinfo/SystemInfo.h"

#include <array>

#include "common/TextUtil.h"

namespace {

constexpr std::array<const char16_t*, 20> kVersionNames{
    u"Windows",
    u"Windows 32s",
    u"Windows 95",
    u"Windows 95 SR2",
    u"Windows 98",
    u"Windows 98 SE",
    u"Windows Me",
    u"Windows NT 3.51",
    u"Windows NT 4.0",
    u"Windows NT 4.0 Server",
    u"Windows 2000",
    u"Windows XP",
    u"Windows XP Professional x64",
    u"Windows Home Server",
    u"Windows Server 2003",
    u"Windows Server 2003 R2",
    u"Windows Vista",
    u"Windows Server 2008",
    u"Windows Server 2008 R2",
    u"Windows 7",
};

// Indexes 12 to 17 carry no text.
constexpr std::array<const char16_t*, 75> kEditionTexts{
    u" Unknown Edition", u" Workstation Edition", u" Server Edition", u" Advanced Server Edition",
    u" Home Edition", u" Ultimate Edition", u" Home Basic Edition", u" Home Premium Edition",
    u" Enterprise Edition", u" Home Basic N Edition", u" Business Edition", u" Standard Server Edition",
    u"", u"", u"", u"", u"", u"",
    u" Enterprise Server Core Edition", u" Enterprise Server IA64 Edition", u" Business N Edition",
    u" Web Server Edition", u" Cluster Server Edition", u" Home Server Edition", u" Storage Express Server Edition",
    u" Storage Standard Server Edition", u" Storage Workgroup Server Edition",
    u" Storage Enterprise Server Edition", u" Server For Small Business Edition",
    u" Small Business Server Premium Edition", u" Home Premium N Edition", u" Enterprise N Edition",
    u" Ultimate N Edition", u" Web Server Core Edition", u" Medium Business Server Management Edition",
    u" Medium Business Server Security Edition", u" Medium Business Server Messaging Edition",
    u" Server Foundation Edition", u" Home Premium Server Edition", u" Server For Small Business V Edition",
    u" Standard Server V Edition", u" Datacenter Server V Edition", u" Enterprise Server V Edition",
    u" Datacenter Server Core V Edition", u" Standard Server Core V Edition", u" Enterprise Server Core V Edition",
    u" Hyper V Edition", u" Storage Express Server Core Edition", u" Storage Standard Server Core Edition",
    u" Storage Workgroup Server Core Edition", u" Storage Enterprise Server Core Edition", u" Starter N Edition",
    u" Professional Edition", u" Professional N Edition", u" SB Solution Server Edition",
    u" Server For SB Solution Edition", u" Standard Server Solutions Edition",
    u" Standard Server Solutions Core Edition", u" SB Solution Server EM Edition",
    u" Server For SB Solution EM Edition", u" Solution Embedded Server Edition",
    u" Solution Embedded Server Core Edition", u" Small Business Server Premium Core Edition",
    u" Essential Business Server MGMT Edition", u" Essential Business Server ADDL Edition",
    u" Essential Business Server MGMTSVC Edition", u" Essential Business Server ADDLSVC Edition",
    u" Cluster Server V Edition", u" Embedded Edition", u" Starter E Edition", u" HomeBasic E Edition",
    u" Home Premium E Edition", u" Professional E Edition", u" Enterprise E Edition", u" Ultimate E Edition",
};

constexpr std::uint16_t kSuiteEnterprise = 0x2;
constexpr std::uint16_t kSuiteDatacenter = 0x80;
constexpr std::uint16_t kSuitePersonal = 0x200;
constexpr std::uint16_t kSuiteBlade = 0x400;
constexpr std::uint16_t kSuiteHomeServer = 0x8000;
constexpr std::uint16_t kArchitectureAmd64 = 9;
constexpr std::size_t kServicePackCapacity = 127;

bool Has(std::uint16_t mask, std::uint16_t bit) { return (mask & bit) != 0; }

int VersionFromExtendedRecord(const OsFacts& f) {
    const char16_t first = f.servicePack.empty() ? u'\0' : f.servicePack[0];
    switch (f.platformId) {
        case 0:
            return 1;
        case 1:
            if (f.major != 4) return 0;
            if (f.minor == 0) return (first == u'B' || first == u'C') ? 3 : 2;
            if (f.minor == 10) return first == u'A' ? 5 : 4;
            if (f.minor == 90) return 6;
            return 0;
        case 2:
            if (f.major == 3) return 7;
            if (f.major == 4) return f.productType == 1 ? 8 : f.productType == 3 ? 9 : 0;
            if (f.major == 5) {
                if (f.minor == 0) return 10;
                if (f.minor == 1) return 11;
                if (f.minor == 2) {
                    if (f.suiteMask == kSuiteHomeServer) return 13;
                    if (f.productType == 1 && f.processorArchitecture == kArchitectureAmd64) return 12;
                    return f.serverR2 ? 15 : 14;
                }
                return 0;
            }
            if (f.major == 6) {
                if (f.minor == 0) return f.productType == 1 ? 16 : 17;
                if (f.minor == 1) return f.productType == 1 ? 19 : 18;
            }
            return 0;
        default:
            return 0;
    }
}

int EditionFromProductInfo(std::uint32_t type, int unchanged) {
    if (type == 0) return 0;
    if (type <= 57) return static_cast<int>(type) + 4;
    if (type == 58) return unchanged;
    if (type <= 62) return static_cast<int>(type) + 4;
    if (type == 63) return 62;
    if (type <= 71) return static_cast<int>(type) + 3;
    return unchanged;
}

int EditionFromExtendedRecord(const OsFacts& f, int unchanged) {
    if (f.major == 4) {
        if (f.productType == 1) return 1;
        if (f.productType == 3) return Has(f.suiteMask, kSuiteEnterprise) ? 14 : 11;
        return unchanged;
    }
    if (f.major == 5) {
        if (f.productType == 1) return Has(f.suiteMask, kSuitePersonal) ? 4 : 52;
        if (f.productType == 3 && f.minor != 0) {
            if (Has(f.suiteMask, kSuiteDatacenter)) return 12;
            if (Has(f.suiteMask, kSuiteEnterprise)) return 14;
            return Has(f.suiteMask, kSuiteBlade) ? 21 : 11;
        }
        if (f.productType == 3) {
            if (Has(f.suiteMask, kSuiteDatacenter)) return 12;
            return Has(f.suiteMask, kSuiteEnterprise) ? 3 : 2;
        }
        return unchanged;
    }
    if (f.major == 6) return EditionFromProductInfo(f.productInfo.value_or(0), unchanged);
    return unchanged;
}

// Version and edition from the "ProductType" text when only the basic record exists.
void ClassifyFromProductOptions(const OsFacts& f, int& version, int& edition) {
    if (!f.productOptions) return;
    const std::u16string type = Common::ToUpperAscii(*f.productOptions);
    const bool nt4 = f.major <= 4;
    const bool w2000 = f.major == 5 && f.minor == 0;
    const bool w2003 = f.major == 5 && f.minor == 2;
    if (type == u"WINNT") {
        if (nt4) version = 8, edition = 1;
    } else if (type == u"LANMANNT") {
        if (w2003) version = 14;
        else if (w2000) version = 10, edition = 2;
        else if (nt4) version = 8, edition = 2;
    } else if (type == u"SERVERNT") {
        if (w2003) version = 14, edition = 14;
        else if (w2000) version = 10, edition = 3;
        else if (nt4) version = 8, edition = 14;
    }
}

std::u16string FormatServicePack(const OsFacts& f) {
    const bool sixA = f.major == 4 && Common::ToUpperAscii(f.servicePack) == u"SERVICE PACK 6" && f.hotfixQ246009;
    std::u16string text = (sixA ? std::u16string(u"Service Pack 6a") : f.servicePack) + u" (Build " +
                          Common::DecimalText(static_cast<std::int64_t>(static_cast<std::int32_t>(f.build))) +
                          u")\n";
    if (text.size() > kServicePackCapacity) text.resize(kServicePackCapacity);
    return text;
}

}  // namespace

SystemInfo::SystemInfo(const OsFacts& facts) : facts_(facts) { Classify(); }

void SystemInfo::Classify() {
    if (!facts_.anyVersionRecord) return;
    if (facts_.extendedRecord) {
        version_ = VersionFromExtendedRecord(facts_);
        edition_ = EditionFromExtendedRecord(facts_, edition_);
    } else {
        ClassifyFromProductOptions(facts_, version_, edition_);
    }
    servicePackText_ = FormatServicePack(facts_);
}

std::u16string SystemInfo::Description() const {
    std::u16string text = kVersionNames.at(static_cast<std::size_t>(version_));
    if (edition_ >= 0 && static_cast<std::size_t>(edition_) < kEditionTexts.size()) text += kEditionTexts[edition_];
    // Without any version record there is no platform to name.
    switch (facts_.anyVersionRecord ? facts_.platformId : ~0u) {
        case 2: text += u" Platform NT"; break;
        case 1: text += u" Platform Windows"; break;
        case 0: text += u" Platform Win32s"; break;
        default: break;
    }
    text += u" ";
    text += servicePackText_;
    const auto arch = facts_.processorArchitecture;
    text += (arch == 6 || arch == 7 || arch == 9) ? u", 64" : u", 32";
    return text;
}
