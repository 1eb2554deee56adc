#include "common/OfficeDetection.h"

#include <string_view>
#include <vector>

namespace Common {
namespace {

struct Generation {
    std::u16string_view familyText;  // must stand at familyPosition
    std::size_t familyPosition;
    std::u16string_view majorText;   // "12" or "14" at position 3; empty for 2003
    std::size_t tagPosition;
    std::vector<std::u16string_view> suiteTags;
};

const Generation kGenerations[kOfficeGenerationCount] = {
    {u"-6000-11D3-8CFE-0150048383C9", 9, u"", 3, {u"11", u"12", u"13", u"CA", u"E3"}},
    {u"000000FF1CE", 26, u"12", 10,
     {u"0011", u"0012", u"0013", u"0014", u"0020", u"002E", u"002F", u"0030", u"0031", u"0033", u"0035"}},
    {u"000000FF1CE", 26, u"14", 10, {u"0011", u"0012", u"0013", u"0014", u"002F"}},
};

struct Application {
    std::u16string_view tags[kOfficeGenerationCount];
    std::u16string_view suiteFeature;
    std::uint32_t bits[kOfficeGenerationCount];
};

const Application kApplications[kOfficeApplicationCount] = {
    {{u"1A", u"001A", u"001A"}, u"OUTLOOKFiles", {0x8, 0x80, 0x20000}},
    {{u"1B", u"001B", u"001B"}, u"WORDFiles", {0x2, 0x20, 0x8000}},
    {{u"16", u"0016", u"0016"}, u"EXCELFiles", {0x4, 0x40, 0x10000}},
    {{u"18", u"0018", u"0018"}, u"PPTFiles", {0x10, 0x100, 0x40000}},
    {{u"19", u"0019", u"0019"}, u"PubPrimary", {0x4000, 0x200, 0x80000}},
};

// Position 3 carries the Office version, position 20 the processor width.
constexpr std::size_t kMajorPosition = 3;
constexpr std::size_t kWidthPosition = 20;

bool StandsAt(std::u16string_view code, std::size_t position, std::u16string_view text) {
    return position <= code.size() && code.substr(position, text.size()) == text;
}

bool Known(int application, int generation) {
    return application >= 0 && application < kOfficeApplicationCount && generation >= 0 &&
           generation < kOfficeGenerationCount;
}

}  // namespace

std::uint32_t OfficeDetectionBit(int application, int generation) {
    return Known(application, generation) ? kApplications[application].bits[generation] : 0;
}

bool MatchesOfficeProduct(int application, int generation, const std::u16string& productCode,
                          const OfficeFeatureQuery& featureInstalled) {
    if (!Known(application, generation)) return false;
    const Generation& family = kGenerations[generation];
    const Application& app = kApplications[application];
    if (!StandsAt(productCode, family.familyPosition, family.familyText)) return false;
    if (!family.majorText.empty() && !StandsAt(productCode, kMajorPosition, family.majorText)) return false;

    if (StandsAt(productCode, family.tagPosition, app.tags[generation])) return true;  // the stand-alone product
    for (const auto suiteTag : family.suiteTags) {
        if (StandsAt(productCode, family.tagPosition, suiteTag)) {
            return featureInstalled(productCode, std::u16string(app.suiteFeature));
        }
    }
    return false;
}

bool IsOfficeAppAmong(int application, int generation, const std::vector<std::u16string>& productCodes,
                      const OfficeFeatureQuery& featureInstalled) {
    for (const auto& code : productCodes) {
        if (!MatchesOfficeProduct(application, generation, code, featureInstalled)) continue;
        return generation == kOffice2003 || StandsAt(code, kWidthPosition, u"0");
    }
    return false;
}

std::uint32_t OfficeDetectionMask(const std::vector<std::u16string>& productCodes,
                                  const OfficeFeatureQuery& featureInstalled) {
    std::uint32_t mask = 0;
    for (int generation = 0; generation < kOfficeGenerationCount; ++generation) {
        for (int application = 0; application < kOfficeApplicationCount; ++application) {
            if (IsOfficeAppAmong(application, generation, productCodes, featureInstalled)) {
                mask |= OfficeDetectionBit(application, generation);
            }
        }
    }
    return mask;
}

}  // namespace Common
