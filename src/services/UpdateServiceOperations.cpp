#include "services/UpdateServiceOperations.h"

#include "DeploymentValues.h"

namespace Update {
namespace {

const Soap::ParameterDescriptor kGetVersionInfoParameters[] = {
    SOAP_PARAMETER("productID", Int, Soap::kIn, 0),
    SOAP_PARAMETER("GetVersionInfoResult", String, Soap::kOut, 1),
    SOAP_PARAMETER_END,
};

}  // namespace

const Soap::OperationDescriptor kGetVersionInfo =
    SOAP_OPERATION("GetVersionInfo", kGetVersionInfoParameters, Deployment::kServiceNamespace);

}  // namespace Update
