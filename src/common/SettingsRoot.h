// The registry-backed settings nodes (Windows only). SettingsRoot names the
// well-known children on top of Child; SettingsNode adds the registry
// access, and SettingsNode<SettingsRoot> is the one node type there is.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/SettingsInterfaces.h"

namespace Common::Settings {

class SettingsRoot : public ISettingsRoot {
public:
    SettingsNodePtr Links() override;
    SettingsNodePtr PluginsSettings() override;
    SettingsNodePtr PreviewersSettings() override;
    SettingsNodePtr AnnotationSettings() override;
    SettingsNodePtr EnterpriseServer() override;
    SettingsNodePtr PdfPrinter() override;
    SettingsNodePtr StartDialogState() override;
};

// Typed access checks the stored type first: a value of another type raises
// Common::WinEx with code 12 (ERROR_INVALID_ACCESS) and is left alone; a
// missing value passes, so writes create it and reads fail with code 2.
template <typename Base>
class SettingsNode : public Base {
public:
    SettingsNode(HKEY root, std::u16string path);

    HKEY Root() const { return root_; }
    const std::u16string& Path() const { return path_; }

    void SetInt(const std::u16string& name, std::int32_t value) override;
    std::int32_t GetInt(const std::u16string& name) override;
    void SetBool(const std::u16string& name, bool value) override;
    bool GetBool(const std::u16string& name) override;
    void SetDword(const std::u16string& name, std::uint32_t value) override;
    std::uint32_t GetDword(const std::u16string& name) override;
    void SetString(const std::u16string& name, const std::u16string& value) override;
    std::u16string GetString(const std::u16string& name) override;
    std::string GetBinaryString(const std::u16string& name) override;
    void SetBinary(const std::u16string& name, const void* data, std::uint32_t size) override;
    std::vector<std::uint8_t> GetBinary(const std::u16string& name) override;
    void RemoveValue(const std::u16string& name) override;

    SettingsNodePtr Child(const std::u16string& name) override;
    // An empty name does nothing; a name with a backslash raises code 13
    // (ERROR_INVALID_DATA) rather than reach below a grandchild.
    void RemoveChild(const std::u16string& name) override;
    void Clear() override;
    SettingsNameList ChildNames() override;

private:
    void CheckType(const std::u16string& name, DWORD expected) const;
    std::u16string ChildPath(const std::u16string& name) const;

    HKEY root_;
    std::u16string path_;
};

// The only instantiation; its members are defined in SettingsRoot_win.cpp.
extern template class SettingsNode<SettingsRoot>;

using SettingsRootNode = SettingsNode<SettingsRoot>;

// A new node for `path` below HKEY_CURRENT_USER. The most recent one is also
// kept alive until exit. Nothing is created in the registry.
std::shared_ptr<SettingsRootNode> GetSettingsRoot(const std::u16string& path);

}  // namespace Common::Settings
