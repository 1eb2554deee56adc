#include "common/UninstallString.h"

#include <gtest/gtest.h>

#include "unit/common/RegistryFixtures.h"

namespace {

using RegistryFixtures::UninstallEntries;

TEST(LookUpUninstallString, TheLastExactlyNamedEntryWins) {
    UninstallEntries entries;
    entries.Add(u"Corvane Lookup A", {u"DisplayName", u"Corvane 2013", u"UninstallString", u"MsiExec.exe /I{A}"});
    entries.Add(u"Corvane Lookup B", {u"DisplayName", u"CORVANE 2013", u"UninstallString", u"MsiExec.exe /I{B}"});
    entries.Add(u"Corvane Lookup C", {u"DisplayName", u"Corvane 2013", u"UninstallString", u"MsiExec.exe /I{C}"});
    entries.Add(u"Corvane Lookup D", {u"DisplayName", u"Corvane 2013 Viewer", u"UninstallString", u"x"});
    entries.Add(u"Corvane Lookup E", {u"DisplayName", u"Corvane 2013"});  // no command: keeps the one found
    EXPECT_EQ(Common::LookUpUninstallString(), u"MsiExec.exe /I{C}");
}

TEST(LookUpUninstallString, NothingFoundIsEmpty) {
    UninstallEntries entries;
    entries.Add(u"Corvane Lookup A", {u"DisplayName", u"corvane 2013", u"UninstallString", u"MsiExec.exe /I{A}"});
    EXPECT_EQ(Common::LookUpUninstallString(), u"");
}

TEST(FindUninstallString, KeepsTheCommandOnceFound) {
    {
        UninstallEntries none;
        EXPECT_EQ(Common::FindUninstallString(), u"");  // an empty answer is not kept
    }
    {
        UninstallEntries entries;
        entries.Add(u"Corvane Lookup A", {u"DisplayName", u"Corvane 2013", u"UninstallString", u"MsiExec.exe /I{A}"});
        EXPECT_EQ(Common::FindUninstallString(), u"MsiExec.exe /I{A}");
    }
    // The entry is gone, the answer stays.
    EXPECT_EQ(Common::LookUpUninstallString(), u"");
    EXPECT_EQ(Common::FindUninstallString(), u"MsiExec.exe /I{A}");
}

}  // namespace
