// Where the user's language choice is kept between runs. The manager reads it
// as it starts and writes it when asked; tests put their own store in.
#pragma once

#include <cstdint>
#include <optional>

#include "language/LanguageId.h"

class ILanguageSetting {
public:
    virtual ~ILanguageSetting() = default;

    // The stored number, unchecked; nothing when there is none or it cannot be read.
    virtual std::optional<std::int32_t> Load() = 0;
    // Best effort: a failure is silent.
    virtual void Save(LanguageId language) = 0;
};

// A store that lasts as long as the object.
class MemoryLanguageSetting : public ILanguageSetting {
public:
    MemoryLanguageSetting() = default;
    explicit MemoryLanguageSetting(std::optional<std::int32_t> stored) : stored_(stored) {}

    std::optional<std::int32_t> Load() override { return stored_; }
    void Save(LanguageId language) override { stored_ = language; }

private:
    std::optional<std::int32_t> stored_;
};

// The user's own store: on Windows the "Language" value of the key
// of the product's settings below HKEY_CURRENT_USER; in the native
// build, which has no registry, a memory store.
ILanguageSetting& UserLanguageSetting();
