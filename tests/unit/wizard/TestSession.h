// A session of the test program's own, as start-up makes one: a configured
// copy, a language manager over the built-in tables and a statistics record
// that reports nothing until asked. Windows register with the manager for
// good, so the session lives as long as the test program.
#pragma once

#include "configuration/InstallerConfig.h"
#include "installation/Session.h"
#include "language/AsLanguage_Manager.h"
#include "services/InstallationStatistics.h"

inline Installation::Session& TestSession() {
    static MemoryLanguageSetting setting;
    static InstallerConfig config;
    static AsLanguage_Manager language(setting);
    static InstallationStatistics statistics;
    static Installation::Session session{config, language, statistics};
    return session;
}
