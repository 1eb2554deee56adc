// The content handler that the MSXML SAX reader calls: it turns the
// reader's callbacks into the portable events of an ISaxEventSink. No
// exception leaves a callback; a refused event or a failure stops the parse.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include "services/SaxEvents.h"

namespace Soap {

class SaxContentAdapter final : public ISAXContentHandler {
public:
    // Events go to `sink` until the next Attach; with none, all are refused.
    void Attach(ISaxEventSink* sink) {
        sink_ = sink;
        refused_ = false;
    }
    // Whether an event was refused since Attach.
    bool Refused() const { return refused_; }

    // The adapter lives inside its owner, which outlives every reference the
    // reader takes, so the count does not decide its life.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE putDocumentLocator(ISAXLocator*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE startDocument() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE endDocument() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE startPrefixMapping(const wchar_t*, int, const wchar_t*, int) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE endPrefixMapping(const wchar_t*, int) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE startElement(const wchar_t* uri, int uriLength, const wchar_t* localName,
                                           int localNameLength, const wchar_t* qName, int qNameLength,
                                           ISAXAttributes* attributes) override;
    HRESULT STDMETHODCALLTYPE endElement(const wchar_t* uri, int uriLength, const wchar_t* localName,
                                         int localNameLength, const wchar_t* qName, int qNameLength) override;
    HRESULT STDMETHODCALLTYPE characters(const wchar_t* text, int length) override;
    HRESULT STDMETHODCALLTYPE ignorableWhitespace(const wchar_t* text, int length) override;
    HRESULT STDMETHODCALLTYPE processingInstruction(const wchar_t*, int, const wchar_t*, int) override { return S_OK; }
    // An entity the reader did not expand would lose text: refused.
    HRESULT STDMETHODCALLTYPE skippedEntity(const wchar_t*, int) override;

private:
    template <typename Event>
    HRESULT Forward(Event&& event) noexcept;

    ISaxEventSink* sink_ = nullptr;
    bool refused_ = false;
};

}  // namespace Soap
