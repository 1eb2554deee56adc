// The status an operation method returns: the values of the platform's
// HRESULT codes, negative for failure, so Windows callers can treat them as
// such and portable code needs no COM header.
#pragma once

#include <cstdint>

namespace Soap {

using Status = std::int32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kFail = static_cast<Status>(0x80004005);            // E_FAIL
inline constexpr Status kInvalidPointer = static_cast<Status>(0x80004003);  // E_POINTER
inline constexpr Status kOutOfMemory = static_cast<Status>(0x8007000E);     // E_OUTOFMEMORY

inline constexpr bool Failed(Status status) { return status < 0; }

}  // namespace Soap
