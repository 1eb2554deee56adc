#pragma once

#include <windows.h>

#include "common/RegistryRoot.h"

namespace Common {

inline HKEY ToHkey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace Common
