#include <gtest/gtest.h>

#include "DeploymentValues.h"
#include "SaxEventList.h"
#include "services/DesktopServiceOperations.h"
#include "services/SaxText.h"
#include "services/SoapFaultReader.h"
#include "services/SoapNamespaces.h"
#include "services/SoapResponseReader.h"
#include "services/UpdateServiceOperations.h"

namespace {

using namespace Soap;
using namespace SaxTest;

const std::u16string kNs = Deployment::kServiceNamespace;
const std::u16string kEnv = kEnvelopeNamespaceW;

Events Response(const Events& inner) { return Element(kNs, u"GetVersionInfoResponse", inner); }
Events Result(const Events& inner, SaxAttributes attributes = {}) {
    return Element(kNs, u"GetVersionInfoResult", inner, std::move(attributes));
}

struct Outcome {
    bool accepted;
    SoapString result;
};

Outcome ReadVersionAnswer(const Events& events) {
    ParameterRecord record = MakeRecord(Update::kGetVersionInfo);
    record[1] = SoapString(u"untouched");
    SoapResponseReader reader(Update::kGetVersionInfo, record);
    const bool accepted = Replay(events, reader) && reader.Accepted();
    return {accepted, std::get<SoapString>(record[1])};
}

TEST(SoapResponseRules, AcceptedAnswersAndTheirValues) {
    const Events header = Element(u"urn:other", u"Session", Element(u"urn:other", u"Id", Text(u"7")),
                                  {{kEnv, u"mustUnderstand", u"0"}}) +
                          Element(u"urn:other", u"Trace");
    struct Case {
        const char* what;
        Events events;
        SoapString expected;
    };
    const Case cases[] = {
        {"one piece", Envelope(Response(Result(Text(u"<Version/>")))), u"<Version/>"},
        {"pieces are joined", Envelope(Response(Result(Text(u"<Ver") + Text(u"sion>") + Text(u"\u00e9</Version>")))),
         u"<Version>\u00e9</Version>"},
        {"whitespace is kept in a value", Envelope(Response(Result(Text(u" 3 \n")))), u" 3 \n"},
        {"an empty element is an empty text", Envelope(Response(Result({}))), u""},
        {"nil true", Envelope(Response(Result({}, {Nil(u"true")}))), std::nullopt},
        {"nil 1 with whitespace", Envelope(Response(Result(Text(u" "), {Nil(u"1")}))), std::nullopt},
        {"nil false", Envelope(Response(Result(Text(u"x"), {Nil(u"false")}))), u"x"},
        {"an unqualified value element", Envelope(Response(Element(u"", u"GetVersionInfoResult", Text(u"u")))), u"u"},
        {"whitespace between elements",
         Text(u"\n") + SoapElement(u"Envelope", Text(u" ") + SoapElement(u"Body", Text(u"\r\n") +
                                                                          Response(Text(u"\t") + Result(Text(u"w")) +
                                                                                   Text(u" ")) +
                                                                          Text(u" ")) +
                                                    Text(u"\n")),
         u"w"},
        {"header entries without mustUnderstand are skipped", Envelope(Response(Result(Text(u"h"))), &header), u"h"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = ReadVersionAnswer(c.events);
        EXPECT_TRUE(outcome.accepted);
        EXPECT_EQ(outcome.result, c.expected);
    }
}

TEST(SoapResponseRules, RejectedAnswers) {
    const Events good = Result(Text(u"v"));
    const Events mustUnderstand = Element(u"urn:other", u"Session", {}, {{kEnv, u"mustUnderstand", u"1"}});
    const Events badFlag = Element(u"urn:other", u"Session", {}, {{kEnv, u"mustUnderstand", u"yes"}});
    struct Case {
        const char* what;
        Events events;
    };
    const Case cases[] = {
        {"an HTML page", Element(u"http://www.w3.org/1999/xhtml", u"html", Element(u"", u"body", Text(u"Error")))},
        {"a SOAP 1.2 envelope",
         Element(u"http://www.w3.org/2003/05/soap-envelope", u"Envelope",
                 Element(u"http://www.w3.org/2003/05/soap-envelope", u"Body", Response(good)))},
        {"an unqualified envelope", Element(u"", u"Envelope", Element(u"", u"Body", Response(good)))},
        {"a fault with status 200",
         Envelope(SoapElement(u"Fault", Element(u"", u"faultcode", Text(u"soap:Server")) +
                                            Element(u"", u"faultstring", Text(u"x"))))},
        {"another operation's response", Envelope(Element(kNs, u"CancelInstallationResponse"))},
        {"the response in another namespace", Envelope(Element(u"urn:else", u"GetVersionInfoResponse", good))},
        {"an empty Body", Envelope({})},
        {"no result element", Envelope(Response({}))},
        {"the result twice", Envelope(Response(good + good))},
        {"an unexpected element", Envelope(Response(good + Element(kNs, u"Extra")))},
        {"markup inside the value", Envelope(Response(Result(Element(u"", u"Version", Text(u"1")))))},
        {"text beside the value", Envelope(Response(Text(u"stray") + good))},
        {"nil with content", Envelope(Response(Result(Text(u"x"), {Nil(u"true")})))},
        {"an unreadable nil", Envelope(Response(Result({}, {Nil(u"yes")})))},
        {"two responses", Envelope(Response(good) + Response(good))},
        {"text in Body", Envelope(Text(u"x") + Response(good))},
        {"a header entry that must be understood", Envelope(Response(good), &mustUnderstand)},
        {"an unreadable mustUnderstand", Envelope(Response(good), &badFlag)},
        {"a header after Body", SoapElement(u"Envelope", SoapElement(u"Body", Response(good)) +
                                                               SoapElement(u"Header"))},
        {"two headers", SoapElement(u"Envelope", SoapElement(u"Header") + SoapElement(u"Header") +
                                                       SoapElement(u"Body", Response(good)))},
        {"two bodies", SoapElement(u"Envelope", SoapElement(u"Body", Response(good)) + SoapElement(u"Body"))},
        {"an element after Body", SoapElement(u"Envelope", SoapElement(u"Body", Response(good)) +
                                                                 Element(kNs, u"Trailer"))},
        {"no Body", SoapElement(u"Envelope", SoapElement(u"Header"))},
        {"no Body at all", SoapElement(u"Envelope", {})},
        {"an envelope inside the envelope", SoapElement(u"Envelope", Envelope(Response(good)))},
        {"text in the envelope", SoapElement(u"Envelope", Text(u"x") + SoapElement(u"Body", Response(good)))},
        {"the document ends early", [&] {
             Events events = Envelope(Response(good));
             events.pop_back();
             return events;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = ReadVersionAnswer(c.events);
        EXPECT_FALSE(outcome.accepted);
    }
}

TEST(SoapResponseRules, AValueCannotGrowWithoutBound) {
    // As a parser that expands entities would deliver it: many pieces.
    const std::u16string piece(64 * 1024, u'a');
    const auto answerOf = [&](std::size_t pieces, std::u16string tail) {
        Events text;
        for (std::size_t i = 0; i < pieces; ++i) text = text + Text(piece);
        return Envelope(Response(Result(text + Text(std::move(tail)))));
    };
    const std::size_t fullPieces = kMaxValueLength / piece.size();
    const Outcome atLimit = ReadVersionAnswer(answerOf(fullPieces, u""));
    EXPECT_TRUE(atLimit.accepted);
    EXPECT_EQ(atLimit.result->size(), kMaxValueLength);
    EXPECT_FALSE(ReadVersionAnswer(answerOf(fullPieces, u"a")).accepted);

    SoapFaultReader reader;
    Events detail;
    for (std::size_t i = 0; i <= fullPieces; ++i) detail = detail + Text(piece);
    EXPECT_FALSE(Replay(Envelope(SoapElement(u"Fault", Element(u"", u"faultcode", Text(u"soap:Server")) +
                                                           Element(u"", u"faultstring", Text(u"x")) +
                                                           Element(u"", u"detail", detail))),
                        reader));
}

TEST(SoapResponseRules, OperationsWithoutOutValuesAcceptOnlyAnEmptyResponse) {
    const auto read = [](const Events& events) {
        ParameterRecord record = MakeRecord(NewStats::kStartInstallation);
        SoapResponseReader reader(NewStats::kStartInstallation, record);
        return Replay(events, reader) && reader.Accepted();
    };
    EXPECT_TRUE(read(Envelope(Element(kNs, u"StartInstallationResponse"))));
    EXPECT_TRUE(read(Envelope(Element(kNs, u"StartInstallationResponse", Text(u"\r\n  ")))));
    EXPECT_FALSE(read(Envelope(Element(kNs, u"StartInstallationResponse", Element(kNs, u"Guid", Text(u"x"))))));
    EXPECT_FALSE(read(Envelope(Element(kNs, u"StartInstallationResponse", Text(u"ok")))));
    EXPECT_FALSE(read(Envelope(Element(kNs, u"StartInstallation"))));
}

TEST(SoapResponseRules, NumbersAndFlagsAreReadAsTheirSchemaTypes) {
    const ParameterDescriptor parameters[] = {
        SOAP_PARAMETER("Count", Int, kOut, 0),
        SOAP_PARAMETER("Ready", Boolean, kOut, 1),
        SOAP_PARAMETER_END,
    };
    const OperationDescriptor operation = SOAP_OPERATION("Probe", parameters, u"urn:probe");
    struct Case {
        std::u16string count;
        std::u16string ready;
        bool accepted;
        std::int32_t expectedCount;
        std::uint8_t expectedReady;
    };
    const Case cases[] = {
        {u"-12", u"true", true, -12, 1},
        {u" +7\n", u" 0 ", true, 7, 0},
        {u"2147483647", u"1", true, 2147483647, 1},
        {u"-2147483648", u"false", true, -2147483647 - 1, 0},
        {u"2147483648", u"true", false, 0, 0},
        {u"12a", u"true", false, 0, 0},
        {u"", u"true", false, 0, 0},
        {u"-", u"true", false, 0, 0},
        {u"1", u"yes", false, 0, 0},
        {u"1", u"TRUE", false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.count) + " " + testing::PrintToString(c.ready));
        ParameterRecord record = MakeRecord(operation);
        SoapResponseReader reader(operation, record);
        const Events events = Envelope(Element(u"urn:probe", u"ProbeResponse",
                                               Element(u"urn:probe", u"Count", Text(c.count)) +
                                                   Element(u"urn:probe", u"Ready", Text(c.ready))));
        const bool accepted = Replay(events, reader) && reader.Accepted();
        EXPECT_EQ(accepted, c.accepted);
        if (accepted) {
            EXPECT_EQ(std::get<std::int32_t>(record[0]), c.expectedCount);
            EXPECT_EQ(std::get<SoapBoolean>(record[1]).byte, c.expectedReady);
        }
    }
    // A number cannot be nil.
    ParameterRecord record = MakeRecord(operation);
    SoapResponseReader reader(operation, record);
    EXPECT_FALSE(Replay(Envelope(Element(u"urn:probe", u"ProbeResponse",
                                         Element(u"urn:probe", u"Count", {}, {Nil(u"true")}) +
                                             Element(u"urn:probe", u"Ready", Text(u"1")))),
                        reader));
}

Events Fault(const Events& inner) { return Envelope(SoapElement(u"Fault", inner)); }
Events Field(const char16_t* name, const Events& inner) { return Element(u"", name, inner); }

TEST(SoapFaultRules, AFaultIsReadWithItsFourTexts) {
    const Events header = Element(u"urn:other", u"Trace");
    SoapFaultReader reader;
    ASSERT_TRUE(Replay(Envelope(SoapElement(u"Fault", Field(u"faultcode", Text(u" soap:") + Text(u"Server ")) +
                                                          Field(u"faultstring", Text(u"Server was unable") +
                                                                                    Text(u" to process request.")) +
                                                          Field(u"faultactor", Text(u"http://host/x")) +
                                                          Field(u"detail", Element(u"urn:d", u"Code", Text(u"42")) +
                                                                               Text(u";") +
                                                                               Element(u"urn:d", u"Why", Text(u"db"))) +
                                                          Field(u"vendorExtra", Field(u"deep", Text(u"skip")))),
                                &header),
                       reader));
    ASSERT_TRUE(reader.Accepted());
    const SoapFault& fault = reader.Fault();
    EXPECT_EQ(fault.code, SoapFaultCode::Server);
    EXPECT_EQ(fault.codeText, u"soap:Server");
    EXPECT_EQ(fault.faultString, u"Server was unable to process request.");
    EXPECT_EQ(fault.actor, u"http://host/x");
    EXPECT_EQ(fault.detail, u"42;db");
}

TEST(SoapFaultRules, WhatIsNoFault) {
    const Events code = Field(u"faultcode", Text(u"soap:Client"));
    const Events text = Field(u"faultstring", Text(u"bad"));
    {
        SoapFaultReader reader;
        EXPECT_TRUE(Replay(Fault(code + text), reader) && reader.Accepted());
        EXPECT_EQ(reader.Fault().code, SoapFaultCode::Client);
        EXPECT_EQ(reader.Fault().actor, u"");
    }
    struct Case {
        const char* what;
        Events events;
    };
    const Case cases[] = {
        {"no faultstring", Fault(code)},
        {"no faultcode", Fault(text)},
        {"faultcode twice", Fault(code + text + code)},
        {"markup inside faultstring", Fault(code + Field(u"faultstring", Field(u"b", Text(u"x"))))},
        {"not a Fault", Envelope(Element(Deployment::kServiceNamespace, u"GetVersionInfoResponse"))},
        {"a Fault outside the envelope namespace", Envelope(Element(u"", u"Fault", code + text))},
        {"two faults", Envelope(SoapElement(u"Fault", code + text) + SoapElement(u"Fault", code + text))},
        {"text in the fault", Fault(code + Text(u"loose") + text)},
        {"no envelope", Element(u"", u"html", Text(u"Internal Server Error"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SoapFaultReader reader;
        EXPECT_FALSE(Replay(c.events, reader) && reader.Accepted());
    }
}

TEST(SoapFaultRules, FaultCodes) {
    struct Case {
        const char16_t* text;
        SoapFaultCode code;
    };
    const Case cases[] = {
        {u"soap:VersionMismatch", SoapFaultCode::VersionMismatch},
        {u"s:MustUnderstand", SoapFaultCode::MustUnderstand},
        {u"Client", SoapFaultCode::Client},
        {u"soap:Client.Authentication", SoapFaultCode::Client},
        {u"\n soap:Server \n", SoapFaultCode::Server},
        {u"soap:server", SoapFaultCode::Unknown},
        {u"x:Receiver", SoapFaultCode::Unknown},
        {u"", SoapFaultCode::Unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FaultCodeFromText(c.text), c.code) << testing::PrintToString(std::u16string(c.text));
    }
}

}  // namespace
