// An owning pointer to a COM interface: releases its reference when it goes.
#pragma once

#include <unknwn.h>

#include "common/UniqueResource.h"

namespace Common {

template <typename Interface>
struct ComReleaseTraits {
    using Handle = Interface*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle pointer) noexcept { pointer->Release(); }
};

template <typename Interface>
using ComPtr = Common::UniqueResource<ComReleaseTraits<Interface>>;

}  // namespace Common
