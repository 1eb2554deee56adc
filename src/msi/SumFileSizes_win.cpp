#include "msi/PackageDatabase.h"

#include <limits>

#include "common/TextUtil.h"
#include "msi/MsiErrors.h"
#include "msi/MsiHandle_win.h"

namespace MSIInstaller {
namespace {

constexpr char16_t kInvalidHandle[] = u"ERROR_INVALID_HANDLE - An invalid or inactive handle was supplied.";

[[noreturn]] void RaiseViewFailure(UINT result) {
    const std::u16string prefix = u"ERROR: MsiDatabaseOpenView return ";
    switch (result) {
        case ERROR_BAD_QUERY_SYNTAX:
            throw Error(prefix + u"ERROR_BAD_QUERY_SYNTAX - An invalid SQL query string was passed to the function.");
        case ERROR_INVALID_HANDLE:
            throw Error(prefix + kInvalidHandle);
        default:
            throw Error(prefix + u"error code " + Common::DecimalText(static_cast<std::uint64_t>(result)) + u".");
    }
}

[[noreturn]] void RaiseExecuteFailure(UINT result) {
    const std::u16string prefix = u"ERROR: MsiViewExecute return ";
    switch (result) {
        case ERROR_FUNCTION_FAILED:
            throw Error(prefix + u"ERROR_FUNCTION_FAILED - A view could not be executed.");
        case ERROR_INVALID_HANDLE:
            throw Error(prefix + kInvalidHandle);
        default:
            throw Error(prefix + u"error code " + Common::DecimalText(static_cast<std::uint64_t>(result)) + u".");
    }
}

}  // namespace

std::int32_t SumFileSizes(const PackageDatabase& database) {
    UniqueMsiHandle view;
    const UINT viewed = MsiDatabaseOpenViewW(database.Handle(), L"SELECT FileSize FROM File", view.Put());
    if (viewed != ERROR_SUCCESS) RaiseViewFailure(viewed);
    const UINT executed = MsiViewExecute(view.Get(), 0);
    if (executed != ERROR_SUCCESS) RaiseExecuteFailure(executed);

    // Packages beyond 2 GB stop growing the sum rather than wrapping it.
    std::int64_t sum = 0;
    for (;;) {
        UniqueMsiHandle record;
        if (MsiViewFetch(view.Get(), record.Put()) != ERROR_SUCCESS) break;  // no more rows, or none readable
        const int size = MsiRecordGetInteger(record.Get(), 1);
        if (size == static_cast<int>(MSI_NULL_INTEGER)) throw Error(u"ERROR: MsiRecordGetInteger return MSI_NULL_INTEGER");
        sum = std::min<std::int64_t>(sum + size, std::numeric_limits<std::int32_t>::max());
    }
    MsiViewClose(view.Get());
    return static_cast<std::int32_t>(sum);
}

}  // namespace MSIInstaller
