// Commands that name their program without a folder ("MsiExec.exe /X{...}").
// Started as they are, Windows would look for the program in the folder of
// the installer first, a downloads folder that others can write to, and run
// whatever lies there with the installer's rights.
#pragma once

#include <string>

namespace Common {

// The program of a command line, unquoted, when it is named without a folder;
// empty when the command names a folder or a drive, or no program at all.
std::u16string BareProgramName(const std::u16string& commandLine);

// (Windows) The full path of the command's program in the system folder when
// the command names it without a folder and the system folder has it; empty
// otherwise (start the command as it is).
std::u16string SystemProgramPath(const std::u16string& commandLine);

}  // namespace Common
