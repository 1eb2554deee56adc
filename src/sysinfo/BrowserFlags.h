// Whether the browsers that the product integrates into are recent enough.
#pragma once

#include <cstdint>
#include <string_view>

// Bits of the component selection mask.
constexpr std::uint32_t kInternetExplorerIntegration = 0x800;
constexpr std::uint32_t kFirefoxIntegration = 0x1000;

// The two bits for the browsers installed on this machine: Internet Explorer
// 6 or later, Firefox 3 or later, as their registry values tell.
std::uint32_t BrowserFlags();

// Internet Explorer's "Version" text: only its first character counts, which
// must sort above "5" (so "10.0" does not qualify).
bool InternetExplorerQualifies(std::u16string_view version);

// Firefox's "CurrentVersion" text, such as "3.6.13 (en-US)": the number
// before the first "." must be above 2.
bool FirefoxQualifies(std::u16string_view version);
