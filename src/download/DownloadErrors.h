// The errors of the download engine. The page that drives a download catches
// them and decides what the user sees; the engine names what failed and the
// code behind it, and leaves the words to the wizard.
#pragma once

#include <cstdint>
#include <exception>

// What a failed download step could not do.
enum class DownloadFailure {
    NoTransferHandle,  // libcurl gave no handle
    TargetNotOpened,   // the target file could not be opened for writing
    NoPackageName,     // no URL was reached, so the package has no name
    ServerRefused,     // the server answered 401 to 499 to the name request; the code is the status
    TransferFailed,    // the transfer ended without the whole package; the code is libcurl's
    ProxySignIn,       // the proxy still demands sign-in (407) after the user's own credentials
    ServerError,       // the package server answered an error status; the code is the status
    DiskWrite,         // the package could not be written: the volume is full, another program holds the
                       // file, or the announced length exceeds the free space (code -5); the code is the
                       // system's error otherwise
};

// Every download failure that the user is told about.
class UDownloadException {
public:
    UDownloadException(DownloadFailure failure, std::int32_t code) : failure_(failure), code_(code) {}

    DownloadFailure Failure() const { return failure_; }
    // The engine's LastError() at the failure.
    std::int32_t Code() const { return code_; }

private:
    DownloadFailure failure_;
    std::int32_t code_;
};

// The transfer ended because a stop was requested; there is nothing to tell.
class StopDownloading : public std::exception {
public:
    const char* what() const noexcept override { return "download stopped"; }
};
