#include "msi/PackageDatabase.h"

#include "common/AnsiText.h"
#include "common/WideText.h"
#include "msi/MsiHandle_win.h"

namespace MSIInstaller {
namespace {

// A property is read as narrow text into a buffer of this many bytes.
constexpr DWORD kValueBufferSize = 256;

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

bool PackageDatabase::ReadProperty(const std::u16string& name, std::u16string& value) {
    if (handle_ == 0) {
        lastResult_ = ERROR_INVALID_HANDLE;
        return false;
    }
    UniqueMsiHandle view;
    lastResult_ = MsiDatabaseOpenViewW(handle_, L"SELECT * FROM Property WHERE Property = ?", view.Put());
    if (lastResult_ != ERROR_SUCCESS) return true;
    // The name goes in as a parameter: never into the query's text.
    UniqueMsiHandle parameters(MsiCreateRecord(1));
    MsiRecordSetStringW(parameters.Get(), 1, Common::AsWide(name));
    lastResult_ = MsiViewExecute(view.Get(), parameters.Get());
    if (lastResult_ != ERROR_SUCCESS) return true;

    UniqueMsiHandle record;
    lastResult_ = MsiViewFetch(view.Get(), record.Put());
    if (lastResult_ == ERROR_SUCCESS) {
        char text[kValueBufferSize] = {};
        DWORD length = kValueBufferSize;
        lastResult_ = MsiRecordGetStringA(record.Get(), 2, text, &length);
        // A longer value would arrive cut short: better none than a wrong one.
        if (lastResult_ == ERROR_SUCCESS) value = Common::FromAnsi(std::string_view(text, length));
    }
    MsiViewClose(view.Get());
    return true;
}

void PackageDatabase::Close() {
    lastResult_ = MsiCloseHandle(handle_);
    if (lastResult_ == ERROR_SUCCESS) handle_ = 0;
}

}  // namespace MSIInstaller
