#include "services/SoapClientState.h"

#include "services/SoapFaultReader.h"

namespace Soap {

void SoapClientState::ResetClientState() {
    clientError_ = ClientError::Success;
    lastFault_ = SoapFault();
    statusCode_ = 0;
}

Status SoapClientState::TakeStatus(int statusCode, const BodyParser& parseBody) {
    statusCode_ = statusCode;
    if (statusCode != 500) return kOk;
    SoapFaultReader reader;
    if (parseBody(reader) && reader.Accepted()) {
        clientError_ = ClientError::SoapFault;
        lastFault_ = reader.Fault();
    } else {
        clientError_ = ClientError::ParseFaultError;
    }
    return kFail;
}

}  // namespace Soap
