// The one operation of the update service: "productID" int in,
// "GetVersionInfoResult" string (nullable) out, a small version document.
#pragma once

#include "services/SoapOperation.h"

namespace Update {

extern const Soap::OperationDescriptor kGetVersionInfo;

}  // namespace Update
