#include "common/SystemProgram.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemProgram, OnlyAProgramWithoutAFolderIsBare) {
    struct Case {
        const char16_t* commandLine;
        const char16_t* bare;
    };
    const Case cases[] = {
        {u"MsiExec.exe /X{1234} SHOWSURV=NO /quiet /norestart", u"MsiExec.exe"},
        {u"\"MsiExec.exe\" /X{1234}", u"MsiExec.exe"},
        {u"msiexec\t/x{1234}", u"msiexec"},
        {u"uninst.exe", u"uninst.exe"},
        {u"\"C:\\Program Files\\Corvane 2013\\uninst.exe\" /S", u""},
        {u"C:\\Windows\\System32\\MsiExec.exe /X{1234}", u""},
        {u"..\\MsiExec.exe /X", u""},
        {u"tools/uninst.exe", u""},
        {u"C:uninst.exe", u""},
        {u"\"unterminated", u"unterminated"},
        {u"", u""},
        {u"  MsiExec.exe /X", u"MsiExec.exe"},
        {u"   ", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Common::BareProgramName(c.commandLine), c.bare);
    }
}

}  // namespace
