#include "services/EventRecord.h"

#include <gtest/gtest.h>

namespace {

InstallationProgress FailedDownload() {
    InstallationProgress progress;
    progress.lastStep = 2;
    progress.cancelReason = 2;
    progress.licenseAccepted = true;
    progress.featureBits = 0x1860;
    progress.downloadProgress = 37;
    progress.downloadSeconds = 4;
    progress.downloadFileSize = 1000003;
    progress.downloadLink = "http://127.0.0.1:48080/download.asp?wid=7&lang=\"fr\"";
    progress.downloadErrorResult = -2146697211;
    progress.installErrorResult = "error <1603>";
    progress.installProgress = 12;
    return progress;
}

TEST(EventRecord, CancelBeforeAnythingWasRecorded) {
    EXPECT_EQ(CancelEventXml(InstallationProgress{}, u"", 3, 1033),
              "<CustomParamList>\n"
              "\t<CancelEvent StepID=\"255\" Reason=\"1\" TotalTimeFromLaunch=\"3\" WindowsLocaleID=\"1033\"/>\n"
              "</CustomParamList>\n\n");
}

TEST(EventRecord, CancelCarriesEveryRecordedValueInItsOrder) {
    EXPECT_EQ(CancelEventXml(FailedDownload(), u"8d3f3a2e-0000-4000-8000-000000000001", 125, 1036),
              "<CustomParamList>\n"
              "\t<CancelEvent PreviousGUID=\"8d3f3a2e-0000-4000-8000-000000000001\" StepID=\"2\" Reason=\"2\" "
              "LicenseAccepted=\"true\" FeaturesConfigurationCode=\"6240\" DownloadProgress=\"37\" "
              "DownloadTime=\"4\" DownloadSpeed=\"250000\" DownloadFileSize=\"1000003\" "
              "DownloadLink='http://127.0.0.1:48080/download.asp?wid=7&amp;lang=\"fr\"' "
              "DownloadErrorResult=\"-2146697211\" TotalTimeFromLaunch=\"125\" WindowsLocaleID=\"1036\" "
              "InstallErrorResult=\"error &lt;1603&gt;\" InstallProgress=\"12\"/>\n"
              "</CustomParamList>\n\n");
}

TEST(EventRecord, AnInstantDownloadHasNoSpeedRatherThanADivisionByZero) {
    InstallationProgress progress;
    progress.licenseAccepted = false;
    progress.downloadFileSize = 5000;
    EXPECT_EQ(DownloadSpeed(progress), 0u);
    EXPECT_EQ(CancelEventXml(progress, u"", 0, 1033),
              "<CustomParamList>\n"
              "\t<CancelEvent StepID=\"255\" Reason=\"1\" LicenseAccepted=\"false\" DownloadFileSize=\"5000\" "
              "TotalTimeFromLaunch=\"0\" WindowsLocaleID=\"1033\"/>\n"
              "</CustomParamList>\n\n");
}

TEST(EventRecord, EndCarriesThePackageVersionAndTheDownloadFigures) {
    EXPECT_EQ(EndInstallationEventXml(FailedDownload(), u"3.0.12.345", u"prev"),
              "<CustomParamList>\n"
              "\t<EndInstallationEvent MSI_build=\"3.0.12.345\" ProductTitle=\"Corvane 2013\" PreviousGUID=\"prev\" "
              "DownloadTimeMainApplication=\"4\" DownloadSpeedApplication=\"250000\" DownloadFileSize=\"1000003\"/>\n"
              "</CustomParamList>\n\n");
    EXPECT_EQ(EndInstallationEventXml(InstallationProgress{}, u"", u""),
              "<CustomParamList>\n"
              "\t<EndInstallationEvent MSI_build=\"\" ProductTitle=\"Corvane 2013\"/>\n"
              "</CustomParamList>\n\n");
}

}  // namespace
