// The command that removes the installed product, as its uninstall entry
// names it ("MsiExec.exe /I{product code}").
#pragma once

#include <string>

namespace Common {

// The uninstall command of the product's machine-wide uninstall entry, looked
// up once per process: once found, later calls give the same text without
// reading the registry again. Empty when no entry is found (and then the
// next call looks again).
std::u16string FindUninstallString();

// The lookup itself, without the cache: the "UninstallString" of the last
// entry named exactly as the product; empty when there is none.
std::u16string LookUpUninstallString();

}  // namespace Common
