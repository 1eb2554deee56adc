#pragma once

#include "common/WinHandles.h"

// The named mutex that keeps a second installer from starting. The first
// instance owns it for as long as this object lives.
class SingleInstance {
public:
    // False when the mutex could not be created or another instance holds it.
    bool Claim();

private:
    Common::UniqueHandle mutex_;
};
