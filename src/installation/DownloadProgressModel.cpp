#include "installation/DownloadProgressModel.h"

#include "language/AsLanguage_Manager.h"
#include "language/ELang_Item.h"
#include "installation/StatusFormat.h"

namespace Installation {
namespace {

constexpr double kMegabyte = 1048576.0;
constexpr std::int32_t kDownloadingText = 1179;
constexpr std::int32_t kInstallingText = 1197;

}  // namespace

void DownloadProgressModel::StartPhase() { view_.value = 0; }

bool DownloadProgressModel::OnDownloadProgress(std::uint32_t percent, double received, double expected,
                                               LanguageId language) {
    const int p = static_cast<int>(percent > 100 ? 100 : percent);
    if (p == view_.value) return false;
    double first = received / kMegabyte;
    double second = expected / kMegabyte;
    // The Japanese sentence names the total before the part received.
    if (language == Language::Japanese) std::swap(first, second);
    view_.status = FormatText(languages_.Get_Text(kDownloadingText), {static_cast<long long>(p), first, second});
    if (p > view_.value) view_.value = p;
    return true;
}

bool DownloadProgressModel::OnInstallProgress(int percent) {
    if (percent == view_.value) return false;
    if (percent <= 100) {
        view_.sweeping = false;
        view_.status = FormatText(languages_.Get_Text(kInstallingText), {static_cast<long long>(percent)});
        if (percent > view_.value) view_.value = percent;
    } else {
        // The installer counts beyond the file bytes: it is completing.
        view_.sweeping = true;
        view_.status = languages_.Get_Text(LI_COMPLETING_INSTALLATION);
        view_.value = 100;
    }
    return true;
}

}  // namespace Installation
