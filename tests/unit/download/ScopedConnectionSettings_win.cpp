#include "ScopedConnectionSettings_win.h"

#include <windows.h>

#include "common/Registry.h"
#include "common/WinEx.h"

namespace TestServer {

namespace {

using namespace Common::Registry;

const std::u16string kConnections =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
const std::u16string kDefault = u"DefaultConnectionSettings";

std::vector<std::uint8_t> SettingsRecord(std::uint32_t flags, const std::string& servers, const std::string& bypass,
                                         const std::string& script) {
    std::vector<std::uint8_t> record;
    const auto put = [&](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) record.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    put(0x46);  // the record's version
    put(1);     // its change counter
    put(flags);
    for (const std::string* text : {&servers, &bypass, &script}) {
        put(static_cast<std::uint32_t>(text->size()));
        record.insert(record.end(), text->begin(), text->end());
    }
    record.resize(record.size() + 32, 0);
    return record;
}

}  // namespace

ScopedConnectionSettings::ScopedConnectionSettings(std::uint32_t flags, const std::string& servers,
                                                   const std::string& bypass, const std::string& script) {
    if (ValueType(HKEY_CURRENT_USER, kConnections, kDefault, REG_NONE) == REG_BINARY) {
        old_ = ReadBinary(HKEY_CURRENT_USER, kConnections, kDefault);
    }
    const std::vector<std::uint8_t> record = SettingsRecord(flags, servers, bypass, script);
    WriteBinary(HKEY_CURRENT_USER, kConnections, kDefault, record.data(), static_cast<DWORD>(record.size()));
}

ScopedConnectionSettings::~ScopedConnectionSettings() {
    try {
        if (old_) {
            WriteBinary(HKEY_CURRENT_USER, kConnections, kDefault, old_->data(), static_cast<DWORD>(old_->size()));
        } else {
            DeleteValue(HKEY_CURRENT_USER, kConnections, kDefault);
        }
    } catch (const Common::WinEx&) {
        // best effort: the prefix is private to the test run
    }
}

}  // namespace TestServer
