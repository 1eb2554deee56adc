#include "services/DesktopServiceOperations.h"

#include "DeploymentValues.h"

namespace NewStats {
namespace {

using Soap::kIn;

const Soap::ParameterDescriptor kStartParameters[] = {
    SOAP_PARAMETER("Guid", String, kIn, 0),       SOAP_PARAMETER("ProductCode", String, kIn, 1),
    SOAP_PARAMETER("Installer_build", String, kIn, 2), SOAP_PARAMETER("MACAddress", String, kIn, 3),
    SOAP_PARAMETER("Language", String, kIn, 4),   SOAP_PARAMETER("OSVersion", String, kIn, 5),
    SOAP_PARAMETER("JoinLink", String, kIn, 6),   SOAP_PARAMETER("Country", String, kIn, 7),
    SOAP_PARAMETER("WID", String, kIn, 8),        SOAP_PARAMETER_END,
};
const Soap::ParameterDescriptor kEndParameters[] = {
    SOAP_PARAMETER("Guid", String, kIn, 0),
    SOAP_PARAMETER("MSI_build", String, kIn, 1),
    SOAP_PARAMETER_END,
};
const Soap::ParameterDescriptor kCancelParameters[] = {
    SOAP_PARAMETER("Guid", String, kIn, 0),
    SOAP_PARAMETER_END,
};
const Soap::ParameterDescriptor kSaveUserParameters[] = {
    SOAP_PARAMETER("Guid", String, kIn, 0),     SOAP_PARAMETER("Email", String, kIn, 1),
    SOAP_PARAMETER("FirstName", String, kIn, 2), SOAP_PARAMETER("LastName", String, kIn, 3),
    SOAP_PARAMETER("Optin", Boolean, kIn, 4),   SOAP_PARAMETER_END,
};

}  // namespace

const Soap::OperationDescriptor kStartInstallation =
    SOAP_OPERATION("StartInstallation", kStartParameters, Deployment::kServiceNamespace);
const Soap::OperationDescriptor kEndInstallation =
    SOAP_OPERATION("EndInstallation", kEndParameters, Deployment::kServiceNamespace);
const Soap::OperationDescriptor kCancelInstallation =
    SOAP_OPERATION("CancelInstallation", kCancelParameters, Deployment::kServiceNamespace);
const Soap::OperationDescriptor kSaveUserInstallation =
    SOAP_OPERATION("SaveUserInstallation", kSaveUserParameters, Deployment::kServiceNamespace);

}  // namespace NewStats
