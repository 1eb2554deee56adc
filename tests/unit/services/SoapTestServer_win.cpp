#include "SoapTestServer_win.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>
#include <fstream>

#include "common/TextUtil.h"
#include "common/WideText.h"
#include "services/InternetHandle_win.h"

namespace SoapTest {
namespace {

std::string Fetch(const char16_t* path) {
    using Soap::InternetHandle;
    InternetHandle root(InternetOpenW(L"SoapTest", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!root) return {};
    InternetHandle url(InternetOpenUrlW(root.Get(), Common::AsWide(Url(path)), nullptr, 0,
                                        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    std::string body;
    char chunk[4096];
    DWORD read = 0;
    while (url && InternetReadFile(url.Get(), chunk, sizeof(chunk), &read) && read > 0) body.append(chunk, read);
    return body;
}

}  // namespace

int Port() {
    static const int port = [] {
        const char* file = std::getenv("CORVANE_SOAP_SERVER_PORT_FILE");
        int value = 0;
        if (file) std::ifstream(file) >> value;
        return value;
    }();
    return port;
}

std::u16string Url(const std::u16string& path) {
    return u"http://127.0.0.1:" + Common::DecimalText(static_cast<std::uint64_t>(Port())) + path;
}

std::string LastRequest() { return Fetch(u"/_last"); }

int RequestCount() { return std::atoi(Fetch(u"/_count").c_str()); }

}  // namespace SoapTest
