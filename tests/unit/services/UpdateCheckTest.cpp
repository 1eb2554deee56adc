#include "services/UpdateCheck.h"

#include <gtest/gtest.h>

namespace {

constexpr VersionRecord kNone{};

TEST(VersionDocument, TheFourNumbersOfVersionWhateverTheCaseOfTheNames) {
    const struct {
        const char* name;
        std::string document;
        VersionRecord version;
    } cases[] = {
        {"plain", "<Version><main>3</main><minor>0</minor><build1>12</build1><build2>345</build2></Version>",
         {3, 0, 12, 345}},
        {"any case", "<VERSION><Main>3</Main><MINOR>0</MINOR><Build1>12</Build1><bUILD2>345</bUILD2></VERSION>",
         {3, 0, 12, 345}},
        {"declaration, byte-order mark and layout",
         "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<Version>\n  <build2>4</build2>\n  <main>1</main>\n"
         "  <minor>2</minor>\n  <build1>3</build1>\n  <extra>x</extra>\n</Version>\n",
         {1, 2, 3, 4}},
        {"first of each wins", "<Version><main>5</main><main>6</main><minor>0</minor><build1>0</build1>"
                               "<build2>1</build2></Version><Version/>",
         {5, 0, 0, 1}},
        {"largest numbers", "<Version><main>4294967295</main><minor>0</minor><build1>0</build1><build2>0</build2>"
                            "</Version>",
         {4294967295u, 0, 0, 0}},
        {"build2 missing", "<Version><main>3</main><minor>0</minor><build1>12</build1></Version>", kNone},
        {"empty element", "<Version><main>3</main><minor>0</minor><build1>12</build1><build2/></Version>", kNone},
        {"not a number", "<Version><main>3</main><minor>0</minor><build1>x</build1><build2>1</build2></Version>",
         kNone},
        {"blank around a number",
         "<Version><main> 3</main><minor>0</minor><build1>12</build1><build2>345</build2></Version>", kNone},
        {"too large",
         "<Version><main>4294967296</main><minor>0</minor><build1>0</build1><build2>0</build2></Version>", kNone},
        {"not at the top",
         "<r><Version><main>3</main><minor>0</minor><build1>1</build1><build2>2</build2></Version></r>", kNone},
        {"other root", "<Ver><main>3</main><minor>0</minor><build1>1</build1><build2>2</build2></Ver>", kNone},
        {"not well-formed", "<Version><main>3</minor>", kNone},
        {"no XML", "3.0.12.345", kNone},
        {"empty", "", kNone},
        {"entity of a document type",
         "<!DOCTYPE Version [<!ENTITY n \"3\">]><Version><main>&n;</main><minor>0</minor><build1>1</build1>"
         "<build2>2</build2></Version>",
         kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(VersionFromDocument(c.document), c.version);
    }
}

TEST(VersionDocument, HostileDocumentsEndInNoVersion) {
    std::string deep;
    for (int i = 0; i < 200000; ++i) deep += "<a>";
    EXPECT_EQ(VersionFromDocument("<Version>" + deep), kNone);

    const std::string valid = "<Version><main>3</main><minor>0</minor><build1>12</build1><build2>345</build2>";
    EXPECT_EQ(VersionFromDocument(valid + std::string(kMaxVersionDocumentBytes, ' ') + "</Version>"), kNone);
    EXPECT_EQ(VersionFromDocument(valid + std::string(1000, '\0') + "</Version>"), kNone);

    std::string laughs = "<!DOCTYPE Version [<!ENTITY e0 \"ha\">";
    for (int level = 1; level < 10; ++level) {
        laughs += "<!ENTITY e" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i) laughs += "&e" + std::to_string(level - 1) + ";";
        laughs += "\">";
    }
    laughs += "]><Version><main>&e9;</main><minor>0</minor><build1>1</build1><build2>2</build2></Version>";
    EXPECT_EQ(VersionFromDocument(laughs), kNone);
}

TEST(VersionComparison, InstalledAgainstOffered) {
    const struct {
        VersionRecord offered;
        std::optional<VersionRecord> installed;
        VersionComparison result;
    } cases[] = {
        {{3, 0, 12, 345}, VersionRecord{3, 0, 12, 345}, VersionComparison::SameInstalled},
        {{3, 0, 12, 345}, VersionRecord{3, 0, 13, 0}, VersionComparison::NewerInstalled},
        {{3, 0, 0, 0}, VersionRecord{2, 9, 99, 99}, VersionComparison::NotInstalledOrOlder},
        {{3, 0, 12, 345}, std::nullopt, VersionComparison::NotInstalledOrOlder},
        // Most significant number first, each unsigned.
        {{3, 0, 12, 345}, VersionRecord{3, 1, 0, 0}, VersionComparison::NewerInstalled},
        {{3, 0, 12, 4294967295u}, VersionRecord{3, 0, 13, 0}, VersionComparison::NewerInstalled},
        {{4294967295u, 0, 0, 0}, VersionRecord{3, 0, 12, 345}, VersionComparison::NotInstalledOrOlder},
        // No offered version: an installed product is the same or newer.
        {kNone, kNone, VersionComparison::SameInstalled},
        {kNone, VersionRecord{0, 0, 0, 1}, VersionComparison::NewerInstalled},
        {kNone, std::nullopt, VersionComparison::NotInstalledOrOlder},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareVersions(c.offered, c.installed), c.result)
            << c.offered.main << "." << c.offered.minor << "." << c.offered.build1 << "." << c.offered.build2;
    }
}

}  // namespace
