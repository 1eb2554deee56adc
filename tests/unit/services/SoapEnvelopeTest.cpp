#include <gtest/gtest.h>

#include "DeploymentValues.h"
#include "common/AnsiText.h"
#include "services/DesktopServiceOperations.h"
#include "services/SoapEnvelopeWriter.h"
#include "services/SoapHttpHeaders.h"
#include "services/SoapValueEncoding.h"
#include "services/UpdateServiceOperations.h"

namespace {

using namespace Soap;

std::string Namespace() { return Common::ToAnsi(Deployment::kServiceNamespace); }

std::string Encoded(std::u16string_view text) {
    std::string out;
    AppendEncodedText(out, text);
    return out;
}

TEST(SoapValueEncoding, TextBecomesPureAscii) {
    struct Case {
        std::u16string text;
        std::string expected;
    };
    const Case cases[] = {
        {u"", ""},
        {u"plain text 0-9 ~", "plain text 0-9 ~"},
        {u"a<b & \"c\" > 'd'", "a&lt;b &amp; \"c\" &gt; 'd'"},
        {u"caf\u00e9", "caf&#x00E9;"},
        {u"\u65e5\u672c", "&#x65E5;&#x672C;"},
        {u"\U0001F600!", "&#x01F600;!"},
        {u"\U0010FFFF", "&#x10FFFF;"},
        {u"tab\tline\r\n", "tab&#x0009;line&#x000D;&#x000A;"},
        {u"\u007F\u0080", "&#x007F;&#x0080;"},
        // What XML 1.0 cannot carry becomes U+FFFD instead of breaking the request.
        {std::u16string(u"a\0b", 3), "a&#xFFFD;b"},
        {u"\u0001\u001F\uFFFE\uFFFF", "&#xFFFD;&#xFFFD;&#xFFFD;&#xFFFD;"},
        {std::u16string{u'x', char16_t(0xD83D)}, "x&#xFFFD;"},                    // high surrogate at the end
        {std::u16string{char16_t(0xDE00), u'x'}, "&#xFFFD;x"},                    // lone low surrogate
        {std::u16string{char16_t(0xD83D), char16_t(0xD83D), char16_t(0xDE00)},  // unpaired, then a pair
         "&#xFFFD;&#x01F600;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Encoded(c.text), c.expected);
    }

    std::string attribute;
    AppendEncodedText(attribute, u"say \"hi\"", true);
    EXPECT_EQ(attribute, "say &quot;hi&quot;");
}

TEST(SoapValueEncoding, NumbersAndFlags) {
    std::string out;
    for (std::int32_t value : {0, 13, -1, 2147483647, -2147483647 - 1}) {
        AppendEncodedInt(out, value);
        out += ' ';
    }
    for (std::uint8_t byte : {1, 0, 2, 255}) {
        AppendEncodedBoolean(out, byte);
        out += ' ';
    }
    EXPECT_EQ(out, "0 13 -1 2147483647 -2147483648 true false false false ");
}

TEST(SoapEnvelope, StartTagDeclaresTheFourNamespaces) {
    EXPECT_EQ(EnvelopeStartTag(),
              "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
              "xmlns:soapenc=\"http://schemas.xmlsoap.org/soap/encoding/\">");
    EXPECT_EQ(EnvelopeStartTag().size(), 227u);
}

TEST(SoapEnvelope, GetVersionInfoRequest) {
    ParameterRecord record = MakeRecord(Update::kGetVersionInfo);
    record[0] = std::int32_t{13};
    record[1] = SoapString(u"an out-value is never sent");
    std::string envelope;
    ASSERT_TRUE(WriteRequestEnvelope(Update::kGetVersionInfo, record, envelope));
    EXPECT_EQ(envelope, EnvelopeStartTag() + "<soap:Body><GetVersionInfo xmlns=\"" + Namespace() +
                            "\"><productID>13</productID></GetVersionInfo></soap:Body></soap:Envelope>");
    EXPECT_EQ(envelope.find('\n'), std::string::npos);
}

TEST(SoapEnvelope, ParametersInDeclarationOrderWithNilAndEmptyStrings) {
    ParameterRecord record = MakeRecord(NewStats::kSaveUserInstallation);
    record[0] = SoapString(u"id");
    record[1] = SoapString(u"");  // present but empty
    // [2] stays null
    record[3] = SoapString(u"M\u00fcller & <Sons>");
    record[4] = SoapBoolean{1};
    std::string envelope;
    ASSERT_TRUE(WriteRequestEnvelope(NewStats::kSaveUserInstallation, record, envelope));
    EXPECT_EQ(envelope.substr(EnvelopeStartTag().size()),
              "<soap:Body><SaveUserInstallation xmlns=\"" + Namespace() +
                  "\"><Guid>id</Guid><Email></Email><FirstName xsi:nil=\"1\"/>"
                  "<LastName>M&#x00FC;ller &amp; &lt;Sons&gt;</LastName><Optin>true</Optin>"
                  "</SaveUserInstallation></soap:Body></soap:Envelope>");
}

TEST(SoapEnvelope, ValuesThatDoNotFitTheirDescriptorAreNotWritten) {
    const ParameterDescriptor parameters[] = {
        SOAP_PARAMETER("When", DateTime, kIn, 0),
        SOAP_PARAMETER_END,
    };
    const OperationDescriptor unsupportedType = SOAP_OPERATION("Op", parameters, u"urn:x");
    const ParameterDescriptor notNullable[] = {
        {"Name", u"Name", XsdType::String, kIn, false, 0},
        SOAP_PARAMETER_END,
    };
    const OperationDescriptor nullNotAllowed = SOAP_OPERATION("Op", notNullable, u"urn:x");
    OperationDescriptor rpcStyle = Update::kGetVersionInfo;
    rpcStyle.callStyle = kLiteral;

    std::string out;
    EXPECT_FALSE(WriteRequestEnvelope(unsupportedType, MakeRecord(unsupportedType), out));
    EXPECT_FALSE(WriteRequestEnvelope(nullNotAllowed, MakeRecord(nullNotAllowed), out));
    EXPECT_FALSE(WriteRequestEnvelope(rpcStyle, MakeRecord(rpcStyle), out));
    ParameterRecord wrongKind = MakeRecord(Update::kGetVersionInfo);
    wrongKind[0] = SoapString(u"13");
    EXPECT_FALSE(WriteRequestEnvelope(Update::kGetVersionInfo, wrongKind, out));
    EXPECT_FALSE(WriteRequestEnvelope(Update::kGetVersionInfo, ParameterRecord{}, out));
}

TEST(SoapHeaders, ActionLineThenContentType) {
    const std::u16string ns = Deployment::kServiceNamespace;
    EXPECT_EQ(RequestHeaders(SoapActionLine(Update::kGetVersionInfo)),
              u"SOAPAction: \"" + ns + u"GetVersionInfo\"\r\nContent-Type: text/xml; charset=utf-8\r\n");
    EXPECT_EQ(SoapActionLine(NewStats::kCancelInstallation), u"SOAPAction: \"" + ns + u"CancelInstallation\"\r\n");
}

}  // namespace
