// Whether the product is already installed in the version the installer
// offers, or a newer one. The offered version comes from the configured
// package version text ("DOWNLOAD_MSI_VERSION") or, when that gives none,
// from the update service; the caller keeps it once known.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/VersionRecord.h"
#include "services/SoapTimeout.h"
#include "services/VersionComparison.h"

// A version document longer than this, or with more markup than this many
// "<", is no version document: every real one is about a hundred bytes.
// (The bound keeps the recursive XML parser's depth small.)
inline constexpr std::size_t kMaxVersionDocumentBytes = 64 * 1024;
inline constexpr std::size_t kMaxVersionDocumentTags = 256;

// The update service's version document, "<Version><main>3</main><minor>0</minor>
// <build1>12</build1><build2>345</build2></Version>" (names in any case), as
// a version record; 0.0.0.0 for anything else.
VersionRecord VersionFromDocument(std::string_view document);

// The decision for an offered version and the installed one (nullopt: not
// installed).
VersionComparison CompareVersions(const VersionRecord& offered, const std::optional<VersionRecord>& installed);

struct VersionSources {
    std::function<VersionRecord()> askService;                    // the update service's version
    std::function<std::optional<VersionRecord>()> findInstalled;  // the installed product's version
};

// The offered version kept in `cached`; while it is 0.0.0.0 it is filled
// from `configuredText` or else from the service, so that no source giving
// a version means asking again next time.
VersionRecord OfferedVersion(std::u16string_view configuredText, VersionRecord& cached,
                             const std::function<VersionRecord()>& askService);

// How the installed product compares with the offered version; the offered
// version is only looked for when a product is installed.
VersionComparison CompareInstalledVersion(std::u16string_view configuredText, VersionRecord& cachedOffered,
                                          const VersionSources& sources);

// Windows: GetVersionInfo for the product (id 13) at `serviceUrl`; 0.0.0.0
// when the call fails or its answer is no version document. COM is
// initialised on the calling thread for the call; the exchange waits on the
// network for at most `timeoutMilliseconds` at each step.
VersionRecord QueryServiceVersion(const std::u16string& serviceUrl,
                                  std::uint32_t timeoutMilliseconds = Soap::kExchangeTimeoutMilliseconds);
// The deployment's update service.
VersionRecord QueryServiceVersion();
