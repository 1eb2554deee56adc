// Where the package comes from: the configured address and download folder,
// the digest the configured copy names it by, and the download engine that
// probes the address, names the target file and transfers it.
#pragma once

#include <string>

namespace Installation {

class PackageSource {
public:
    virtual ~PackageSource() = default;

    virtual std::u16string DownloadLink() = 0;
    virtual void ResetDownloadLink() = 0;  // back to the built-in address
    virtual std::u16string DownloadFolder() = 0;
    // The package's SHA-256 in hexadecimal as the configured copy names it;
    // empty: any package is taken.
    virtual std::u16string ExpectedPackageDigest() = 0;

    // The engine's steps, in this order. Each raises StopDownloading when the
    // wizard is closing; ResolveTargetPath and Download raise
    // UDownloadException.
    virtual void SetUrl(const std::u16string& url) = 0;
    // The target path in `folder`, empty when the address names no file.
    virtual std::u16string ResolveTargetPath(const std::u16string& folder) = 0;
    virtual std::u16string Download() = 0;
    // Takes the time and size of the download for the reports.
    virtual void TakeDownloadMeasurements() = 0;
};

}  // namespace Installation
