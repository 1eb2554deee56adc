// Registry set-up for the Windows tests of the probes: values put back as
// they were, and uninstall entries made for one test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/Registry.h"

namespace RegistryFixtures {

constexpr DWORD kMissing = 0xFFFFFFFF;

// A text value as it was before the test; put back (or removed) at the end.
class SavedText {
public:
    SavedText(HKEY root, std::u16string path, std::u16string name)
        : root_(root), path_(std::move(path)), name_(std::move(name)) {
        existed_ = Common::Registry::ValueType(root_, path_, name_, kMissing) != kMissing;
        if (existed_) Common::Registry::ReadString(root_, path_, name_, value_);
    }
    ~SavedText() {
        try {
            if (existed_) {
                Common::Registry::WriteString(root_, path_, name_, value_);
            } else if (Common::Registry::ValueType(root_, path_, name_, kMissing) != kMissing) {
                Common::Registry::DeleteValue(root_, path_, name_);
            }
        } catch (const Common::WinEx&) {
        }
    }
    SavedText(const SavedText&) = delete;
    SavedText& operator=(const SavedText&) = delete;

    void Set(const std::u16string& value) { Common::Registry::WriteString(root_, path_, name_, value); }
    void Remove() {
        if (Common::Registry::ValueType(root_, path_, name_, kMissing) != kMissing) {
            Common::Registry::DeleteValue(root_, path_, name_);
        }
    }

private:
    HKEY root_;
    std::u16string path_;
    std::u16string name_;
    bool existed_ = false;
    std::u16string value_;
};

// Machine-wide uninstall entries of a test, removed again at its end.
class UninstallEntries {
public:
    static constexpr char16_t kPath[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

    ~UninstallEntries() {
        for (const auto& key : keys_) {
            try {
                Common::Registry::DeleteKeyTree(HKEY_LOCAL_MACHINE, key);
            } catch (const Common::WinEx&) {
            }
        }
    }

    // An entry with these text values (name, value, name, value...).
    void Add(const std::u16string& subkey, const std::vector<std::u16string>& values) {
        const std::u16string key = kPath + subkey;
        Common::Registry::DeleteKeyTree(HKEY_LOCAL_MACHINE, key);
        keys_.push_back(key);
        Common::Registry::WriteDword(HKEY_LOCAL_MACHINE, key, u"EstimatedSize", 1);
        for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
            Common::Registry::WriteString(HKEY_LOCAL_MACHINE, key, values[i], values[i + 1]);
        }
    }

private:
    std::vector<std::u16string> keys_;
};

}  // namespace RegistryFixtures
