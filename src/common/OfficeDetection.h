// Which Microsoft Office applications (2003, 2007, 2010) are present, for the
// integration features the product offers. Office products are recognized by
// fixed pieces of their Windows Installer product codes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Common {

enum OfficeApplication : int {
    kOfficeOutlook = 0,
    kOfficeWord = 1,
    kOfficeExcel = 2,
    kOfficePowerPoint = 3,
    kOfficePublisher = 4,
};
constexpr int kOfficeApplicationCount = 5;

enum OfficeGeneration : int {
    kOffice2003 = 0,
    kOffice2007 = 1,
    kOffice2010 = 2,
};
constexpr int kOfficeGenerationCount = 3;

// The detection mask bit of an application in a generation; 0 for numbers
// outside the tables.
std::uint32_t OfficeDetectionBit(int application, int generation);

// Windows Installer answers: the Office products and their features present
// on this machine, and their bits of the detection mask.
bool MatchesOfficeProduct(int application, int generation, const std::u16string& productCode);
bool IsOfficeAppInstalled(int application, int generation);
std::uint32_t DetectInstalledApplications();

// --- the portable rules, with the feature question as a parameter ---

// True when the product's feature is installed locally or to run from source.
using OfficeFeatureQuery = std::function<bool(const std::u16string& productCode, const std::u16string& feature)>;

// The product code (38 characters in braces) belongs to the generation's
// family and is either the stand-alone application or a suite with the
// application's feature installed.
bool MatchesOfficeProduct(int application, int generation, const std::u16string& productCode,
                          const OfficeFeatureQuery& featureInstalled);

// Looks at the codes in order and decides at the first product that provides
// the application: 2007 and 2010 count only as 32-bit products ("0" at
// position 20); a 64-bit one ends the search with false.
bool IsOfficeAppAmong(int application, int generation, const std::vector<std::u16string>& productCodes,
                      const OfficeFeatureQuery& featureInstalled);

// The Office bits of the detection mask for these installed products.
std::uint32_t OfficeDetectionMask(const std::vector<std::u16string>& productCodes,
                                  const OfficeFeatureQuery& featureInstalled);

}  // namespace Common
