#include "common/InstallationLogNames.h"

#include <algorithm>
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

// The digits of `value` zero-padded to `width`, then `separator` unless it
// is 0. Written out by hand: MinGW's own snprintf would bring its whole
// formatter, floating point and all, into the installer.
void AppendField(std::string& out, int value, std::size_t width, char separator = 0) {
    const std::string digits = std::to_string(value < 0 ? 0 : value);
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
    if (separator) out += separator;
}

}  // namespace

std::string LogTimestamp(const LocalTime& time) {
    std::string text;
    AppendField(text, time.year, 4, '-');
    AppendField(text, time.month, 2, '-');
    AppendField(text, time.day, 2, ' ');
    AppendField(text, time.hour, 2, ':');
    AppendField(text, time.minute, 2, ':');
    AppendField(text, time.second, 2, '.');
    AppendField(text, time.millisecond, 3);
    return text;
}

std::u16string DefaultLogName(const LocalTime& time) {
    std::string stamp;
    AppendField(stamp, time.year, 4);
    AppendField(stamp, time.month, 2);
    AppendField(stamp, time.day, 2, '_');
    AppendField(stamp, time.hour, 2);
    AppendField(stamp, time.minute, 2);
    AppendField(stamp, time.second, 2);
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
