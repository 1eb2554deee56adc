// The class and interface ids of the MSXML 3.0 SAX reader. MinGW's import
// libraries do not carry them, so they are defined here from their GUIDs.
#pragma once

#include <windows.h>

namespace Soap {

extern const CLSID kClsidSaxXmlReader30;    // {079AA557-4A18-424A-8EEE-E39F0A8D41B9}
extern const IID kIidSaxXmlReader;          // {A4F96ED0-F829-476E-81C0-CDC7BD2A0802}
extern const IID kIidSaxContentHandler;     // {1545CDFA-9E4E-4497-A8A4-2BF7D0112C44}

}  // namespace Soap
