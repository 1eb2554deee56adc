#include "configuration/ComponentList.h"

#include <gtest/gtest.h>

#include "configuration/InstallerConfig.h"
#include "language/ELang_Item.h"

namespace {

// The table keeps its texts as plain numbers; here they meet the names of the
// language library, in the order the component page has always listed them.
TEST(ComponentList, ListsTheIntegrationFeaturesWithTheirTexts) {
    struct Row {
        std::uint32_t bit;
        int title;
        int description;
        const char16_t* featureString;  // what the bit alone asks of the package
    };
    const Row expected[] = {
        {kFeatureWord, LI_WORD_INTEGRATION, LI_WORD_INTEGRATION_DESCRIPTION, u"Inregr2007Word"},
        {kFeatureExcel, LI_EXCEL_INTEGRATION, LI_EXCEL_INTEGRATION_DESCRIPTION, u"Inregr2007Excel"},
        {kFeatureOutlook, LI_OUTLOOK_INTEGRATION, LI_OUTLOOK_INTEGRATION_DESCRIPTION, u"Inregr2007Outlok"},
        {kFeaturePowerPoint, LI_POWERPOINT_INTEGRATION, LI_POWERPOINT_INTEGRATION_DESCRIPTION,
         u"Inregr2007PowerPoint"},
        {kFeaturePublisher, LI_PUBLISHER_INTEGRATION, LI_PUBLISHER_INTEGRATION_DESCRIPTION, u"Inregr2007Publisher"},
        {kFeatureShell, LI_SHELL_INTEGRATION, LI_SHELL_INTEGRATION_DESCRIPTION, u"IntegrShell"},
        {kFeatureInternetExplorer, LI_IE_INTEGRATION, LI_IE_INTEGRATION_DESCRIPTION, u"IntegrIE"},
        {kFeatureFirefox, LI_FIREFOX_INTEGRATION, LI_FIREFOX_INTEGRATION_DESCRIPTION, u"IntegrFirefox"},
        {kFeaturePreviewer, LI_OUTLOOK_PREVIEWER, LI_OUTLOOK_PREVIEWER_DESCRIPTION, u"Previewer"},
    };
    const auto& entries = ComponentEntries();
    ASSERT_EQ(entries.size(), std::size(expected));
    InstallerConfig config;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(expected[i].featureString)));
        EXPECT_EQ(entries[i].featureBit, expected[i].bit);
        EXPECT_EQ(entries[i].titleText, expected[i].title);
        EXPECT_EQ(entries[i].descriptionText, expected[i].description);
        config.BuildFeatureString(entries[i].featureBit);
        EXPECT_EQ(config.FeatureString(), u"ADDLOCAL=MainProgram," + std::u16string(expected[i].featureString));
    }
}

}  // namespace
