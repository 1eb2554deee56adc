// The native build's stand-in for the platform's COM error exception: the
// same failure, with the same HRESULT, where there is no COM.
#pragma once

#include <cstdint>
#include <exception>

namespace Download {

constexpr std::int32_t kPointerError = static_cast<std::int32_t>(0x80004003);  // E_POINTER

class ComError : public std::exception {
public:
    explicit ComError(std::int32_t result) : result_(result) {}
    const char* what() const noexcept override { return "COM error"; }
    std::int32_t Error() const { return result_; }

private:
    std::int32_t result_;
};

}  // namespace Download
