#include "common/HeldFile.h"

#include <windows.h>

#include <vector>

#include "common/WideText.h"
#include "common/WinHandles.h"

namespace Common {
namespace {

constexpr DWORD kReadChunk = 1 << 16;

class LockedFile : public HeldFile {
public:
    explicit LockedFile(UniqueFile file) : file_(std::move(file)) {}

    std::optional<Sha256Digest> Sha256() override {
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(file_.Get(), start, nullptr, FILE_BEGIN)) return std::nullopt;
        Common::Sha256 hash;
        std::vector<std::uint8_t> chunk(kReadChunk);
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file_.Get(), chunk.data(), kReadChunk, &read, nullptr)) return std::nullopt;
            if (read == 0) return hash.Finish();
            hash.Update(chunk.data(), read);
        }
    }

private:
    UniqueFile file_;
};

}  // namespace

std::unique_ptr<HeldFile> HoldFile(const std::u16string& path) {
    // Sharing read access only: no writer, no rename, no delete while held,
    // and the open fails while someone else has the file open for writing.
    UniqueFile file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return nullptr;
    return std::make_unique<LockedFile>(std::move(file));
}

}  // namespace Common
