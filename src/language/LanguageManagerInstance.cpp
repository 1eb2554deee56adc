#include "language/AsLanguage_Manager.h"

namespace {

AsLanguage_Manager& Instance() {
    static AsLanguage_Manager manager(UserLanguageSetting());
    return manager;
}

// Built during static initialisation, before the application object runs; the
// function-local object above also serves callers from other static
// initialisers, whatever their order.
[[maybe_unused]] AsLanguage_Manager& builtAtStart = Instance();

}  // namespace

AsLanguage_Manager& LanguageManager() { return Instance(); }
