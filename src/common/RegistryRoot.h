// A registry root named without windows.h, so that portable records can say
// where their values live.
#pragma once

namespace Common {

enum class RegistryRoot { CurrentUser, LocalMachine };

}  // namespace Common
