#include "common/LogFolder.h"

#include <filesystem>
#include <system_error>

namespace Common {

std::u16string TemporaryFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return error ? std::u16string() : (folder / "").u16string();
}

std::vector<std::u16string> FileNamesIn(const std::u16string& folder) {
    std::vector<std::u16string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(std::filesystem::path(folder), error), end;
         !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_regular_file(ignored)) names.push_back(entry->path().filename().u16string());
    }
    return names;
}

}  // namespace Common
