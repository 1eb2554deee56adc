#include "common/SettingsRoot.h"

#include "common/Registry.h"
#include "common/WideText.h"
#include "common/WinEx.h"
#include "common/WinHandles.h"

namespace Common::Settings {

SettingsNodePtr SettingsRoot::Links() { return Child(u"Links"); }
SettingsNodePtr SettingsRoot::PluginsSettings() { return Child(u"Plugins Settings"); }
SettingsNodePtr SettingsRoot::PreviewersSettings() { return Child(u"Previewers Settings"); }
SettingsNodePtr SettingsRoot::AnnotationSettings() { return Child(u"Annotation Settings"); }
SettingsNodePtr SettingsRoot::EnterpriseServer() { return Child(u"EnterpriseServer"); }
SettingsNodePtr SettingsRoot::PdfPrinter() { return Child(u"PDF Printer"); }
SettingsNodePtr SettingsRoot::StartDialogState() { return Child(u"Start Dialog State"); }

template <typename Base>
SettingsNode<Base>::SettingsNode(HKEY root, std::u16string path) : root_(root), path_(std::move(path)) {}

template <typename Base>
void SettingsNode<Base>::CheckType(const std::u16string& name, DWORD expected) const {
    if (Registry::ValueType(root_, path_, name, expected) != expected) throw COMMON_WINEX(ERROR_INVALID_ACCESS);
}

template <typename Base>
std::u16string SettingsNode<Base>::ChildPath(const std::u16string& name) const {
    return path_.empty() ? name : path_ + u"\\" + name;
}

template <typename Base>
void SettingsNode<Base>::SetInt(const std::u16string& name, std::int32_t value) {
    CheckType(name, REG_DWORD);
    Registry::WriteDword(root_, path_, name, static_cast<DWORD>(value));
}

template <typename Base>
std::int32_t SettingsNode<Base>::GetInt(const std::u16string& name) {
    CheckType(name, REG_DWORD);
    return static_cast<std::int32_t>(Registry::ReadDword(root_, path_, name));
}

template <typename Base>
void SettingsNode<Base>::SetBool(const std::u16string& name, bool value) {
    CheckType(name, REG_DWORD);
    Registry::WriteDword(root_, path_, name, value ? 1 : 0);
}

template <typename Base>
bool SettingsNode<Base>::GetBool(const std::u16string& name) {
    CheckType(name, REG_DWORD);
    return Registry::ReadDword(root_, path_, name) != 0;
}

template <typename Base>
void SettingsNode<Base>::SetDword(const std::u16string& name, std::uint32_t value) {
    CheckType(name, REG_DWORD);
    Registry::WriteDword(root_, path_, name, value);
}

template <typename Base>
std::uint32_t SettingsNode<Base>::GetDword(const std::u16string& name) {
    CheckType(name, REG_DWORD);
    return Registry::ReadDword(root_, path_, name);
}

template <typename Base>
void SettingsNode<Base>::SetString(const std::u16string& name, const std::u16string& value) {
    CheckType(name, REG_SZ);
    Registry::WriteString(root_, path_, name, value);
}

template <typename Base>
std::u16string SettingsNode<Base>::GetString(const std::u16string& name) {
    CheckType(name, REG_SZ);
    std::u16string value;
    Registry::ReadString(root_, path_, name, value);
    return value;
}

template <typename Base>
std::string SettingsNode<Base>::GetBinaryString(const std::u16string& name) {
    CheckType(name, REG_BINARY);
    return Registry::ReadBinaryString(root_, path_, name);
}

template <typename Base>
void SettingsNode<Base>::SetBinary(const std::u16string& name, const void* data, std::uint32_t size) {
    CheckType(name, REG_BINARY);
    Registry::WriteBinary(root_, path_, name, data, size);
}

template <typename Base>
std::vector<std::uint8_t> SettingsNode<Base>::GetBinary(const std::u16string& name) {
    CheckType(name, REG_BINARY);
    return Registry::ReadBinary(root_, path_, name);
}

template <typename Base>
void SettingsNode<Base>::RemoveValue(const std::u16string& name) {
    Registry::DeleteValue(root_, path_, name);
}

template <typename Base>
SettingsNodePtr SettingsNode<Base>::Child(const std::u16string& name) {
    return std::make_shared<SettingsNode<Base>>(root_, ChildPath(name));
}

template <typename Base>
void SettingsNode<Base>::RemoveChild(const std::u16string& name) {
    if (name.empty()) return;
    if (name.find(u'\\') != std::u16string::npos) throw COMMON_WINEX(ERROR_INVALID_DATA);
    Registry::DeleteKeyTree(root_, ChildPath(name));
}

template <typename Base>
void SettingsNode<Base>::Clear() {
    UniqueKey key;
    const LONG status =
        RegOpenKeyExW(root_, AsWide(path_), 0, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, key.Put());
    if (status != ERROR_SUCCESS) throw COMMON_WINEX(status);
    Registry::DeleteSubKeys(key.Get());
    Registry::DeleteValues(key.Get());
}

template <typename Base>
SettingsNameList SettingsNode<Base>::ChildNames() {
    return Registry::EnumSubKeys(root_, path_);
}

template class SettingsNode<SettingsRoot>;

std::shared_ptr<SettingsRootNode> GetSettingsRoot(const std::u16string& path) {
    static std::shared_ptr<SettingsRootNode> mostRecent;
    mostRecent = std::make_shared<SettingsRootNode>(HKEY_CURRENT_USER, path);
    return mostRecent;
}

}  // namespace Common::Settings
