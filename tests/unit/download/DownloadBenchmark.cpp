// Downloads one package with the engine, as the download page does (with a
// progress handler that formats its status text whenever the percentage
// changes), and prints the figures on one line:
//
//   download_benchmark URL FOLDER
//   -> bytes=N seconds=S mib_per_second=R peak_memory_bytes=M progress_calls=C
//
// A benchmark program for tools/bench-download, not a test.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "PeakMemory.h"
#include "download/PackageDownloader.h"
#include "download/TargetPath.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: download_benchmark URL FOLDER\n");
        return 2;
    }
    std::uint32_t shownPercent = 0xFFFFFFFF;
    unsigned long calls = 0;
    char status[128] = {};
    PackageDownloader engine([&](std::uint32_t percent, double received, double expected) {
        ++calls;
        if (percent == shownPercent) return;
        shownPercent = percent;
        std::snprintf(status, sizeof status, "Downloading. %u%% complete (%4.2f of %4.2f MB).", percent,
                      received / 1048576, expected / 1048576);
    });
    try {
        engine.SetUrl(Download::WidenBytes(argv[1]));  // an ASCII address
        const std::filesystem::path folder(argv[2]);
        engine.ResolveTargetPath(folder.u16string());
        const auto start = std::chrono::steady_clock::now();
        const std::filesystem::path path(engine.Download());
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const auto bytes = std::filesystem::file_size(path);
        std::printf("bytes=%llu seconds=%.4f mib_per_second=%.1f peak_memory_bytes=%llu progress_calls=%lu\n",
                    static_cast<unsigned long long>(bytes), seconds, bytes / 1048576.0 / seconds,
                    static_cast<unsigned long long>(PeakMemoryBytes()), calls);
        return 0;
    } catch (const UDownloadException&) {
        std::fprintf(stderr, "download failed, code %d\n", static_cast<int>(engine.LastError()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "download failed: %s\n", error.what());
    }
    return 1;
}
