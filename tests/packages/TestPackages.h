// Where the Windows tests find the packages and programs that the build made
// for them, and how they install and remove packages around a test. The
// paths come from the build as host paths (CORVANE_TEST_PACKAGES,
// CORVANE_PRODUCT_STUB); under Wine the host's root is drive Z:.
#pragma once

#include <windows.h>
#include <msi.h>

#include <string>

#include "common/WideText.h"

namespace TestPackages {

inline std::u16string WindowsPath(const char* hostPath) {
    std::u16string path = u"Z:";
    for (const char* c = hostPath; *c; ++c) path += *c == '/' ? u'\\' : static_cast<char16_t>(*c);
    return path;
}

#ifdef CORVANE_TEST_PACKAGES
inline std::u16string Package(const std::u16string& fileName) {
    return WindowsPath(CORVANE_TEST_PACKAGES) + u"\\" + fileName;
}
#endif

#ifdef CORVANE_PRODUCT_STUB
// "Corvane 2013.exe" of the test product in version 3.0.12.345.
inline std::u16string ProductStub() { return WindowsPath(CORVANE_PRODUCT_STUB); }
#endif

// Installs or removes with the installer's own handling of messages, so that
// a test's set-up does not depend on the code under test.
inline void UseQuietInstaller() {
    MsiSetExternalUIW(nullptr, 0, nullptr);
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
}

inline UINT InstallPackage(const std::u16string& path, const std::u16string& commandLine) {
    UseQuietInstaller();
    return MsiInstallProductW(Common::AsWide(path), Common::AsWide(commandLine));
}

inline UINT RemoveProduct(const std::u16string& productCode) {
    UseQuietInstaller();
    return MsiConfigureProductW(Common::AsWide(productCode), INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
}

}  // namespace TestPackages
