#include "services/SaxContentAdapter_win.h"

#include "services/MsxmlGuids_win.h"

namespace Soap {
namespace {

std::u16string_view View(const wchar_t* text, int length) {
    if (!text || length <= 0) return {};
    return {reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)};
}

SaxAttributes ReadAttributes(ISAXAttributes* attributes) {
    SaxAttributes result;
    int count = 0;
    if (!attributes || FAILED(attributes->getLength(&count))) return result;
    for (int i = 0; i < count; ++i) {
        const wchar_t* uri = nullptr;
        const wchar_t* localName = nullptr;
        const wchar_t* value = nullptr;
        int uriLength = 0, localNameLength = 0, valueLength = 0;
        if (FAILED(attributes->getURI(i, &uri, &uriLength)) ||
            FAILED(attributes->getLocalName(i, &localName, &localNameLength)) ||
            FAILED(attributes->getValue(i, &value, &valueLength))) {
            continue;
        }
        result.push_back({std::u16string(View(uri, uriLength)), std::u16string(View(localName, localNameLength)),
                          std::u16string(View(value, valueLength))});
    }
    return result;
}

}  // namespace

HRESULT STDMETHODCALLTYPE SaxContentAdapter::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kIidSaxContentHandler)) {
        *object = static_cast<ISAXContentHandler*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

template <typename Event>
HRESULT SaxContentAdapter::Forward(Event&& event) noexcept {
    if (refused_) return E_FAIL;
    try {
        if (sink_ && event(*sink_)) return S_OK;
    } catch (...) {
    }
    refused_ = true;
    return E_FAIL;
}

HRESULT STDMETHODCALLTYPE SaxContentAdapter::startElement(const wchar_t* uri, int uriLength,
                                                          const wchar_t* localName, int localNameLength,
                                                          const wchar_t*, int, ISAXAttributes* attributes) {
    return Forward([&](ISaxEventSink& sink) {
        return sink.StartElement(View(uri, uriLength), View(localName, localNameLength), ReadAttributes(attributes));
    });
}

HRESULT STDMETHODCALLTYPE SaxContentAdapter::endElement(const wchar_t* uri, int uriLength, const wchar_t* localName,
                                                        int localNameLength, const wchar_t*, int) {
    return Forward([&](ISaxEventSink& sink) {
        return sink.EndElement(View(uri, uriLength), View(localName, localNameLength));
    });
}

HRESULT STDMETHODCALLTYPE SaxContentAdapter::characters(const wchar_t* text, int length) {
    return Forward([&](ISaxEventSink& sink) { return sink.Characters(View(text, length)); });
}

HRESULT STDMETHODCALLTYPE SaxContentAdapter::ignorableWhitespace(const wchar_t* text, int length) {
    return characters(text, length);
}

HRESULT STDMETHODCALLTYPE SaxContentAdapter::skippedEntity(const wchar_t*, int) {
    return Forward([](ISaxEventSink&) { return false; });
}

}  // namespace Soap
