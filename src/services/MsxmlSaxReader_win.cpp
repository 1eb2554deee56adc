#include "services/MsxmlSaxReader_win.h"

#include <objidl.h>
#include <oleauto.h>
#include <shlwapi.h>

#include "services/MsxmlGuids_win.h"

namespace Soap {

std::unique_ptr<MsxmlSaxReader> MsxmlSaxReader::Create() {
    std::unique_ptr<MsxmlSaxReader> reader(new MsxmlSaxReader);
    if (FAILED(CoCreateInstance(kClsidSaxXmlReader30, nullptr, CLSCTX_INPROC_SERVER, kIidSaxXmlReader,
                                reinterpret_cast<void**>(reader->reader_.Put()))) ||
        !reader->reader_) {
        return nullptr;
    }
    // Best effort: an answer has no business fetching anything else or
    // declaring entities; not every version of the reader knows these.
    ISAXXMLReader* sax = reader->reader_.Get();
    sax->putFeature(L"http://xml.org/sax/features/external-general-entities", VARIANT_FALSE);
    sax->putFeature(L"http://xml.org/sax/features/external-parameter-entities", VARIANT_FALSE);
    sax->putFeature(L"prohibit-dtd", VARIANT_TRUE);
    if (FAILED(sax->putContentHandler(&reader->adapter_))) return nullptr;
    return reader;
}

bool MsxmlSaxReader::Parse(const std::string& document, ISaxEventSink& sink) {
    if (document.empty()) return false;
    // A stream rather than a byte array: Wine's reader drops the last byte
    // of an array.
    Common::ComPtr<IStream> stream(SHCreateMemStream(reinterpret_cast<const BYTE*>(document.data()),
                                             static_cast<UINT>(document.size())));
    if (!stream) return false;
    VARIANT input;
    VariantInit(&input);
    V_VT(&input) = VT_UNKNOWN;
    V_UNKNOWN(&input) = stream.Get();

    adapter_.Attach(&sink);
    const HRESULT result = reader_.Get()->parse(input);
    const bool accepted = SUCCEEDED(result) && !adapter_.Refused();
    adapter_.Attach(nullptr);
    return accepted;
}

}  // namespace Soap
