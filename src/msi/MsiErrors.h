// The errors of the installation driver. Callers that catch Error also catch
// FatalError.
#pragma once

#include <string>
#include <utility>

namespace MSIInstaller {

class Exception {
public:
    virtual ~Exception() = 0;
    virtual const std::u16string& Text() const { return text_; }

protected:
    explicit Exception(std::u16string text) : text_(std::move(text)) {}

private:
    std::u16string text_;
};

inline Exception::~Exception() = default;

class Error : public Exception {
public:
    explicit Error(std::u16string text) : Exception(std::move(text)) {}
};

class FatalError : public Error {
public:
    explicit FatalError(std::u16string text) : Error(std::move(text)) {}
};

}  // namespace MSIInstaller
