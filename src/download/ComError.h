// The native build's stand-in for the platform's COM error exception: the
// same failure, with the same HRESULT, where there is no COM.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace Download {

constexpr std::int32_t kPointerError = static_cast<std::int32_t>(0x80004003);  // E_POINTER

class ComError : public std::runtime_error {
public:
    explicit ComError(std::int32_t result) : std::runtime_error("COM error"), result_(result) {}
    std::int32_t Error() const { return result_; }

private:
    std::int32_t result_;
};

}  // namespace Download
