#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "DeploymentValues.h"
#include "SoapTestServer_win.h"
#include "common/AnsiText.h"
#include "common/TextUtil.h"
#include "services/CDesktopServiceT.h"
#include "services/CServiceT.h"
#include "services/SoapEnvelopeWriter.h"
#include "services/SoapWininetClient.h"

namespace {

using namespace Soap;
using StatisticsService = NewStats::CDesktopServiceT<>;
using UpdateService = Update::CServiceT<>;

const std::string kNs = Common::ToAnsi(Deployment::kServiceNamespace);

struct Request {
    std::string head;  // request line and headers, each ending in CRLF
    std::string body;
};

Request LastRequest() {
    const std::string raw = SoapTest::LastRequest();
    const auto end = raw.find("\r\n\r\n");
    if (end == std::string::npos) return {raw, ""};
    return {raw.substr(0, end + 2), raw.substr(end + 4)};
}

bool HasLine(const std::string& head, const std::string& line) {
    return head.find("\r\n" + line + "\r\n") != std::string::npos;
}

class SoapExchange : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(SoapTest::Port(), 0) << "no SOAP test server: run through ctest";
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(SoapExchange, GetVersionInfoOnTheWire) {
    UpdateService service(SoapTest::Url(u"/Service.asmx"));
    SoapString result;
    ASSERT_EQ(service.GetVersionInfo(13, &result), kOk);
    EXPECT_EQ(result, u"<Version><main>3</main><minor>0</minor><build1>12</build1><build2>345</build2></Version>");
    EXPECT_EQ(service.GetClientError(), ClientError::Success);
    EXPECT_EQ(service.GetStatusCode(), 200);

    const Request request = LastRequest();
    const std::string envelope = EnvelopeStartTag() + "<soap:Body><GetVersionInfo xmlns=\"" + kNs +
                                 "\"><productID>13</productID></GetVersionInfo></soap:Body></soap:Envelope>";
    EXPECT_EQ(request.head.rfind("POST /Service.asmx HTTP/1.0\r\n", 0), 0u);
    EXPECT_TRUE(HasLine(request.head, "User-Agent: VCSoapClient"));
    EXPECT_TRUE(HasLine(request.head, "Accept: text/*"));
    EXPECT_TRUE(HasLine(request.head, "Host: 127.0.0.1:" + std::to_string(SoapTest::Port())));
    EXPECT_TRUE(HasLine(request.head, "Content-Length: " + std::to_string(envelope.size())));
    EXPECT_NE(request.head.find("\r\nSOAPAction: \"" + kNs + "GetVersionInfo\"\r\n"
                                "Content-Type: text/xml; charset=utf-8\r\n"),
              std::string::npos);
    EXPECT_EQ(request.body, envelope);
    EXPECT_EQ(request.body.find("<soap:Body>"), 227u);  // right after the envelope's start tag
}

TEST_F(SoapExchange, StatisticsReportsOnOneClient) {
    StatisticsService service(SoapTest::Url(u"/DesktopService.asmx"));
    struct Case {
        const char* operation;
        std::function<Status()> call;
        std::string parameters;
    };
    const Case cases[] = {
        {"StartInstallation",
         [&] {
             return service.StartInstallation(u"6f1c2d3e-0000-4000-8000-000000000001", u"corvane", u"1.0.0.0",
                                              u"00-1A-2B-3C-4D-5E", u"de", u"Windows 7 Service Pack 1 (x64)",
                                              u"http://j/?a=1&b=2", std::nullopt, u"");
         },
         "<Guid>6f1c2d3e-0000-4000-8000-000000000001</Guid><ProductCode>corvane</ProductCode>"
         "<Installer_build>1.0.0.0</Installer_build><MACAddress>00-1A-2B-3C-4D-5E</MACAddress>"
         "<Language>de</Language><OSVersion>Windows 7 Service Pack 1 (x64)</OSVersion>"
         "<JoinLink>http://j/?a=1&amp;b=2</JoinLink><Country xsi:nil=\"1\"/><WID></WID>"},
        {"EndInstallation", [&] { return service.EndInstallation(u"g", u"3.0.12.345"); },
         "<Guid>g</Guid><MSI_build>3.0.12.345</MSI_build>"},
        {"SaveUserInstallation",
         [&] { return service.SaveUserInstallation(u"g", u"j\u00fcrgen@example.com", u"J\u00fcrgen", u"<O'Neil>", true); },
         "<Guid>g</Guid><Email>j&#x00FC;rgen@example.com</Email><FirstName>J&#x00FC;rgen</FirstName>"
         "<LastName>&lt;O'Neil&gt;</LastName><Optin>true</Optin>"},
        {"CancelInstallation", [&] { return service.CancelInstallation(u"g\U0001F600"); },
         "<Guid>g&#x01F600;</Guid>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        EXPECT_EQ(c.call(), kOk);
        EXPECT_EQ(service.GetClientError(), ClientError::Success);
        const Request request = LastRequest();
        const std::string name = c.operation;
        EXPECT_EQ(request.head.rfind("POST /DesktopService.asmx HTTP/1.0\r\n", 0), 0u);
        EXPECT_NE(request.head.find("\r\nSOAPAction: \"" + kNs + name + "\"\r\n"
                                    "Content-Type: text/xml; charset=utf-8\r\n"),
                  std::string::npos);
        EXPECT_EQ(request.body, EnvelopeStartTag() + "<soap:Body><" + name + " xmlns=\"" + kNs + "\">" +
                                    c.parameters + "</" + name + "></soap:Body></soap:Envelope>");
    }
}

// What the client makes of answers it cannot use; the path chooses the
// server's answer.
TEST_F(SoapExchange, ClientErrorsOfBadAnswers) {
    struct Case {
        const char16_t* mode;
        ClientError error;
        int status;
    };
    const Case cases[] = {
        {u"fault", ClientError::SoapFault, 500},
        {u"garbage500", ClientError::ParseFaultError, 500},
        {u"html500", ClientError::ParseFaultError, 500},
        {u"wrongbody", ClientError::ParseError, 200},
        {u"html", ClientError::ParseError, 200},
        {u"empty", ClientError::ParseError, 200},
        {u"status404", ClientError::ParseError, 404},
        {u"mustunderstand", ClientError::ParseError, 200},
        {u"truncated", ClientError::ParseError, 200},
        // Hostile answers end the same way, without a hang or a crash.
        {u"huge", ClientError::ParseError, 200},
        {u"nested", ClientError::ParseError, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.mode)));
        StatisticsService service(SoapTest::Url(u"/" + std::u16string(c.mode) + u"/DesktopService.asmx"));
        EXPECT_TRUE(Failed(service.CancelInstallation(u"g")));
        EXPECT_EQ(service.GetClientError(), c.error);
        EXPECT_EQ(service.GetStatusCode(), c.status);
    }
    // A 503 with the expected answer is still an answer.
    StatisticsService unavailable(SoapTest::Url(u"/status503/DesktopService.asmx"));
    EXPECT_EQ(unavailable.CancelInstallation(u"g"), kOk);
    EXPECT_EQ(unavailable.GetStatusCode(), 503);
}

TEST_F(SoapExchange, AFaultIsKeptUntilTheNextCall) {
    StatisticsService service(SoapTest::Url(u"/fault/DesktopService.asmx"));
    EXPECT_TRUE(Failed(service.EndInstallation(u"g", u"v")));
    EXPECT_EQ(service.GetClientError(), ClientError::SoapFault);
    const SoapFault& fault = service.GetLastFault();
    EXPECT_EQ(fault.code, SoapFaultCode::Server);
    EXPECT_EQ(fault.codeText, u"soap:Server");
    EXPECT_EQ(fault.faultString, u"Server was unable to process request. ---> Database unavailable");
    EXPECT_EQ(fault.actor, u"http://127.0.0.1/DesktopService.asmx");
    EXPECT_EQ(fault.detail, u"42");

    StatisticsService healthy(SoapTest::Url(u"/DesktopService.asmx"));
    EXPECT_EQ(healthy.EndInstallation(u"g", u"v"), kOk);
    EXPECT_EQ(healthy.GetLastFault().faultString, u"");
}

TEST_F(SoapExchange, ResultsArriveWhole) {
    struct Case {
        const char16_t* mode;
        SoapString expected;
    };
    const Case cases[] = {
        {u"pieces", u"<Version><main>3</main><minor>0</minor>caf\u00e9 \U0001F600&</Version>"},
        {u"nil", std::nullopt},
        {u"utf16", u"<Version><main>3</main><minor>0</minor><build1>12</build1><build2>345</build2></Version>"},
        {u"slow", u"<Version><main>3</main><minor>0</minor><build1>12</build1><build2>345</build2></Version>"},
        {u"version-missing-build2", u"<Version><main>3</main><minor>0</minor><build1>12</build1></Version>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.mode)));
        UpdateService service(SoapTest::Url(u"/" + std::u16string(c.mode) + u"/Service.asmx"));
        SoapString result = u"before";
        EXPECT_EQ(service.GetVersionInfo(13, &result), kOk);
        EXPECT_EQ(result, c.expected);
    }
}

TEST_F(SoapExchange, EntitiesDoNotGrowTheResult) {
    for (const char16_t* mode : {u"entities", u"external"}) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(mode)));
        UpdateService service(SoapTest::Url(u"/" + std::u16string(mode) + u"/Service.asmx"));
        SoapString result = u"before";
        const Status status = service.GetVersionInfo(13, &result);
        EXPECT_TRUE(Failed(status));
        EXPECT_EQ(service.GetClientError(), ClientError::ParseError);
        EXPECT_EQ(result, u"before");
    }
}

TEST_F(SoapExchange, TheConnectionServesLaterCalls) {
    StatisticsService service(SoapTest::Url(u"/DesktopService.asmx"));
    const int before = SoapTest::RequestCount();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(service.CancelInstallation(u"g"), kOk);
    EXPECT_EQ(SoapTest::RequestCount(), before + 3);
}

TEST_F(SoapExchange, NoReaderWithoutCom) {
    StatisticsService service(SoapTest::Url(u"/DesktopService.asmx"));
    const int before = SoapTest::RequestCount();
    Status status = kOk;
    std::thread([&] { status = service.CancelInstallation(u"g"); }).join();  // COM is not initialised there
    EXPECT_TRUE(Failed(status));
    EXPECT_EQ(service.GetClientError(), ClientError::InitializeError);
    EXPECT_EQ(SoapTest::RequestCount(), before);
    // The same client works again on a thread with COM.
    EXPECT_EQ(service.CancelInstallation(u"g"), kOk);
}

TEST_F(SoapExchange, ServersThatCannotBeReached) {
    for (const char16_t* url : {u"ftp://127.0.0.1/DesktopService.asmx", u"http://127.0.0.1:99999/x", u"nonsense"}) {
        StatisticsService service(url);
        EXPECT_TRUE(Failed(service.CancelInstallation(u"g")));
        EXPECT_EQ(service.GetClientError(), ClientError::ConnectError);
    }

    // A port nobody listens on: WinInet connects only when it sends, so the
    // send fails and the client error stays as the reset left it.
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length), 0);
    closesocket(probe);
    WSACleanup();
    const std::u16string closed = u"http://127.0.0.1:" + Common::DecimalText(std::uint64_t{ntohs(address.sin_port)}) +
                                  u"/DesktopService.asmx";
    StatisticsService service(closed);
    for (const char16_t* mode : {u"first", u"second"}) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(mode)));
        EXPECT_TRUE(Failed(service.CancelInstallation(u"g")));
        EXPECT_EQ(service.GetClientError(), ClientError::Success);
        EXPECT_EQ(service.GetStatusCode(), 0);
    }

    // A server that takes the request and closes without an answer: a failed
    // send, or (Wine's WinInet) an empty answer without a status.
    StatisticsService dropping(SoapTest::Url(u"/drop/DesktopService.asmx"));
    EXPECT_TRUE(Failed(dropping.CancelInstallation(u"g")));
    const ClientError error = dropping.GetClientError();
    EXPECT_TRUE(error == ClientError::Success || error == ClientError::ParseError) << int(error);
    EXPECT_EQ(dropping.GetStatusCode(), 0);
}

TEST(SoapWininetClient, SecureFlagOnlyForHttps) {
    const DWORD plain = INTERNET_FLAG_NO_UI | INTERNET_FLAG_KEEP_CONNECTION;
    EXPECT_EQ(CSoapWininetClient::RequestFlags(*SplitUrl(u"http://h/Service.asmx")), plain);
    EXPECT_EQ(CSoapWininetClient::RequestFlags(*SplitUrl(u"https://h/Service.asmx")), plain | INTERNET_FLAG_SECURE);
}

}  // namespace
