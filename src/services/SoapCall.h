// The steps every operation method of a proxy runs. A proxy derives from its
// client type and from CSoapRootHandler; the client type provides
//   bool EnsureReader();          a SAX reader for the call (false: none)
//   void CleanupClient();         forgets the previous call: request buffer,
//                                 request handle, fault, client error 0
//   std::string& RequestBuffer();
//   Status SendRequest(const std::u16string& soapActionLine);
//                                 the exchange; sets its own client errors
//   bool ParseResponse(ISaxEventSink& sink);
//                                 feeds the answer's body into `sink`
//   void EndCall();               releases what only this call needed
//   void SetClientError(ClientError);
// No failure leaves the call as an exception: the status says that it
// failed and the client error says where.
#pragma once

#include <new>
#include <string>

#include "services/CSoapRootHandler.h"
#include "services/ClientError.h"
#include "services/SoapHttpHeaders.h"
#include "services/SoapOperation.h"
#include "services/SoapStatus.h"

namespace Soap {

// `fill(record)` puts the in-values into the record; after a successful
// exchange `collect(record)` takes the out-values from it.
template <typename TClient, typename Fill, typename Collect>
Status InvokeOperation(TClient& client, CSoapRootHandler& handler, const OperationDescriptor& operation,
                       Fill&& fill, Collect&& collect) noexcept {
    struct CallEnd {
        TClient& client;
        CSoapRootHandler& handler;
        ~CallEnd() {
            handler.ResetHandler();
            client.EndCall();
        }
    } callEnd{client, handler};

    const auto fail = [&client](ClientError error, Status status = kFail) {
        client.SetClientError(error);
        return status;
    };
    try {
        if (!client.EnsureReader()) return fail(ClientError::InitializeError);
        client.CleanupClient();

        ParameterRecord record;
        try {
            record = MakeRecord(operation);
            fill(record);
            handler.SetClientStruct(operation, record);
        } catch (const std::bad_alloc&) {
            return fail(ClientError::OutOfMemory, kOutOfMemory);
        }

        bool generated = false;
        try {
            generated = handler.GenerateRequest(client.RequestBuffer());
        } catch (const std::bad_alloc&) {
        }
        if (!generated) return fail(ClientError::GenerateError);

        const Status sent = client.SendRequest(SoapActionLine(operation));
        if (Failed(sent)) return sent;

        handler.BeginParse();
        if (!client.ParseResponse(handler) || !handler.ResponseAccepted()) return fail(ClientError::ParseError);
        collect(record);
        return kOk;
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (...) {
        return kFail;
    }
}

}  // namespace Soap
