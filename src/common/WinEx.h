// The common library's one error type: a failing Win32 call, described by the
// source place that saw it and the system's own text for its code.
#pragma once

#include <string>

namespace Common {

class WinEx {
public:
    // From an error code and the source place of the failing call.
    WinEx(unsigned long code, const char* sourceFile, int line);
    // From the calling thread's last error, raised in the registry module.
    explicit WinEx(int line);
    virtual ~WinEx() = default;

    unsigned long Code() const { return code_; }

    // "Win32 error in file F in line L code = C. Message: <system text>."
    std::u16string Text;

private:
    unsigned long code_ = 0;
};

// The file part of __FILE__, so that texts do not carry build paths.
const char* SourceFileName(const char* path);

}  // namespace Common

#define COMMON_WINEX(code) ::Common::WinEx((code), ::Common::SourceFileName(__FILE__), __LINE__)
