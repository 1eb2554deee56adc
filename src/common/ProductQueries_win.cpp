#include "common/ProductQueries.h"

#include <windows.h>
#include <msi.h>

#include "common/WideText.h"

namespace Common {
namespace {

// A product code in braces and its terminator.
constexpr DWORD kProductCodeChars = 39;
// What a product property may hold (the installer's own limit for most).
constexpr DWORD kPropertyChars = 256;

}  // namespace

std::vector<std::u16string> InstalledProductCodes() {
    // The codes are collected before any other installer call is made: some
    // Windows Installer builds keep the enumeration position in the process,
    // and other calls in between can derail it.
    return CollectProductCodes([](std::uint32_t index) -> std::optional<std::u16string> {
        wchar_t code[kProductCodeChars] = {};
        if (MsiEnumProductsW(index, code) != ERROR_SUCCESS) return std::nullopt;
        return FromWide(code);
    });
}

std::u16string InstalledProductName(const std::u16string& productCode) {
    DWORD length = 0;
    const UINT sized = MsiGetProductInfoW(AsWide(productCode), L"ProductName", nullptr, &length);
    if (sized != ERROR_SUCCESS && sized != ERROR_MORE_DATA) return {};
    std::u16string name(length + 1, u'\0');
    length += 1;
    if (MsiGetProductInfoW(AsWide(productCode), L"ProductName", reinterpret_cast<wchar_t*>(name.data()), &length) !=
        ERROR_SUCCESS) {
        return {};
    }
    name.resize(length);
    return name;
}

bool IsProductInstalled(const std::u16string& productName) {
    for (const auto& code : InstalledProductCodes()) {
        if (InstalledProductName(code) == productName) return true;
    }
    return false;
}

std::u16string InstalledProductInfo(const std::u16string& productName, const std::u16string& property) {
    for (const auto& code : InstalledProductCodes()) {
        if (InstalledProductName(code) != productName) continue;
        wchar_t value[kPropertyChars] = {};
        DWORD length = kPropertyChars;
        if (MsiGetProductInfoW(AsWide(code), AsWide(property), value, &length) != ERROR_SUCCESS) return {};
        return FromWide(value);
    }
    return {};
}

std::optional<VersionRecord> GetInstalledVersion(const std::u16string& productName) {
    if (!IsProductInstalled(productName)) return std::nullopt;
    return ReadVersionString(InstalledProductInfo(productName, u"VersionString"));
}

}  // namespace Common
