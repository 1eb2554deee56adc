#include <exception>
#include <new>
#include <typeinfo>

#include "RuntimeFailure.h"

// The C++ runtime reports its own failures (a string grown past its limit, an
// index out of range) through these functions. Its versions build
// std::logic_error and std::runtime_error, whose reference-counted strings
// and their machinery are some 90 KB of the installer. These throw the same
// failures as an exception with a fixed text: the installer catches them,
// where it catches them at all, as std::exception, and the failures with a
// type of their own (memory, casts) keep their standard types. A thread the
// system refused is reported in ThreadFailure_win.cpp.
namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* what) { throw RuntimeFailure(what); }
void __throw_domain_error(const char* what) { throw RuntimeFailure(what); }
void __throw_invalid_argument(const char* what) { throw RuntimeFailure(what); }
void __throw_length_error(const char* what) { throw RuntimeFailure(what); }
void __throw_out_of_range(const char* what) { throw RuntimeFailure(what); }
// The text is a format; its arguments only refine it.
void __throw_out_of_range_fmt(const char* format, ...) { throw RuntimeFailure(format); }
void __throw_runtime_error(const char* what) { throw RuntimeFailure(what); }
void __throw_range_error(const char* what) { throw RuntimeFailure(what); }
void __throw_overflow_error(const char* what) { throw RuntimeFailure(what); }
void __throw_underflow_error(const char* what) { throw RuntimeFailure(what); }

}  // namespace std
