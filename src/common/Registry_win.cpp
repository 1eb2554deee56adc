#include "common/Registry.h"

#include "common/WideText.h"
#include "common/WinHandles.h"

namespace Common::Registry {
namespace {

// How often DeleteKeyTree starts over when the final deletion is refused:
// another process (an indexer, a registry editor) may briefly hold the key.
constexpr int kDeleteAttempts = 5;
constexpr DWORD kMaxNameLength = 260;

#define THROW_IF_FAILED(result)                          \
    do {                                                 \
        const LONG status_ = (result);                   \
        if (status_ != ERROR_SUCCESS) throw COMMON_WINEX(status_); \
    } while (false)

UniqueKey OpenKey(HKEY root, const std::u16string& path, REGSAM access) {
    UniqueKey key;
    THROW_IF_FAILED(RegOpenKeyExW(root, AsWide(path), 0, access, key.Put()));
    return key;
}

UniqueKey CreateKey(HKEY root, const std::u16string& path) {
    UniqueKey key;
    THROW_IF_FAILED(RegCreateKeyExW(root, AsWide(path), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                    key.Put(), nullptr));
    return key;
}

void SetValue(HKEY root, const std::u16string& path, const std::u16string& name, DWORD type, const void* data,
              DWORD size) {
    UniqueKey key = CreateKey(root, path);
    THROW_IF_FAILED(RegSetValueExW(key.Get(), AsWide(name), 0, type, static_cast<const BYTE*>(data), size));
}

DWORD QuerySize(HKEY key, const std::u16string& name) {
    DWORD size = 0;
    THROW_IF_FAILED(RegQueryValueExW(key, AsWide(name), nullptr, nullptr, nullptr, &size));
    return size;
}

}  // namespace

DWORD ReadDword(HKEY root, const std::u16string& path, const std::u16string& name) {
    UniqueKey key = OpenKey(root, path, KEY_READ);
    DWORD value = 0;
    DWORD size = sizeof(value);
    THROW_IF_FAILED(RegQueryValueExW(key.Get(), AsWide(name), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size));
    return value;
}

void ReadString(HKEY root, const std::u16string& path, const std::u16string& name, std::u16string& value) {
    UniqueKey key = OpenKey(root, path, KEY_READ);
    DWORD size = QuerySize(key.Get(), name);
    if (size == 0) return;
    // One spare character: a stored text need not end with its NUL.
    std::u16string buffer(size / 2 + 1, u'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(char16_t));
    THROW_IF_FAILED(RegQueryValueExW(key.Get(), AsWide(name), nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(buffer.data()), &size));
    value.assign(buffer.c_str());
}

std::vector<std::uint8_t> ReadBinary(HKEY root, const std::u16string& path, const std::u16string& name) {
    UniqueKey key = OpenKey(root, path, KEY_READ);
    DWORD size = QuerySize(key.Get(), name);
    std::vector<std::uint8_t> data(size);
    if (size == 0) return data;
    THROW_IF_FAILED(RegQueryValueExW(key.Get(), AsWide(name), nullptr, nullptr, data.data(), &size));
    data.resize(size);
    return data;
}

std::string ReadBinaryString(HKEY root, const std::u16string& path, const std::u16string& name) {
    try {
        const auto data = ReadBinary(root, path, name);
        return std::string(data.begin(), data.end());
    } catch (const WinEx&) {
        throw WinEx(__LINE__);
    }
}

void WriteDword(HKEY root, const std::u16string& path, const std::u16string& name, DWORD value) {
    SetValue(root, path, name, REG_DWORD, &value, sizeof(value));
}

void WriteString(HKEY root, const std::u16string& path, const std::u16string& name, const std::u16string& value) {
    SetValue(root, path, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
}

void WriteBinary(HKEY root, const std::u16string& path, const std::u16string& name, const void* data, DWORD size) {
    SetValue(root, path, name, REG_BINARY, data, size);
}

DWORD ValueType(HKEY root, const std::u16string& path, const std::u16string& name, DWORD missing) {
    UniqueKey key;
    LONG status = RegOpenKeyExW(root, AsWide(path), 0, KEY_READ, key.Put());
    if (status == ERROR_FILE_NOT_FOUND) return missing;
    THROW_IF_FAILED(status);
    DWORD type = 0;
    status = RegQueryValueExW(key.Get(), AsWide(name), nullptr, &type, nullptr, nullptr);
    if (status == ERROR_FILE_NOT_FOUND) return missing;
    THROW_IF_FAILED(status);
    return type;
}

void DeleteValue(HKEY root, const std::u16string& path, const std::u16string& name) {
    UniqueKey key = OpenKey(root, path, KEY_WRITE);
    THROW_IF_FAILED(RegDeleteValueW(key.Get(), AsWide(name)));
}

void DeleteKeyTree(HKEY root, const std::u16string& path) {
    for (int attempt = 1;; ++attempt) {
        if (RegDeleteKeyW(root, AsWide(path)) == ERROR_SUCCESS) return;
        {
            UniqueKey key;
            const LONG status = RegOpenKeyExW(root, AsWide(path), 0, KEY_READ, key.Put());
            if (status == ERROR_FILE_NOT_FOUND) return;
            THROW_IF_FAILED(status);
            // Depth first; each deletion moves the next subkey to index 0.
            for (;;) {
                wchar_t name[kMaxNameLength + 1];
                const LONG enumStatus = RegEnumKeyW(key.Get(), 0, name, kMaxNameLength + 1);
                if (enumStatus == ERROR_NO_MORE_ITEMS) break;
                THROW_IF_FAILED(enumStatus);
                DeleteKeyTree(root, path + u"\\" + FromWide(name));
            }
        }
        const LONG status = RegDeleteKeyW(root, AsWide(path));
        if (status == ERROR_SUCCESS) return;
        if (status != ERROR_ACCESS_DENIED || attempt >= kDeleteAttempts) THROW_IF_FAILED(status);
    }
}

void DeleteSubKeys(HKEY key) {
    for (;;) {
        wchar_t name[kMaxNameLength + 1];
        const LONG status = RegEnumKeyW(key, 0, name, kMaxNameLength + 1);
        if (status == ERROR_NO_MORE_ITEMS) return;
        THROW_IF_FAILED(status);
        DeleteKeyTree(key, FromWide(name));
    }
}

void DeleteValues(HKEY key) {
    for (;;) {
        wchar_t name[kMaxNameLength + 1];
        DWORD length = kMaxNameLength + 1;
        const LONG status = RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) return;
        THROW_IF_FAILED(status);
        THROW_IF_FAILED(RegDeleteValueW(key, name));
    }
}

NameList EnumSubKeys(HKEY root, const std::u16string& path) {
    UniqueKey key = OpenKey(root, path, KEY_READ);
    auto names = std::make_shared<std::vector<std::u16string>>();
    for (DWORD index = 0;; ++index) {
        wchar_t name[kMaxNameLength + 1];
        const LONG status = RegEnumKeyW(key.Get(), index, name, kMaxNameLength + 1);
        if (status == ERROR_NO_MORE_ITEMS) break;
        THROW_IF_FAILED(status);
        names->push_back(FromWide(name));
    }
    return names;
}

void GrantEveryoneFullAccess(const std::u16string& path) {
    UniqueKey key = OpenKey(HKEY_CURRENT_USER, path, WRITE_DAC);

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    UniqueSid everyone;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, everyone.Put())) {
        throw WinEx(__LINE__);
    }
    // ACL header and one access-allowed ACE around the SID.
    const DWORD aclSize = GetLengthSid(everyone.Get()) + 16;
    std::vector<std::uint8_t> aclBuffer(aclSize);
    auto* acl = reinterpret_cast<PACL>(aclBuffer.data());
    if (!InitializeAcl(acl, aclSize, ACL_REVISION)) throw WinEx(__LINE__);
    if (!AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone.Get())) throw WinEx(__LINE__);

    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) throw WinEx(__LINE__);
    if (!SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) throw WinEx(__LINE__);
    THROW_IF_FAILED(RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, &descriptor));
}

}  // namespace Common::Registry
