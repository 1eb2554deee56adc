#include "services/StatisticsFallbackLine.h"

#include "common/AnsiText.h"
#include "common/TextUtil.h"

std::string StatisticsFallbackLine(const FailedReport& report) {
    std::u16string line = u"Method:" + report.operation + u",GUID:" + report.installationId + u",Joinlink:" +
                          report.joinLink + u",Wid:" + report.wid + u",ProductId:" + report.productCode +
                          u",MsiVersion:" + report.packageVersion + u",InstallerVersion:" +
                          report.installerVersion + u",Fail result:";
    if (report.clientError == Soap::ClientError::SoapFault) {
        line += report.faultCode + u";" + report.faultString;
    } else {
        line += u"HTTP Status Code is " + Common::DecimalText(static_cast<std::int64_t>(report.statusCode));
    }
    return Common::ToAnsi(line);
}
