#include "language/LanguageSetting.h"

ILanguageSetting& UserLanguageSetting() {
    static MemoryLanguageSetting setting;
    return setting;
}
