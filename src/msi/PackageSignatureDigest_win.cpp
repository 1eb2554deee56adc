#include "msi/PackageSignatureDigest_win.h"

#include <objbase.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "common/ComPtr_win.h"
#include "common/WideText.h"
#include "msi/PackagePublisher.h"

namespace MSIInstaller {

namespace {

class Hash {
public:
    explicit Hash(const char* algorithmOid) {
        const ALG_ID algorithm = CertOIDToAlgId(algorithmOid);
        if (algorithm == 0) return;
        if (!CryptAcquireContextW(&provider_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) return;
        if (!CryptCreateHash(provider_, algorithm, 0, 0, &hash_)) hash_ = 0;
    }
    ~Hash() {
        if (hash_) CryptDestroyHash(hash_);
        if (provider_) CryptReleaseContext(provider_, 0);
    }
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;

    bool IsValid() const { return hash_ != 0; }
    bool Add(const void* data, DWORD size) {
        return size == 0 || CryptHashData(hash_, static_cast<const BYTE*>(data), size, 0);
    }
    std::string Value() {
        DWORD size = 0;
        DWORD sizeSize = sizeof(size);
        if (!CryptGetHashParam(hash_, HP_HASHSIZE, reinterpret_cast<BYTE*>(&size), &sizeSize, 0)) return {};
        std::string value(size, '\0');
        if (!CryptGetHashParam(hash_, HP_HASHVAL, reinterpret_cast<BYTE*>(value.data()), &size, 0)) return {};
        return value;
    }

private:
    HCRYPTPROV provider_ = 0;
    HCRYPTHASH hash_ = 0;
};

const char16_t kSignatureStream[] = u"\x05" u"DigitalSignature";
const char16_t kMetadataDigestStream[] = u"\x05" u"MsiDigitalSignatureEx";

bool IsSignatureStream(const std::u16string& name) {
    return name == kSignatureStream || name == kMetadataDigestStream;
}

HRESULT OpenStream(IStorage& storage, const std::u16string& name, Common::ComPtr<IStream>& stream) {
    return storage.OpenStream(Common::AsWide(name), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Put());
}

bool HashContents(IStream& stream, Hash& hash) {
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        ULONG read = 0;
        if (FAILED(stream.Read(buffer.data(), static_cast<ULONG>(buffer.size()), &read))) return false;
        if (read == 0) return true;
        if (!hash.Add(buffer.data(), read)) return false;
    }
}

bool HashStream(IStorage& storage, const std::u16string& name, Hash& hash) {
    Common::ComPtr<IStream> stream;
    return SUCCEEDED(OpenStream(storage, name, stream)) && HashContents(*stream.Get(), hash);
}

// A package signed without its metadata has no such stream; any other
// failure to read it fails the digest.
bool HashMetadataDigest(IStorage& root, Hash& hash) {
    Common::ComPtr<IStream> stream;
    const HRESULT opened = OpenStream(root, kMetadataDigestStream, stream);
    if (opened == STG_E_FILENOTFOUND) return true;
    return SUCCEEDED(opened) && HashContents(*stream.Get(), hash);
}

bool HashStorage(IStorage& storage, bool isRoot, Hash& hash) {
    Common::ComPtr<IEnumSTATSTG> elements;
    if (FAILED(storage.EnumElements(0, nullptr, 0, elements.Put()))) return false;
    std::vector<std::pair<std::u16string, DWORD>> children;
    STATSTG element{};
    while (elements.Get()->Next(1, &element, nullptr) == S_OK) {
        children.emplace_back(reinterpret_cast<const char16_t*>(element.pwcsName), element.type);
        CoTaskMemFree(element.pwcsName);
    }
    std::sort(children.begin(), children.end(),
              [](const auto& a, const auto& b) { return ComesFirstInPackageDigest(a.first, b.first); });
    for (const auto& [name, type] : children) {
        if (isRoot && IsSignatureStream(name)) continue;
        if (type == STGTY_STREAM) {
            if (!HashStream(storage, name, hash)) return false;
        } else if (type == STGTY_STORAGE) {
            Common::ComPtr<IStorage> child;
            if (FAILED(storage.OpenStorage(Common::AsWide(name), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr,
                                           0, child.Put()))) {
                return false;
            }
            if (!HashStorage(*child.Get(), false, hash)) return false;
        }
    }
    STATSTG self{};
    if (FAILED(storage.Stat(&self, STATFLAG_NONAME))) return false;
    return hash.Add(&self.clsid, sizeof(self.clsid));
}

// The value of a DER element: what follows its tag and length.
std::string DerContents(const BYTE* data, DWORD size) {
    if (size < 2) return {};
    DWORD at = 1;
    DWORD length = data[at++];
    if (length & 0x80) {
        const DWORD lengthBytes = length & 0x7F;
        if (lengthBytes == 0 || lengthBytes > 4 || at + lengthBytes > size) return {};
        length = 0;
        for (DWORD i = 0; i < lengthBytes; ++i) length = length << 8 | data[at++];
    }
    if (length > size - at) return {};
    return std::string(reinterpret_cast<const char*>(data + at), length);
}

std::vector<BYTE> MessageParam(HCRYPTMSG message, DWORD type) {
    DWORD size = 0;
    if (!CryptMsgGetParam(message, type, 0, nullptr, &size)) return {};
    std::vector<BYTE> value(size);
    if (!CryptMsgGetParam(message, type, 0, value.data(), &size)) return {};
    value.resize(size);
    return value;
}

// The message digest the signer signed among its authenticated attributes.
std::string SignedMessageDigest(const CMSG_SIGNER_INFO& signer) {
    for (DWORD i = 0; i < signer.AuthAttrs.cAttr; ++i) {
        const CRYPT_ATTRIBUTE& attribute = signer.AuthAttrs.rgAttr[i];
        if (std::string(attribute.pszObjId) != szOID_PKCS_9_MESSAGE_DIGEST || attribute.cValue != 1) continue;
        const CRYPT_ATTR_BLOB& value = attribute.rgValue[0];
        if (value.cbData < 2 || value.pbData[0] != 0x04) return {};  // an OCTET STRING
        return DerContents(value.pbData, value.cbData);
    }
    return {};
}

bool ContentMatchesMessageDigest(HCRYPTMSG message) {
    // The signer's own information: Wine answers no narrower question about it.
    const std::vector<BYTE> signerParam = MessageParam(message, CMSG_SIGNER_INFO_PARAM);
    const std::vector<BYTE> content = MessageParam(message, CMSG_CONTENT_PARAM);
    if (signerParam.empty() || content.empty()) return false;
    const auto* signer = reinterpret_cast<const CMSG_SIGNER_INFO*>(signerParam.data());
    // The digest covers the content's value, without the tag and length of
    // its outer sequence.
    if (content[0] != 0x30) return false;
    const std::string value = DerContents(content.data(), static_cast<DWORD>(content.size()));
    Hash hash(signer->HashAlgorithm.pszObjId);
    if (value.empty() || !hash.IsValid() || !hash.Add(value.data(), static_cast<DWORD>(value.size()))) return false;
    const std::string signedDigest = SignedMessageDigest(*signer);
    return !signedDigest.empty() && hash.Value() == signedDigest;
}

}  // namespace

std::string PackageAuthenticodeDigest(const std::u16string& path, const char* digestAlgorithmOid) {
    Hash hash(digestAlgorithmOid);
    if (!hash.IsValid()) return {};
    Common::ComPtr<IStorage> root;
    // Read sharing only: the package may be held against writes meanwhile.
    if (FAILED(StgOpenStorage(Common::AsWide(path), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0,
                              root.Put()))) {
        return {};
    }
    if (!HashMetadataDigest(*root.Get(), hash) || !HashStorage(*root.Get(), true, hash)) return {};
    return hash.Value();
}

bool SignatureCoversPackage(HCRYPTMSG message, PCCERT_CONTEXT signer, const SIP_INDIRECT_DATA& content,
                            const std::u16string& path) {
    CMSG_CTRL_VERIFY_SIGNATURE_EX_PARA verify{};
    verify.cbSize = sizeof(verify);
    verify.dwSignerIndex = 0;
    verify.dwSignerType = CMSG_VERIFY_SIGNER_CERT;
    verify.pvSigner = const_cast<CERT_CONTEXT*>(signer);
    if (!CryptMsgControl(message, 0, CMSG_CTRL_VERIFY_SIGNATURE_EX, &verify)) return false;
    if (!ContentMatchesMessageDigest(message)) return false;
    const std::string digest = PackageAuthenticodeDigest(path, content.DigestAlgorithm.pszObjId);
    return !digest.empty() &&
           digest == std::string(reinterpret_cast<const char*>(content.Digest.pbData), content.Digest.cbData);
}

}  // namespace MSIInstaller
