#include <gtest/gtest.h>

#include "DeploymentValues.h"
#include "FakeSoapClient.h"
#include "common/AnsiText.h"
#include "services/CDesktopServiceT.h"
#include "services/CServiceT.h"
#include "services/SoapEnvelopeWriter.h"
#include "services/SoapNamespaces.h"

namespace {

using namespace Soap;
using namespace SaxTest;

using DesktopService = NewStats::CDesktopServiceT<FakeSoapClient>;
using UpdateService = Update::CServiceT<FakeSoapClient>;

const std::u16string kNs = Deployment::kServiceNamespace;

std::string Body(const std::string& wrapper) {
    return EnvelopeStartTag() + "<soap:Body>" + wrapper + "</soap:Body></soap:Envelope>";
}
std::string Ns() { return Common::ToAnsi(Deployment::kServiceNamespace); }
std::u16string Headers(const char16_t* operation) {
    return u"SOAPAction: \"" + kNs + operation + u"\"\r\nContent-Type: text/xml; charset=utf-8\r\n";
}
Events EmptyResponse(const char16_t* operation) {
    return Envelope(Element(kNs, std::u16string(operation) + u"Response"));
}
Events VersionAnswer(const Events& result) {
    return Envelope(Element(kNs, u"GetVersionInfoResponse", Element(kNs, u"GetVersionInfoResult", result)));
}
Events FaultAnswer() {
    return Envelope(SoapElement(u"Fault", Element(u"", u"faultcode", Text(u"soap:Server")) +
                                              Element(u"", u"faultstring", Text(u"Database down"))));
}

TEST(StatisticsProxy, EachOperationSendsItsEnvelopeAndAction) {
    DesktopService service(u"http://stats.example/DesktopService.asmx");
    EXPECT_EQ(service.url, u"http://stats.example/DesktopService.asmx");

    service.answer = EmptyResponse(u"StartInstallation");
    EXPECT_EQ(service.StartInstallation(u"g", u"corvane", u"1.0.0.7", u"00-11", u"fr", u"Windows 7 <SP1>", u"j&l",
                                        std::nullopt, u""),
              kOk);
    EXPECT_EQ(service.sentHeaders, Headers(u"StartInstallation"));
    EXPECT_EQ(service.sentBody,
              Body("<StartInstallation xmlns=\"" + Ns() +
                   "\"><Guid>g</Guid><ProductCode>corvane</ProductCode><Installer_build>1.0.0.7</Installer_build>"
                   "<MACAddress>00-11</MACAddress><Language>fr</Language><OSVersion>Windows 7 &lt;SP1&gt;</OSVersion>"
                   "<JoinLink>j&amp;l</JoinLink><Country xsi:nil=\"1\"/><WID></WID></StartInstallation>"));

    service.answer = EmptyResponse(u"EndInstallation");
    EXPECT_EQ(service.EndInstallation(u"g", u"3.0.12.345"), kOk);
    EXPECT_EQ(service.sentHeaders, Headers(u"EndInstallation"));
    EXPECT_EQ(service.sentBody, Body("<EndInstallation xmlns=\"" + Ns() +
                                     "\"><Guid>g</Guid><MSI_build>3.0.12.345</MSI_build></EndInstallation>"));

    service.answer = EmptyResponse(u"CancelInstallation");
    EXPECT_EQ(service.CancelInstallation(u"\U0001F600\u00e9"), kOk);
    EXPECT_EQ(service.sentHeaders, Headers(u"CancelInstallation"));
    EXPECT_EQ(service.sentBody, Body("<CancelInstallation xmlns=\"" + Ns() +
                                     "\"><Guid>&#x01F600;&#x00E9;</Guid></CancelInstallation>"));

    service.answer = EmptyResponse(u"SaveUserInstallation");
    for (bool optin : {true, false}) {
        EXPECT_EQ(service.SaveUserInstallation(u"g", u"a@b.c", u"Ann", u"O'Neil \"Jr\"", optin), kOk);
        EXPECT_EQ(service.sentHeaders, Headers(u"SaveUserInstallation"));
        EXPECT_EQ(service.sentBody, Body("<SaveUserInstallation xmlns=\"" + Ns() +
                                         "\"><Guid>g</Guid><Email>a@b.c</Email><FirstName>Ann</FirstName>"
                                         "<LastName>O'Neil \"Jr\"</LastName><Optin>" +
                                         (optin ? "true" : "false") + "</Optin></SaveUserInstallation>"));
    }
    EXPECT_EQ(service.GetClientError(), ClientError::Success);
    EXPECT_EQ(service.GetStatusCode(), 200);
}

TEST(StatisticsProxy, ClientErrorsOfTheCallSteps) {
    struct Case {
        const char* what;
        std::function<void(DesktopService&)> arrange;
        bool fails;
        ClientError error;
        int sends;
    };
    const Case cases[] = {
        {"no SAX reader", [](DesktopService& s) { s.readerAvailable = false; }, true, ClientError::InitializeError,
         0},
        // The exchange itself sets no error when the send fails.
        {"a failed send", [](DesktopService& s) { s.sendFails = true; }, true, ClientError::Success, 1},
        {"a SOAP fault", [](DesktopService& s) { s.status = 500, s.answer = FaultAnswer(); }, true,
         ClientError::SoapFault, 1},
        {"500 without a fault",
         [](DesktopService& s) { s.status = 500, s.answer = Element(u"", u"html", Text(u"Internal error")); }, true,
         ClientError::ParseFaultError, 1},
        {"500 with the expected answer",
         [](DesktopService& s) { s.status = 500, s.answer = EmptyResponse(u"CancelInstallation"); }, true,
         ClientError::ParseFaultError, 1},
        {"another answer", [](DesktopService& s) { s.answer = EmptyResponse(u"EndInstallation"); }, true,
         ClientError::ParseError, 1},
        {"404 with a page", [](DesktopService& s) { s.status = 404, s.answer = Element(u"", u"html"); }, true,
         ClientError::ParseError, 1},
        {"503 with the expected answer still counts as an answer",
         [](DesktopService& s) { s.status = 503, s.answer = EmptyResponse(u"CancelInstallation"); }, false,
         ClientError::Success, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DesktopService service(u"http://stats.example/DesktopService.asmx");
        c.arrange(service);
        // A previous call's error does not survive into this one.
        service.SetClientError(ClientError::ConnectError);
        const Status status = service.CancelInstallation(u"g");
        EXPECT_EQ(Failed(status), c.fails);
        EXPECT_EQ(service.GetClientError(), c.error);
        EXPECT_EQ(service.sends, c.sends);
        EXPECT_EQ(service.callsEnded, 1);
    }
}

// The two failures no server can cause: running out of memory while filling
// the record, and a record the envelope writer cannot write.
TEST(SoapCall, FailuresBeforeTheExchange) {
    const ParameterDescriptor parameters[] = {
        SOAP_PARAMETER("When", DateTime, kIn, 0),
        SOAP_PARAMETER_END,
    };
    const OperationDescriptor unwritable = SOAP_OPERATION("Schedule", parameters, u"urn:x");
    FakeSoapClient client(u"http://x/");
    CSoapRootHandler handler;
    const auto nothing = [](ParameterRecord&) {};

    EXPECT_EQ(InvokeOperation(client, handler, NewStats::kCancelInstallation,
                              [](ParameterRecord&) { throw std::bad_alloc(); }, nothing),
              kOutOfMemory);
    EXPECT_EQ(client.GetClientError(), ClientError::OutOfMemory);

    EXPECT_EQ(InvokeOperation(client, handler, unwritable, nothing, nothing), kFail);
    EXPECT_EQ(client.GetClientError(), ClientError::GenerateError);
    EXPECT_EQ(client.sends, 0);
    EXPECT_EQ(client.callsEnded, 2);
}

TEST(StatisticsProxy, TheLastFaultDescribesTheLatestCall) {
    DesktopService service(u"http://stats.example/DesktopService.asmx");
    service.status = 500;
    service.answer = FaultAnswer();
    EXPECT_TRUE(Failed(service.EndInstallation(u"g", u"v")));
    EXPECT_EQ(service.GetClientError(), ClientError::SoapFault);
    EXPECT_EQ(service.GetStatusCode(), 500);
    EXPECT_EQ(service.GetLastFault().codeText, u"soap:Server");
    EXPECT_EQ(service.GetLastFault().faultString, u"Database down");

    service.status = 200;
    service.answer = EmptyResponse(u"EndInstallation");
    EXPECT_EQ(service.EndInstallation(u"g", u"v"), kOk);
    EXPECT_EQ(service.GetClientError(), ClientError::Success);
    EXPECT_EQ(service.GetLastFault().faultString, u"");

    service.sendFails = true;
    EXPECT_TRUE(Failed(service.EndInstallation(u"g", u"v")));
    EXPECT_EQ(service.GetStatusCode(), 0);
}

TEST(UpdateProxy, GetVersionInfoHandsTheResultBack) {
    UpdateService service(u"http://update.example/Service.asmx");
    service.answer = VersionAnswer(Text(u"<Version><main>3</main>") + Text(u"<minor>0</minor></Version>"));
    SoapString result;
    EXPECT_EQ(service.GetVersionInfo(13, &result), kOk);
    EXPECT_EQ(result, u"<Version><main>3</main><minor>0</minor></Version>");
    EXPECT_EQ(service.sentHeaders, Headers(u"GetVersionInfo"));
    EXPECT_EQ(service.sentBody,
              Body("<GetVersionInfo xmlns=\"" + Ns() + "\"><productID>13</productID></GetVersionInfo>"));

    service.answer = Envelope(Element(kNs, u"GetVersionInfoResponse",
                                      Element(kNs, u"GetVersionInfoResult", {}, {Nil(u"true")})));
    EXPECT_EQ(service.GetVersionInfo(-4, &result), kOk);
    EXPECT_EQ(result, std::nullopt);
    EXPECT_NE(service.sentBody.find("<productID>-4</productID>"), std::string::npos);

    // A failed call leaves the caller's value alone.
    result = u"kept";
    service.answer = EmptyResponse(u"GetVersionInfo");
    EXPECT_TRUE(Failed(service.GetVersionInfo(13, &result)));
    EXPECT_EQ(service.GetClientError(), ClientError::ParseError);
    EXPECT_EQ(result, u"kept");
}

TEST(UpdateProxy, ANullResultPointerFailsWithoutAnExchange) {
    UpdateService service(u"http://update.example/Service.asmx");
    service.answer = VersionAnswer(Text(u"x"));
    EXPECT_EQ(service.GetVersionInfo(13, nullptr), kInvalidPointer);
    EXPECT_EQ(service.sends, 0);
    EXPECT_EQ(service.callsEnded, 0);
}

}  // namespace
