// bench-checks PACKAGE [ROUNDS]: times the checks the installer makes of a
// downloaded package, as its target machine makes them, against a plain
// SHA-256 of the same file, alternately in one process, and prints the
// medians and their ratios. The checks without a stamped digest: hold, the
// publisher's trusted signature (WinVerifyTrust and the installer's own
// chain, message and package digest checks), the facts; with one: hold, the
// held file's SHA-256, the facts. One round before the timed ones readies
// what a process does once (the trusted roots) and the file's pages.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "DeploymentValues.h"
#include "common/AnsiText.h"
#include "common/FileSize.h"
#include "common/HeldFile.h"
#include "msi/PackageFacts.h"
#include "msi/PackagePublisher.h"
#include "msi/PackageSignature.h"

namespace {

using Clock = std::chrono::steady_clock;

// Seconds `step` took; false from the step fails the whole run.
double Timed(const std::function<bool()>& step) {
    const auto started = Clock::now();
    if (!step()) {
        std::fprintf(stderr, "a check failed: the package does not pass\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - started).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool SignatureChecks(const std::u16string& path) {
    const auto held = Common::HoldFile(path);
    if (!held) return false;
    const auto signer = MSIInstaller::TrustedPackageSigner(path);
    return signer && MSIInstaller::SignerIsPublisher(*signer, Deployment::kPackagePublisher) &&
           MSIInstaller::ReadPackageFacts(path).isDatabase;
}

bool DigestChecks(const std::u16string& path) {
    const auto held = Common::HoldFile(path);
    return held && held->Sha256() && MSIInstaller::ReadPackageFacts(path).isDatabase;
}

bool PlainSha256(const std::u16string& path) {
    const auto file = Common::HoldFile(path);
    return file && file->Sha256();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-checks PACKAGE [ROUNDS]\n");
        return 2;
    }
    const std::u16string path = reinterpret_cast<const char16_t*>(argv[1]);
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;

    MSIInstaller::PrepareTrustChecks();
    Timed([&] { return SignatureChecks(path) && DigestChecks(path) && PlainSha256(path); });
    std::vector<double> signature, digest, plain;
    for (int round = 0; round < rounds; ++round) {
        signature.push_back(Timed([&] { return SignatureChecks(path); }));
        digest.push_back(Timed([&] { return DigestChecks(path); }));
        plain.push_back(Timed([&] { return PlainSha256(path); }));
    }
    const double plainMedian = Median(plain);
    const double megabytes = static_cast<double>(Common::FileSize(path)) / 1e6;
    std::printf("checks of a %.0f MB package (medians of %d alternating rounds): plain SHA-256 of the file %.3f s "
                "(%.0f MB/s); checks by the signature %.3f s, ratio %.2fx; checks by a stamped digest %.3f s, "
                "ratio %.2fx\n",
                megabytes, rounds, plainMedian, megabytes / plainMedian, Median(signature),
                Median(signature) / plainMedian, Median(digest), Median(digest) / plainMedian);
    return 0;
}
