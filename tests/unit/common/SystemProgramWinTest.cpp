#include "common/SystemProgram.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/WideText.h"

namespace {

TEST(SystemProgram, BareProgramsComeFromTheSystemFolder) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::u16string system = Common::FromWide(folder, length);

    EXPECT_EQ(Common::SystemProgramPath(u"MsiExec.exe /X{1234} /quiet"), system + u"\\MsiExec.exe");
    EXPECT_EQ(Common::SystemProgramPath(u"msiexec /x{1234}"), system + u"\\msiexec.exe");
    // Not a system program, or one named with its folder: started as given.
    EXPECT_EQ(Common::SystemProgramPath(u"corvane-uninstall-nowhere.exe /S"), u"");
    EXPECT_EQ(Common::SystemProgramPath(u"\"C:\\Program Files\\Corvane 2013\\MsiExec.exe\" /X"), u"");
}

}  // namespace
