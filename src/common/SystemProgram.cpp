#include "common/SystemProgram.h"

#include <algorithm>

namespace Common {

std::u16string BareProgramName(const std::u16string& commandLine) {
    const std::size_t start = std::min(commandLine.find_first_not_of(u" \t"), commandLine.size());
    std::u16string program;
    if (start < commandLine.size() && commandLine[start] == u'"') {
        const auto closing = commandLine.find(u'"', start + 1);
        program = commandLine.substr(start + 1, closing == std::u16string::npos ? std::u16string::npos
                                                                                : closing - start - 1);
    } else {
        program = commandLine.substr(start, commandLine.find_first_of(u" \t", start) - start);
    }
    if (program.find_first_of(u"\\/:") != std::u16string::npos) return {};
    return program;
}

}  // namespace Common
