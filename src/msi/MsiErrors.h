// The errors of the installation driver. Callers that catch Error also catch
// FatalError.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace MSIInstaller {

// Results of MsiInstallProduct that the wizard answers in its own way.
inline constexpr std::uint32_t kInstallServiceFailure = 1601;   // ERROR_INSTALL_SERVICE_FAILURE
inline constexpr std::uint32_t kInstallAlreadyRunning = 1618;  // ERROR_INSTALL_ALREADY_RUNNING

class Exception {
public:
    virtual ~Exception() = 0;
    virtual const std::u16string& Text() const { return text_; }
    // The Windows Installer's return code when the installation itself
    // failed; 0 for a failure found by the driver or its message handler.
    std::uint32_t Result() const { return result_; }

protected:
    Exception(std::u16string text, std::uint32_t result) : text_(std::move(text)), result_(result) {}

private:
    std::u16string text_;
    std::uint32_t result_;
};

inline Exception::~Exception() = default;

class Error : public Exception {
public:
    explicit Error(std::u16string text, std::uint32_t result = 0) : Exception(std::move(text), result) {}
};

class FatalError : public Error {
public:
    explicit FatalError(std::u16string text, std::uint32_t result = 0) : Error(std::move(text), result) {}
};

}  // namespace MSIInstaller
