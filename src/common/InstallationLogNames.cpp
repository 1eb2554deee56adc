#include "common/InstallationLogNames.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "common/ProductIdentity.h"
#include "common/TextUtil.h"

namespace Common {
namespace {

constexpr std::u16string_view kLogExtension = u".log";
constexpr std::u16string_view kMsiSuffix = u"_msi.log";
// "yyyyMMdd_HHmmss"
constexpr std::size_t kStampLength = 15;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool EndsWithNoCase(std::u16string_view text, std::u16string_view ending) {
    return text.size() >= ending.size() &&
           ToLowerAscii(text.substr(text.size() - ending.size())) == ToLowerAscii(ending);
}

}  // namespace

std::string LogTimestamp(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second, time.millisecond);
    return text;
}

std::u16string DefaultLogName(const LocalTime& time) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return std::u16string(Product::kLogNamePrefix) + Ascii(stamp) + std::u16string(kLogExtension);
}

std::u16string InFolder(const std::u16string& folder, std::u16string_view name) {
    std::u16string path = folder;
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path += u'\\';
    return path += name;
}

std::u16string DefaultLogPath(const std::u16string& folder, const LocalTime& time) {
    return InFolder(folder, DefaultLogName(time));
}

bool IsDefaultLogName(std::u16string_view name) {
    const std::u16string_view prefix = Product::kLogNamePrefix;
    if (name.size() != prefix.size() + kStampLength + kLogExtension.size()) return false;
    if (ToLowerAscii(name.substr(0, prefix.size())) != ToLowerAscii(prefix)) return false;
    if (!EndsWithNoCase(name, kLogExtension)) return false;
    const std::u16string_view stamp = name.substr(prefix.size(), kStampLength);
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        if (i == 8 ? stamp[i] != u'_' : !IsDigit(stamp[i])) return false;
    }
    return true;
}

std::u16string MsiLogPathBeside(std::u16string_view logPath) {
    if (EndsWithNoCase(logPath, kLogExtension)) logPath.remove_suffix(kLogExtension.size());
    return std::u16string(logPath) + std::u16string(kMsiSuffix);
}

std::vector<std::u16string> LogsToRemove(const std::vector<std::u16string>& names, std::u16string_view current,
                                         std::size_t keep) {
    const std::u16string currentKey = ToLowerAscii(current);
    std::vector<std::u16string> logs;
    for (const std::u16string& name : names) {
        if (IsDefaultLogName(name) && ToLowerAscii(name) != currentKey) logs.push_back(name);
    }
    const std::size_t keepOthers = keep > 0 ? keep - 1 : 0;
    if (logs.size() <= keepOthers) return {};
    // The prefix may differ in case only; the stamp alone orders them.
    std::sort(logs.begin(), logs.end(), [](const std::u16string& a, const std::u16string& b) {
        return ToLowerAscii(a) < ToLowerAscii(b);
    });
    logs.resize(logs.size() - keepOthers);

    std::set<std::u16string> companions;
    for (const std::u16string& log : logs) companions.insert(ToLowerAscii(MsiLogPathBeside(log)));
    std::vector<std::u16string> removed = logs;
    for (const std::u16string& name : names) {
        if (companions.count(ToLowerAscii(name)) != 0) removed.push_back(name);
    }
    return removed;
}

}  // namespace Common
