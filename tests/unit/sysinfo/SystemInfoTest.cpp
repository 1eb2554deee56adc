#include "sysinfo/SystemInfo.h"

#include <gtest/gtest.h>

namespace {

OsFacts Nt(std::uint32_t major, std::uint32_t minor, std::uint8_t productType, std::uint32_t build,
           std::u16string servicePack = u"") {
    OsFacts facts;
    facts.anyVersionRecord = facts.extendedRecord = true;
    facts.platformId = 2;
    facts.major = major;
    facts.minor = minor;
    facts.productType = productType;
    facts.build = build;
    facts.servicePack = std::move(servicePack);
    return facts;
}

TEST(SystemInfo, DescribesReleases) {
    struct Case {
        const char* name;
        OsFacts facts;
        const char16_t* description;
    };
    auto win7 = Nt(6, 1, 1, 7601, u"Service Pack 1");
    win7.processorArchitecture = 9;
    win7.productInfo = 1;  // ultimate
    auto xp = Nt(5, 1, 1, 2600, u"Service Pack 3");
    auto newer = Nt(6, 2, 1, 9200);
    newer.productInfo = 48;
    newer.processorArchitecture = 9;
    auto datacenter = Nt(5, 2, 3, 3790, u"Service Pack 2");
    datacenter.suiteMask = 0x80;
    auto vista = Nt(6, 0, 1, 6002, u"Service Pack 2");
    vista.productInfo = 11;
    auto homeServer = Nt(5, 2, 3, 3790);
    homeServer.suiteMask = 0x8000;
    auto xp64 = Nt(5, 2, 1, 3790);
    xp64.processorArchitecture = 9;
    auto r2 = Nt(5, 2, 3, 3790);
    r2.suiteMask = 0x2;
    r2.serverR2 = true;
    OsFacts me;
    me.anyVersionRecord = me.extendedRecord = true;
    me.platformId = 1;
    me.major = 4;
    me.minor = 90;
    me.build = 3000;
    OsFacts se = me;
    se.minor = 10;
    se.servicePack = u"A ";
    auto nt4 = Nt(4, 0, 1, 1381, u"Service Pack 6");
    nt4.hotfixQ246009 = true;
    OsFacts basic;  // only the basic record: the ProductOptions text decides
    basic.anyVersionRecord = true;
    basic.platformId = 2;
    basic.major = 5;
    basic.minor = 0;
    basic.build = 2195;
    basic.productOptions = u"ServerNT";
    OsFacts nothing;

    const Case cases[] = {
        {"Windows 7 Ultimate x64", win7,
         u"Windows 7 Ultimate Edition Platform NT Service Pack 1 (Build 7601)\n, 64"},
        {"XP Professional", xp, u"Windows XP Professional Edition Platform NT Service Pack 3 (Build 2600)\n, 32"},
        {"newer than the table", newer, u"Windows Professional Edition Platform NT  (Build 9200)\n, 64"},
        {"Server 2003 datacenter", datacenter,
         u"Windows Server 2003 Platform NT Service Pack 2 (Build 3790)\n, 32"},
        {"Vista product type 11", vista, u"Windows Vista Platform NT Service Pack 2 (Build 6002)\n, 32"},
        {"Home Server", homeServer, u"Windows Home Server Standard Server Edition Platform NT  (Build 3790)\n, 32"},
        {"XP x64", xp64, u"Windows XP Professional x64 Professional Edition Platform NT  (Build 3790)\n, 64"},
        {"Server 2003 R2", r2, u"Windows Server 2003 R2 Platform NT  (Build 3790)\n, 32"},
        {"Me", me, u"Windows Me Unknown Edition Platform Windows  (Build 3000)\n, 32"},
        {"98 SE", se, u"Windows 98 SE Unknown Edition Platform Windows A  (Build 3000)\n, 32"},
        {"NT 4 SP 6a", nt4, u"Windows NT 4.0 Workstation Edition Platform NT Service Pack 6a (Build 1381)\n, 32"},
        {"2000 basic record", basic, u"Windows 2000 Advanced Server Edition Platform NT  (Build 2195)\n, 32"},
        {"no version record", nothing, u"Windows Unknown Edition , 32"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SystemInfo(c.facts).Description(), c.description);
    }
}

// GetProductInfo answers with Windows' product types (its PRODUCT_ constants);
// the description names the edition each stands for. Types the table does not
// know leave the edition of the version record.
TEST(SystemInfo, NamesTheEditionOfEachProductType) {
    const struct {
        std::uint32_t productType;
        const char16_t* edition;
    } cases[] = {
        {0x00, u" Unknown Edition"},                             // PRODUCT_UNDEFINED
        {0x01, u" Ultimate Edition"},                            // PRODUCT_ULTIMATE
        {0x07, u" Standard Server Edition"},                     // PRODUCT_STANDARD_SERVER
        {0x0E, u" Enterprise Server Core Edition"},              // PRODUCT_ENTERPRISE_SERVER_CORE
        {0x13, u" Home Server Edition"},                         // PRODUCT_HOME_SERVER
        {0x2A, u" Hyper V Edition"},                             // PRODUCT_HYPERV
        {0x30, u" Professional Edition"},                        // PRODUCT_PROFESSIONAL
        {0x39, u" Solution Embedded Server Core Edition"},       // PRODUCT_SOLUTION_EMBEDDEDSERVER_CORE
        {0x3A, u" Unknown Edition"},                             // PRODUCT_PROFESSIONAL_EMBEDDED: not in the table
        {0x3B, u" Essential Business Server MGMT Edition"},      // PRODUCT_ESSENTIALBUSINESS_SERVER_MGMT
        {0x3E, u" Essential Business Server ADDLSVC Edition"},   // PRODUCT_ESSENTIALBUSINESS_SERVER_ADDLSVC
        {0x3F, u" Small Business Server Premium Core Edition"},  // PRODUCT_SMALLBUSINESS_SERVER_PREMIUM_CORE
        {0x40, u" Cluster Server V Edition"},                    // PRODUCT_CLUSTER_SERVER_V
        {0x47, u" Ultimate E Edition"},                          // PRODUCT_ULTIMATE_E
        {0x48, u" Unknown Edition"},                             // PRODUCT_ENTERPRISE_EVALUATION: newer than the table
    };
    for (const auto& c : cases) {
        auto facts = Nt(6, 1, 1, 7600);
        facts.productInfo = c.productType;
        const std::u16string expected = u"Windows 7" + std::u16string(c.edition) + u" Platform NT  (Build 7600)\n, 32";
        EXPECT_EQ(SystemInfo(facts).Description(), expected) << c.productType;
    }
}

TEST(SystemInfo, CutsLongServicePackTexts) {
    const auto info = SystemInfo(Nt(6, 1, 1, 7601, std::u16string(200, u'x')));
    EXPECT_EQ(info.ServicePackText().size(), 127u);
}

}  // namespace
