#include "msi/PackageDatabase.h"

#include "common/AnsiText.h"
#include "common/WideText.h"
#include "msi/MsiHandle_win.h"

namespace MSIInstaller {
namespace {

// The property is read as narrow text into a buffer of this many bytes.
constexpr DWORD kVersionBufferSize = 256;

}  // namespace

PackageDatabase::~PackageDatabase() {
    if (handle_ != 0) MsiCloseHandle(handle_);
}

bool PackageDatabase::Open(const std::u16string& packagePath) {
    if (handle_ != 0) Close();
    MSIHANDLE handle = 0;
    lastResult_ = MsiOpenDatabaseW(Common::AsWide(packagePath), MSIDBOPEN_READONLY, &handle);
    handle_ = lastResult_ == ERROR_SUCCESS ? handle : 0;
    if (lastResult_ != ERROR_SUCCESS && handle != 0) MsiCloseHandle(handle);
    return lastResult_ == ERROR_SUCCESS;
}

bool PackageDatabase::ReadProductVersion(std::u16string& version) {
    if (handle_ == 0) {
        lastResult_ = ERROR_INVALID_HANDLE;
        return false;
    }
    UniqueMsiHandle view;
    lastResult_ = MsiDatabaseOpenViewW(handle_, L"SELECT * FROM Property WHERE Property = 'ProductVersion'",
                                       view.Put());
    if (lastResult_ != ERROR_SUCCESS) return true;
    lastResult_ = MsiViewExecute(view.Get(), 0);
    if (lastResult_ != ERROR_SUCCESS) return true;

    UniqueMsiHandle record;
    lastResult_ = MsiViewFetch(view.Get(), record.Put());
    if (lastResult_ == ERROR_SUCCESS) {
        char value[kVersionBufferSize] = {};
        DWORD length = kVersionBufferSize;
        lastResult_ = MsiRecordGetStringA(record.Get(), 2, value, &length);
        // A longer value would arrive cut short: better none than a wrong one.
        if (lastResult_ == ERROR_SUCCESS) version = Common::FromAnsi(std::string_view(value, length));
    }
    MsiViewClose(view.Get());
    return true;
}

void PackageDatabase::Close() {
    lastResult_ = MsiCloseHandle(handle_);
    if (lastResult_ == ERROR_SUCCESS) handle_ = 0;
}

}  // namespace MSIInstaller
