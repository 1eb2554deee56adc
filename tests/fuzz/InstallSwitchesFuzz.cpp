// The install switches on arbitrary command lines (arguments split at NUL,
// each byte one character): a line is either refused with one short line of
// printable text or accepted with options that hold together, and accepted
// options written back as switches read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/InstallSwitches.h"
#include "app/InstallSwitchesFeatures.h"
#include "configuration/ComponentList.h"

namespace {

constexpr std::size_t kLongestReason = 300;

bool IsPrintable(char16_t c) {
    return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && c != 0x2028 && c != 0x2029;
}

bool IsBlank(const std::u16string& text) { return text.find_first_not_of(u" \t") == std::u16string::npos; }

void CheckReason(const std::u16string& reason) {
    if (reason.empty() || reason.size() > kLongestReason) std::abort();
    for (const char16_t c : reason)
        if (!IsPrintable(c)) std::abort();
}

void CheckConsistent(const InstallOptions& options) {
    std::uint32_t known = 0;
    for (const ComponentEntry& entry : ComponentEntries()) known |= entry.featureBit;
    if (options.features && (*options.features & ~known) != 0) std::abort();
    if (options.language && !Language::IsValid(*options.language)) std::abort();
    for (const auto* value : {&options.logFile, &options.installDir, &options.layoutDir, &options.packageFile})
        if (*value && IsBlank(**value)) std::abort();
    if (options.layoutDir && (options.ui == InstallUi::Full || options.packageFile || options.installDir ||
                              options.features))
        std::abort();
}

std::vector<std::u16string> WrittenBack(const InstallOptions& options) {
    static const char16_t* const kCodes[] = {u"en", u"fr", u"de", u"es", u"it", u"ja"};
    std::vector<std::u16string> line{u"setup.exe"};
    if (options.ui == InstallUi::Quiet) line.push_back(u"/quiet");
    if (options.ui == InstallUi::Passive) line.push_back(u"-passive");
    if (options.logFile) line.push_back(u"/log:" + *options.logFile);
    if (options.language) line.push_back(std::u16string(u"-lang=") + kCodes[*options.language]);
    if (options.installDir) line.push_back(u"/dir=" + *options.installDir);
    if (options.features) {
        std::u16string names;
        for (const ComponentEntry& entry : ComponentEntries())
            if (*options.features & entry.featureBit)
                names += (names.empty() ? u"" : u",") + EnglishComponentName(entry);
        line.push_back(u"/features:" + names);
    }
    if (options.layoutDir) line.push_back(u"/layout:" + *options.layoutDir);
    if (options.packageFile) line.push_back(u"/package:" + *options.packageFile);
    if (options.noRestart) line.push_back(u"/norestart");
    if (options.noReports) line.push_back(u"/noreports");
    return line;
}

bool Same(const InstallOptions& a, const InstallOptions& b) {
    return a.ui == b.ui && a.logFile == b.logFile && a.language == b.language && a.installDir == b.installDir &&
           a.features == b.features && a.layoutDir == b.layoutDir && a.packageFile == b.packageFile &&
           a.noRestart == b.noRestart && a.noReports == b.noReports && a.help == b.help;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::u16string> line{u"setup.exe", u""};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) line.emplace_back();
        else line.back() += static_cast<char16_t>(data[i]);
    }
    const InstallSwitchesResult result = ParseInstallSwitches(line);
    if (!result.options) {
        CheckReason(result.error);
        return 0;
    }
    if (!result.error.empty()) std::abort();
    const InstallOptions& options = *result.options;
    if (options.help) return 0;
    CheckConsistent(options);
    // An empty features list is never accepted, and with /features an empty
    // set cannot be written back.
    if (options.features && *options.features == 0) std::abort();
    const InstallSwitchesResult again = ParseInstallSwitches(WrittenBack(options));
    if (!again.options || !Same(*again.options, options)) std::abort();
    return 0;
}
