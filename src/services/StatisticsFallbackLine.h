// The one line that a failed statistics report leaves for the log handler
// in place of the report.
#pragma once

#include <string>

#include "services/ClientError.h"

struct FailedReport {
    std::u16string operation;  // "StartInstallation", ...
    std::u16string installationId;
    std::u16string joinLink;
    std::u16string wid;
    std::u16string productCode;
    std::u16string packageVersion;
    std::u16string installerVersion;
    // How the call failed: a SOAP fault is quoted, anything else is told by
    // the HTTP status of the last request (0 when there was none).
    Soap::ClientError clientError = Soap::ClientError::Success;
    std::u16string faultCode;
    std::u16string faultString;
    int statusCode = 0;
};

// "Method:<operation>,GUID:<id>,Joinlink:...,Fail result:<fault code>;<fault
// string>" or "...,Fail result:HTTP Status Code is <status>", in the ANSI
// code page.
std::string StatisticsFallbackLine(const FailedReport& report);
