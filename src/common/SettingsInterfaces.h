// The settings tree: a registry key below the current user's hive seen as a
// node with typed values and named children. Nodes hold no values of their
// own; every operation goes straight to the registry and raises
// Common::WinEx when it fails.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Common::Settings {

class ISettingsNode;
using SettingsNodePtr = std::shared_ptr<ISettingsNode>;
using SettingsNameList = std::shared_ptr<std::vector<std::u16string>>;

class ISettingsNode {
public:
    virtual ~ISettingsNode() = default;

    virtual void SetInt(const std::u16string& name, std::int32_t value) = 0;
    virtual std::int32_t GetInt(const std::u16string& name) = 0;
    virtual void SetBool(const std::u16string& name, bool value) = 0;
    virtual bool GetBool(const std::u16string& name) = 0;
    virtual void SetDword(const std::u16string& name, std::uint32_t value) = 0;
    virtual std::uint32_t GetDword(const std::u16string& name) = 0;
    virtual void SetString(const std::u16string& name, const std::u16string& value) = 0;
    // An empty stored text gives an empty result.
    virtual std::u16string GetString(const std::u16string& name) = 0;
    // The bytes of a binary value as a narrow string.
    virtual std::string GetBinaryString(const std::u16string& name) = 0;
    virtual void SetBinary(const std::u16string& name, const void* data, std::uint32_t size) = 0;
    virtual std::vector<std::uint8_t> GetBinary(const std::u16string& name) = 0;
    virtual void RemoveValue(const std::u16string& name) = 0;

    // A node for the subkey `name`; nothing is created in the registry.
    virtual SettingsNodePtr Child(const std::u16string& name) = 0;
    // Deletes the subkey `name` with everything below it.
    virtual void RemoveChild(const std::u16string& name) = 0;
    // Deletes every subkey and every value, keeping the key itself.
    virtual void Clear() = 0;
    virtual SettingsNameList ChildNames() = 0;
};

// The product's settings key, with accessors for its well-known children.
class ISettingsRoot : public ISettingsNode {
public:
    virtual SettingsNodePtr Links() = 0;
    virtual SettingsNodePtr PluginsSettings() = 0;
    virtual SettingsNodePtr PreviewersSettings() = 0;
    virtual SettingsNodePtr AnnotationSettings() = 0;
    virtual SettingsNodePtr EnterpriseServer() = 0;
    virtual SettingsNodePtr PdfPrinter() = 0;
    virtual SettingsNodePtr StartDialogState() = 0;
};

}  // namespace Common::Settings
