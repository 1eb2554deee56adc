// The MSXML 3.0 SAX reader with its content handler: parses a whole answer
// body and hands its events to a sink. COM must be initialised on the
// calling thread, and the reader used only there.
#pragma once

#include <memory>
#include <string>

#include "common/ComPtr_win.h"
#include "services/SaxContentAdapter_win.h"

namespace Soap {

class MsxmlSaxReader {
public:
    // Null when the reader cannot be created (no COM on this thread, no
    // MSXML 3.0) or refuses the content handler.
    static std::unique_ptr<MsxmlSaxReader> Create();

    MsxmlSaxReader(const MsxmlSaxReader&) = delete;
    MsxmlSaxReader& operator=(const MsxmlSaxReader&) = delete;

    // True when `document` is well-formed XML and `sink` accepted every
    // event of it. An empty document is no document.
    bool Parse(const std::string& document, ISaxEventSink& sink);

private:
    MsxmlSaxReader() = default;

    SaxContentAdapter adapter_;
    Common::ComPtr<ISAXXMLReader> reader_;  // released before the adapter it holds
};

}  // namespace Soap
