#include "wizard/FinishPaths.h"

#include <gtest/gtest.h>

namespace {

using namespace Wizard;

TEST(FinishPaths, AppendingPutsExactlyOneBackslashBetween) {
    const struct {
        const char16_t* folder;
        const char16_t* name;
        const char16_t* joined;
    } cases[] = {
        {u"C:\\Program Files\\Corvane 2013", u"Corvane 2013.exe", u"C:\\Program Files\\Corvane 2013\\Corvane 2013.exe"},
        {u"C:\\Program Files\\Corvane 2013\\", u"Corvane 2013.exe", u"C:\\Program Files\\Corvane 2013\\Corvane 2013.exe"},
        {u"D:\\", u"\\Corvane 2013.lnk", u"D:\\Corvane 2013.lnk"},
        {u"D:", u"\\\\x", u"D:\\x"},
        {u"", u"\\Corvane 2013.exe", u"Corvane 2013.exe"},
    };
    for (const auto& c : cases) EXPECT_EQ(AppendPath(c.folder, c.name), c.joined);
}

TEST(FinishPaths, ShortcutsAndProgramLiveWhereTheShellLooks) {
    EXPECT_EQ(ProductProgramPath(u"C:\\Corvane"), u"C:\\Corvane\\Corvane 2013.exe");
    EXPECT_EQ(DesktopShortcutPath(u"C:\\Users\\Public\\Desktop"), u"C:\\Users\\Public\\Desktop\\Corvane 2013.lnk");
    EXPECT_EQ(QuickLaunchShortcutPath(u"C:\\Users\\jo\\AppData\\Roaming"),
              u"C:\\Users\\jo\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\Corvane 2013.lnk");
    EXPECT_EQ(ProgramCommandLine(u"C:\\Program Files\\Corvane 2013\\Corvane 2013.exe"),
              u"\"C:\\Program Files\\Corvane 2013\\Corvane 2013.exe\"");
}

TEST(FinishPaths, ThankYouAddressCarriesTheLanguageCode) {
    const struct {
        const char16_t* link;
        LanguageId language;
        const char16_t* address;
    } cases[] = {
        {u"http://corvane.test/thanks", Language::English, u"http://corvane.test/thanks?lang=en"},
        {u"http://corvane.test/thanks", Language::French, u"http://corvane.test/thanks?lang=fr"},
        {u"http://corvane.test/thanks", Language::German, u"http://corvane.test/thanks?lang=de"},
        {u"http://corvane.test/thanks?src=web", Language::German, u"http://corvane.test/thanks?src=web&lang=de"},
        {u"http://corvane.test/thanks", Language::Spanish, u"http://corvane.test/thanks?lang=es"},
        {u"http://corvane.test/thanks", Language::Italian, u"http://corvane.test/thanks?lang=it"},
        {u"http://corvane.test/thanks", Language::Japanese, u"http://corvane.test/thanks?lang=jp"},
        {u"http://corvane.test/thanks", 17, u"http://corvane.test/thanks?lang=en"},
        {u"", Language::German, u""},
    };
    for (const auto& c : cases) EXPECT_EQ(ThankYouAddress(c.link, c.language), c.address);
}

}  // namespace
