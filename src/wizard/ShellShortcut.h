// Shell links (".lnk" files) to a program, and the special folders they go in.
#pragma once

#include <string>

namespace Wizard {

// Saves a shortcut at `linkPath` to the full path of `targetPath`, with an
// empty description. COM must be initialised on the thread. False when any
// step failed; nothing is reported to the user.
bool CreateShellShortcut(const std::u16string& linkPath, const std::u16string& targetPath);

// A special folder (a CSIDL value), created when `create` is set and it is
// missing; empty when it cannot be read.
std::u16string SpecialFolderPath(int csidl, bool create);

}  // namespace Wizard
