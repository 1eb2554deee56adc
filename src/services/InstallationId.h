// The installation id: the UUID that ties the statistics reports of one run
// together, in the 8-4-4-4-12 form with lower-case hexadecimal digits.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

inline constexpr char16_t kNilInstallationId[] = u"00000000-0000-0000-0000-000000000000";

// 16 bytes in the order they are written.
std::u16string UuidText(const std::array<std::uint8_t, 16>& bytes);

// A random (version 4) UUID; empty when the system has no source of
// randomness to offer.
std::u16string RandomUuidText();

// The id of a new installation: the system's UUID text, else a random UUID,
// else the nil UUID.
std::u16string ChooseInstallationId(const std::u16string& systemText,
                                    const std::function<std::u16string()>& randomText = RandomUuidText);

// Windows: a new installation id from UuidCreate.
std::u16string MakeInstallationId();
