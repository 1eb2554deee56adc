#include "common/FileSize.h"

namespace Common {

std::uint64_t FileSize(const std::u16string& path) { return path.empty() ? 0 : EntrySize(path).value_or(0); }

}  // namespace Common
