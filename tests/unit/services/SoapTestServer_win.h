// The loopback SOAP test server (soap_test_server.py) as the Wine tests see
// it. The ctest fixture starts it and names its port file in
// CORVANE_SOAP_SERVER_PORT_FILE.
#pragma once

#include <string>

namespace SoapTest {

// The server's port; 0 when the fixture did not start it.
int Port();
// "http://127.0.0.1:PORT" followed by `path`.
std::u16string Url(const std::u16string& path);
// The last request the server received, byte for byte.
std::string LastRequest();
// How many requests it has received so far.
int RequestCount();

}  // namespace SoapTest
