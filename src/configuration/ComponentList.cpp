#include "configuration/ComponentList.h"

#include "configuration/InstallerConfig.h"

const std::array<ComponentEntry, kComponentCount>& ComponentEntries() {
    static constexpr std::array<ComponentEntry, kComponentCount> kEntries{{
        {kFeatureWord, 54, 55, 0x2 | 0x20 | 0x8000},
        {kFeatureExcel, 56, 57, 0x4 | 0x40 | 0x10000},
        {kFeatureOutlook, 58, 59, 0x8 | 0x80 | 0x20000},
        {kFeaturePowerPoint, 60, 61, 0x10 | 0x100 | 0x40000},
        {kFeaturePublisher, 62, 63, 0x200 | 0x4000 | 0x80000},
        {kFeatureShell, 64, 65, 0},
        {kFeatureInternetExplorer, 66, 67, 0x800},
        {kFeatureFirefox, 68, 69, 0x1000},
        // The previewer needs Outlook 2007 or 2010.
        {kFeaturePreviewer, 70, 71, 0x80 | 0x20000},
    }};
    return kEntries;
}
