#include <windows.h>

#include <cstdlib>
#include <cxxabi.h>

// An exception that nobody caught ends the program the way any other crash
// does: through the top-level exception filter, which leaves the minidump and
// the cancel report. This replaces the C++ runtime's own handler, which
// demangles the exception's type name for a console this program does not
// have, and whose demangler alone is a fortieth of the executable.
namespace __gnu_cxx {

void __verbose_terminate_handler() {
    constexpr DWORD kUncaughtCxxException = 0xE0435658;  // 'CXX' in an application-defined code
    RaiseException(kUncaughtCxxException, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    std::abort();
}

}  // namespace __gnu_cxx
