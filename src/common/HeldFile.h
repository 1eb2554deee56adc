// A file held open from its check until its use. While it is held nobody can
// write to it, rename it or delete it (others may still read it), so a later
// open of the same path, by this process or by a system service, reads what
// was checked.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/Sha256.h"

namespace Common {

class HeldFile {
public:
    virtual ~HeldFile() = default;

    // The digest of the whole file, read from its start; nullopt when it
    // cannot be read.
    virtual std::optional<Sha256Digest> Sha256() = 0;
};

// (Windows) Holds the file at `path`; nullptr when it does not exist or
// cannot be held, for instance because another program has it open for writing.
std::unique_ptr<HeldFile> HoldFile(const std::u16string& path);

}  // namespace Common
