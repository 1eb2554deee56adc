#include "installation/DownloadFailureText.h"

#include <gtest/gtest.h>

#include "common/AnsiText.h"
#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"

namespace {

MemoryLanguageSetting setting;
const AsLanguage_Manager languages(setting);

std::u16string Item(std::int32_t item) { return languages.Get_Text(item); }

// The engine's failures as the user reads them: the server's status and
// libcurl's code follow their text item; the other failures have no number
// (a refused write's system code would mean nothing to the user).
TEST(DownloadFailureText, NamesWhatFailedWithItsCode) {
    const struct {
        DownloadFailure failure;
        std::int32_t code;
        std::u16string text;
    } cases[] = {
        {DownloadFailure::NoTransferHandle, -2, Item(LI_DOWNLOAD_INIT_FAILED)},
        {DownloadFailure::TargetNotOpened, -3, Item(LI_PACKAGE_SAVE_FAILED)},
        {DownloadFailure::NoPackageName, -4, Item(LI_INVALID_PACKAGE_NAME)},
        {DownloadFailure::ServerRefused, 401, Item(LI_SERVER_UNAVAILABLE) + u"401"},
        {DownloadFailure::ServerRefused, 404, Item(LI_SERVER_UNAVAILABLE) + u"404"},
        {DownloadFailure::ServerRefused, 499, Item(LI_SERVER_UNAVAILABLE) + u"499"},
        {DownloadFailure::TransferFailed, 7, Item(LI_DOWNLOAD_FAILED) + u"7"},     // could not connect
        {DownloadFailure::TransferFailed, 18, Item(LI_DOWNLOAD_FAILED) + u"18"},   // body cut short
        {DownloadFailure::TransferFailed, 28, Item(LI_DOWNLOAD_FAILED) + u"28"},   // timed out
        {DownloadFailure::TransferFailed, 47, Item(LI_DOWNLOAD_FAILED) + u"47"},   // redirect loop
        {DownloadFailure::TransferFailed, 60, Item(LI_DOWNLOAD_FAILED) + u"60"},   // certificate refused
        {DownloadFailure::ProxySignIn, 407, Item(LI_PROXY_SIGN_IN_REQUIRED)},
        {DownloadFailure::ServerError, 404, Item(LI_SERVER_ERROR_STATUS) + u"404"},
        {DownloadFailure::ServerError, 503, Item(LI_SERVER_ERROR_STATUS) + u"503"},
        {DownloadFailure::DiskWrite, 112, Item(LI_DISK_WRITE_FAILED)},  // the volume is full
        {DownloadFailure::DiskWrite, -5, Item(LI_DISK_WRITE_FAILED)},   // announced beyond the free space
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Common::ToAnsi(c.text));
        EXPECT_FALSE(c.text.empty());
        EXPECT_EQ(Installation::DownloadFailureText(languages, UDownloadException(c.failure, c.code)), c.text);
    }
}

}  // namespace
