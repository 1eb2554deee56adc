// Where the finish page puts and finds things: the product's program in the
// install directory, the two shortcuts, and the thank-you page's address.
#pragma once

#include <string>

#include "common/ProductIdentity.h"
#include "language/LanguageId.h"

namespace Wizard {

constexpr const char16_t* kProductProgram = Product::kProgramFile;
constexpr const char16_t* kShortcutName = Product::kShortcutFile;
constexpr char16_t kQuickLaunchFolder[] = u"Microsoft\\Internet Explorer\\Quick Launch";

// `folder` and `name` joined by exactly one backslash, as the shell's path
// appending does ("C:\" and "\x" give "C:\x"; an empty folder gives the name).
std::u16string AppendPath(const std::u16string& folder, const std::u16string& name);

// The product's program in the install directory.
std::u16string ProductProgramPath(const std::u16string& installDir);
// The shortcut in the desktop folder.
std::u16string DesktopShortcutPath(const std::u16string& desktopFolder);
// The Quick Launch shortcut below the user's application-data folder.
std::u16string QuickLaunchShortcutPath(const std::u16string& appDataFolder);

// The command line that starts `program`: the path in quotes, so that a path
// with spaces cannot start another program on the way ("C:\Program.exe").
std::u16string ProgramCommandLine(const std::u16string& program);

// The thank-you page with the language code ("?lang=de", or "&lang=de" when
// the link has a query already); empty when there is no link.
std::u16string ThankYouAddress(const std::u16string& link, LanguageId language);

}  // namespace Wizard
