// The event records of an installation: a small XML document that the
// statistics record assembles when the installation is cancelled and when
// it ends. None of the reports carries it; it is built and kept for
// inspection only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the wizard's pages record about the run for the statistics.
struct InstallationProgress {
    // The page last shown: 255 before any, 0 licence, 1 component selection,
    // 2 download and install, 5 welcome, 6 send by e-mail, 7 finish,
    // 8 already installed.
    std::uint32_t lastStep = 255;
    // 1 at start and after the exit confirmation, 0 after a crash, 2 a
    // download failure, 3 an installation failure.
    std::int32_t cancelReason = 1;
    std::optional<bool> licenseAccepted;  // set once the licence page has recorded the choice
    std::uint32_t featureBits = 0;
    std::uint32_t downloadProgress = 0;  // percent reached
    std::uint32_t downloadSeconds = 0;
    std::uint32_t downloadFileSize = 0;  // bytes, the low 32 bits
    std::string downloadLink;            // ANSI code page
    std::int32_t downloadErrorResult = 0;
    std::string installErrorResult;      // the installer's error text, narrow
    std::uint32_t installProgress = 0;   // percent reached
};

// Bytes per second; 0 without a duration.
std::uint32_t DownloadSpeed(const InstallationProgress& progress);

// <CustomParamList><CancelEvent .../></CustomParamList>, printed indented.
// `previousId` is left out when empty.
std::string CancelEventXml(const InstallationProgress& progress, const std::u16string& previousId,
                           std::uint32_t secondsSinceLaunch, std::uint32_t windowsLocaleId);

// <CustomParamList><EndInstallationEvent .../></CustomParamList>.
std::string EndInstallationEventXml(const InstallationProgress& progress, const std::u16string& packageVersion,
                                    const std::u16string& previousId);
