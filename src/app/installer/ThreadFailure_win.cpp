#include "RuntimeFailure.h"

// The C++ runtime reports a thread or a lock the system refused through this
// function; its version builds a std::system_error, which brings the same
// strings as the runtime's other failures (RuntimeFailures_win.cpp). It is a
// file of its own because the runtime defines it beside the error
// categories: a program that uses those (a test framework) cannot have it
// replaced.
namespace std {

void __throw_system_error(int) { throw RuntimeFailure("the system refused a thread or a lock"); }

}  // namespace std
