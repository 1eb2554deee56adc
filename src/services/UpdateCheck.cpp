#include "services/UpdateCheck.h"

#include <rapidxml.hpp>

#include <algorithm>
#include <vector>

#include "common/VersionParse.h"

namespace {

const rapidxml::xml_node<>* FindChild(const rapidxml::xml_node<>& parent, const char* name) {
    return parent.first_node(name, 0, false);  // the names are matched without regard to case
}

}  // namespace

VersionRecord VersionFromDocument(std::string_view document) {
    if (document.size() > kMaxVersionDocumentBytes ||
        static_cast<std::size_t>(std::count(document.begin(), document.end(), '<')) > kMaxVersionDocumentTags) {
        return {};
    }
    std::vector<char> text(document.begin(), document.end());
    text.push_back('\0');
    rapidxml::xml_document<> parsed;
    try {
        parsed.parse<0>(text.data());  // skips a UTF-8 byte-order mark
    } catch (const rapidxml::parse_error&) {
        return {};
    }
    const auto* version = FindChild(parsed, "Version");
    if (!version) return {};
    std::string joined;
    const char* separator = "";
    for (const char* name : {"main", "minor", "build1", "build2"}) {
        const auto* part = FindChild(*version, name);
        if (!part) return {};
        joined += separator;
        joined.append(part->value(), part->value_size());  // no text: empty
        separator = ".";
    }
    return ParseVersion(joined);
}

VersionComparison CompareVersions(const VersionRecord& offered, const std::optional<VersionRecord>& installed) {
    if (!installed) return VersionComparison::NotInstalledOrOlder;
    if (*installed > offered) return VersionComparison::NewerInstalled;
    if (*installed < offered) return VersionComparison::NotInstalledOrOlder;
    return VersionComparison::SameInstalled;
}

VersionRecord OfferedVersion(std::u16string_view configuredText, VersionRecord& cached,
                             const std::function<VersionRecord()>& askService) {
    if (cached.IsNone()) {
        cached = ParseVersion(configuredText);
        if (cached.IsNone() && askService) cached = askService();
    }
    return cached;
}

VersionComparison CompareInstalledVersion(std::u16string_view configuredText, VersionRecord& cachedOffered,
                            const VersionSources& sources) {
    const std::optional<VersionRecord> installed = sources.findInstalled ? sources.findInstalled() : std::nullopt;
    // With nothing installed every offered version is newer: the service is
    // not asked, so that a slow or unreachable one cannot hold the first page
    // of a first installation.
    if (!installed) return VersionComparison::NotInstalledOrOlder;
    return CompareVersions(OfferedVersion(configuredText, cachedOffered, sources.askService), installed);
}
