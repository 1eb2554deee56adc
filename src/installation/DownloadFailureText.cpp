#include "installation/DownloadFailureText.h"

#include "common/TextUtil.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"

namespace Installation {

std::u16string DownloadFailureText(const AsLanguage_Manager& languages, const UDownloadException& error) {
    const auto text = [&](std::int32_t item) { return std::u16string(languages.Get_Text(item)); };
    const auto withCode = [&](std::int32_t item) {
        return text(item) + Common::DecimalText(static_cast<std::int64_t>(error.Code()));
    };
    switch (error.Failure()) {
        case DownloadFailure::NoTransferHandle: return text(LI_DOWNLOAD_INIT_FAILED);
        case DownloadFailure::TargetNotOpened: return text(LI_PACKAGE_SAVE_FAILED);
        case DownloadFailure::NoPackageName: return text(LI_INVALID_PACKAGE_NAME);
        case DownloadFailure::ServerRefused: return withCode(LI_SERVER_UNAVAILABLE);
        case DownloadFailure::ProxySignIn: return text(LI_PROXY_SIGN_IN_REQUIRED);
        case DownloadFailure::ServerError: return withCode(LI_SERVER_ERROR_STATUS);
        case DownloadFailure::DiskWrite: return text(LI_DISK_WRITE_FAILED);
        case DownloadFailure::TransferFailed: break;
    }
    return withCode(LI_DOWNLOAD_FAILED);
}

}  // namespace Installation
