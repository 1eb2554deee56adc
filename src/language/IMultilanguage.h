// A window whose texts follow the interface language. The language manager
// calls ApplyLanguage on every registered window when the language changes.
#pragma once

#include "language/LanguageId.h"

class IMultilanguage {
public:
    virtual void ApplyLanguage(LanguageId language) = 0;

protected:
    // Registered windows live as long as the program; nobody deletes them
    // through this interface, so the only virtual operation stays ApplyLanguage.
    ~IMultilanguage() = default;
};
