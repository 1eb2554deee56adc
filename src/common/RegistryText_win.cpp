#include "common/RegistryText_win.h"

#include "common/WideText.h"

namespace RegistryText {

Common::UniqueKey OpenForReading(HKEY parent, const std::u16string& path) {
    Common::UniqueKey key;
    if (RegOpenKeyExW(parent, Common::AsWide(path), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) key.Reset();
    return key;
}

std::optional<std::u16string> Read(HKEY key, const std::u16string& name, std::size_t maxChars) {
    // One more character for the terminator, which a stored text may lack.
    std::u16string buffer(maxChars + 1, u'\0');
    DWORD size = static_cast<DWORD>(maxChars * sizeof(char16_t));
    DWORD type = REG_NONE;
    const LONG status = RegQueryValueExW(key, Common::AsWide(name), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    buffer.resize(size / sizeof(char16_t));
    return std::u16string(buffer.c_str());  // up to the first terminator
}

}  // namespace RegistryText
