// What the installer throws where the C++ runtime reports a failure of its
// own (see RuntimeFailures_win.cpp).
#pragma once

#include <exception>

class RuntimeFailure : public std::exception {
public:
    explicit RuntimeFailure(const char* what) : what_(what) {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;  // the runtime passes texts of static storage
};
