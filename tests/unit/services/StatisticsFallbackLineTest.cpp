#include "services/StatisticsFallbackLine.h"

#include <gtest/gtest.h>

namespace {

FailedReport StartFailure() {
    FailedReport report;
    report.operation = u"StartInstallation";
    report.installationId = u"0f8fad5b-d9cb-469f-a165-70867728950e";
    report.joinLink = u"http://join.example/?a=1";
    report.wid = u"42";
    report.productCode = u"corvane";
    report.packageVersion = u"Not defined yet";
    report.installerVersion = u"1.0.0.7";
    return report;
}

TEST(StatisticsFallbackLine, NamesTheReportAndTheRecordThenHowItFailed) {
    const std::string fixedPart =
        "Method:StartInstallation,GUID:0f8fad5b-d9cb-469f-a165-70867728950e,Joinlink:http://join.example/?a=1,"
        "Wid:42,ProductId:corvane,MsiVersion:Not defined yet,InstallerVersion:1.0.0.7,Fail result:";
    const struct {
        const char* name;
        Soap::ClientError error;
        int status;
        const char* result;
    } cases[] = {
        // A SOAP fault is quoted; anything else is told by the HTTP status.
        {"fault", Soap::ClientError::SoapFault, 500, "soap:Server;Database down; try later"},
        {"unreachable", Soap::ClientError::ConnectError, 0, "HTTP Status Code is 0"},
        {"no request", Soap::ClientError::SendError, 0, "HTTP Status Code is 0"},
        {"500 without a fault", Soap::ClientError::ParseFaultError, 500, "HTTP Status Code is 500"},
        {"not found", Soap::ClientError::ParseError, 404, "HTTP Status Code is 404"},
        {"wrong body", Soap::ClientError::ParseError, 200, "HTTP Status Code is 200"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FailedReport report = StartFailure();
        report.clientError = c.error;
        report.statusCode = c.status;
        report.faultCode = u"soap:Server";
        report.faultString = u"Database down; try later";
        EXPECT_EQ(StatisticsFallbackLine(report), fixedPart + c.result);
    }
}

TEST(StatisticsFallbackLine, EmptyValuesLeaveTheirFieldsEmpty) {
    FailedReport report;
    report.operation = u"CancelInstallation";
    report.clientError = Soap::ClientError::SoapFault;
    EXPECT_EQ(StatisticsFallbackLine(report),
              "Method:CancelInstallation,GUID:,Joinlink:,Wid:,ProductId:,MsiVersion:,InstallerVersion:,Fail result:;");
}

}  // namespace
