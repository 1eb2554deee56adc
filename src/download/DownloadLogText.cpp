#include "download/DownloadLogText.h"

#include "common/AddressCredentials.h"

namespace Download {
namespace {

const char* FailureName(DownloadFailure failure) {
    switch (failure) {
        case DownloadFailure::NoTransferHandle: return "no transfer handle";
        case DownloadFailure::TargetNotOpened: return "target file not opened";
        case DownloadFailure::NoPackageName: return "no address reached";
        case DownloadFailure::ServerRefused: return "server refused";
        case DownloadFailure::TransferFailed: return "transfer failed";
        case DownloadFailure::ProxySignIn: return "proxy sign-in refused";
        case DownloadFailure::ServerError: return "server error";
        case DownloadFailure::DiskWrite: return "disk write";
    }
    return "unknown";
}

}  // namespace

std::string RouteText(const ProxyRoute& route) {
    return route.Direct() ? "direct" : "proxy " + Common::WithoutCredentials(route.proxy);
}

std::string RequestLine(const RequestFacts& facts) {
    std::string line = "download: ";
    line += facts.purpose;
    line += ' ';
    line += Common::WithoutCredentials(facts.address);
    if (facts.route) line += " (" + RouteText(*facts.route) + ")";
    if (facts.ranged) line += " from byte " + std::to_string(facts.rangeFrom);
    line += facts.status != 0 ? ": status " + std::to_string(facts.status) : std::string(": no answer");
    line += ", " + std::to_string(facts.bytes) + " bytes in " + std::to_string(facts.microseconds / 1000) + " ms";
    if (facts.result != 0) {
        line += ", libcurl " + std::to_string(facts.result);
        if (!facts.resultText.empty()) line += " (" + std::string(facts.resultText) + ")";
    }
    return line;
}

std::string FailureLine(DownloadFailure failure, std::int32_t code) {
    return std::string("download: failed, ") + FailureName(failure) + ", code " + std::to_string(code);
}

}  // namespace Download
