// The operations of the installation-statistics service that the installer
// calls. All parameters are in-parameters; every answer is an empty
// response element.
#pragma once

#include "services/SoapOperation.h"

namespace NewStats {

// "Guid", "ProductCode", "Installer_build", "MACAddress", "Language",
// "OSVersion", "JoinLink", "Country", "WID": strings.
extern const Soap::OperationDescriptor kStartInstallation;
// "Guid", "MSI_build": strings.
extern const Soap::OperationDescriptor kEndInstallation;
// "Guid": string.
extern const Soap::OperationDescriptor kCancelInstallation;
// "Guid", "Email", "FirstName", "LastName": strings; "Optin": boolean.
extern const Soap::OperationDescriptor kSaveUserInstallation;

}  // namespace NewStats
