#include "services/InstallationId.h"

#include "common/SystemRandom.h"

std::u16string UuidText(const std::array<std::uint8_t, 16>& bytes) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += u'-';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::u16string RandomUuidText() {
    std::array<std::uint8_t, 16> bytes{};
    if (!Common::FillSystemRandom(bytes.data(), bytes.size())) return {};
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4: random
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // the RFC 4122 variant
    return UuidText(bytes);
}

std::u16string ChooseInstallationId(const std::u16string& systemText,
                                    const std::function<std::u16string()>& randomText) {
    if (!systemText.empty()) return systemText;
    std::u16string random = randomText ? randomText() : std::u16string();
    return random.empty() ? std::u16string(kNilInstallationId) : random;
}
