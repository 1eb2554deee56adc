#include "common/FileAssociation.h"

#include <gtest/gtest.h>

namespace {

TEST(FileAssociationRules, OsGenerations) {
    struct Case {
        unsigned long major, minor;
        int generation;
    };
    const Case cases[] = {{4, 0, 0}, {5, 0, 0}, {4, 10, 3}, {5, 1, 1}, {5, 2, 1}, {6, 0, 2},
                          {6, 1, 2}, {6, 3, 2}, {10, 0, 3}, {3, 51, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(Common::OsGeneration(c.major, c.minor), c.generation) << c.major << "." << c.minor;
    }
}

TEST(FileAssociationRules, KeysAndCommand) {
    EXPECT_EQ(Common::UserChoiceKey(u".pdf", 1),
              u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.pdf");
    EXPECT_EQ(Common::UserChoiceKey(u".wwf", 2),
              u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.wwf\\UserChoice");
    EXPECT_EQ(Common::OpenCommand(u"C:\\Program Files\\Corvane 2013", u"Corvane 2013"),
              u"\"C:\\Program Files\\Corvane 2013\\Corvane 2013.exe\"\"%1\"");
}

}  // namespace
