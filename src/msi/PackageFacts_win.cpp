#include "msi/PackageFacts.h"

#include <windows.h>

#include "common/TextUtil.h"
#include "msi/MsiErrors.h"
#include "msi/PackageDatabase.h"

namespace MSIInstaller {
namespace {

std::exception_ptr OpenFailure(std::uint32_t result) {
    const std::u16string prefix = u"ERROR: MsiOpenDatabase return ";
    switch (result) {
        case ERROR_CREATE_FAILED:
            return std::make_exception_ptr(FatalError(prefix + u"ERROR_CREATE_FAILED - The database could not be created."));
        case ERROR_INVALID_PARAMETER:
            return std::make_exception_ptr(
                FatalError(prefix + u"ERROR_INVALID_PARAMETER - One of the parameters was invalid."));
        case ERROR_OPEN_FAILED:
            return std::make_exception_ptr(
                FatalError(prefix + u"ERROR_OPEN_FAILED - The database could not be opened as requested."));
        default:
            return std::make_exception_ptr(
                FatalError(prefix + u"error code " + Common::DecimalText(static_cast<std::uint64_t>(result)) + u"."));
    }
}

}  // namespace

PackageFacts ReadPackageFacts(const std::u16string& path) {
    PackageFacts facts;
    PackageDatabase database;
    if (!database.Open(path)) {
        facts.measureFailure = OpenFailure(database.LastResult());
        return facts;
    }
    facts.isDatabase = true;
    database.ReadProperty(u"ProductCode", facts.productCode);
    database.ReadProperty(u"ProductVersion", facts.productVersion);
    try {
        facts.fileSizeSum = SumFileSizes(database);
    } catch (const Error&) {
        facts.measureFailure = std::current_exception();
    }
    return facts;
}

}  // namespace MSIInstaller
