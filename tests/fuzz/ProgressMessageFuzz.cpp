// The Windows Installer's progress message texts, one a line, fed to the
// installation driver's message handler. A line "#N" gives the package size
// instead. No text may crash the handler; the number reader must agree with
// the C library's strtol on a 32-bit long, which it stands in for, and field
// 1 can only ever hold the single digit it was read from.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "msi/InstallMessageHandler.h"
#include "msi/MsiErrors.h"
#include "msi/ProgressMessage.h"

namespace {

using namespace MSIInstaller;

// strtoll's answer narrowed the way a 32-bit long is: false for a range error.
bool ReferenceToInt(const std::string& text, std::int32_t& value) {
    errno = 0;
    const long long wide = std::strtoll(text.c_str(), nullptr, 0);
    if (errno == ERANGE || wide < std::numeric_limits<std::int32_t>::min() ||
        wide > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(wide);
    return true;
}

void CheckNumberReader(const std::string& line, const std::u16string& text) {
    std::int32_t expected = 0;
    const bool inRange = ReferenceToInt(line, expected);
    bool raised = false;
    std::int32_t value = 0;
    try {
        value = WStrToInt(text);
    } catch (const Error&) {
        raised = true;
    }
    if (raised == inRange || (inRange && value != expected)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InstallMessageHandler handler;
    handler.Reset([](std::int32_t) {});

    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        const std::string line = input.substr(start, end - start);
        start = end + 1;

        // strtoll stops at a NUL, so the reference only sees lines without one.
        const std::u16string text(line.begin(), line.end());
        if (line.find('\0') == std::string::npos) CheckNumberReader(line, text);

        if (!line.empty() && line[0] == '#') {
            try {
                handler.SetPackageSize(WStrToInt(text.substr(1)));
            } catch (const Error&) {
            }
            continue;
        }
        try {
            handler.Answer(kMessageProgress, text.c_str());
        } catch (const Error&) {
            // a number out of range: the installation would stop here
        }
        const std::int32_t kind = handler.Fields()[0];
        if (kind < 0 || kind > 9) std::abort();
    }
    return 0;
}
