// The proxy of the installation-statistics service ("DesktopService.asmx").
// Each method sends one report and returns a status; on failure the client
// error, the HTTP status and the last fault of the client say why.
#pragma once

#include <string>

#include "services/CSoapRootHandler.h"
#include "services/DesktopServiceOperations.h"
#include "services/SoapCall.h"

namespace Soap {
class CSoapWininetClient;
}

namespace NewStats {

template <typename TClient = Soap::CSoapWininetClient>
class CDesktopServiceT : public TClient, public Soap::CSoapRootHandler {
public:
    using Text = Soap::SoapString;

    explicit CDesktopServiceT(const std::u16string& url) : TClient(url) {}

    Soap::Status StartInstallation(const Text& Guid, const Text& ProductCode, const Text& Installer_build,
                                   const Text& MACAddress, const Text& Language, const Text& OSVersion,
                                   const Text& JoinLink, const Text& Country, const Text& WID) {
        return Send(kStartInstallation, [&](Soap::ParameterRecord& r) {
            r[0] = Guid;
            r[1] = ProductCode;
            r[2] = Installer_build;
            r[3] = MACAddress;
            r[4] = Language;
            r[5] = OSVersion;
            r[6] = JoinLink;
            r[7] = Country;
            r[8] = WID;
        });
    }

    Soap::Status EndInstallation(const Text& Guid, const Text& MSI_build) {
        return Send(kEndInstallation, [&](Soap::ParameterRecord& r) {
            r[0] = Guid;
            r[1] = MSI_build;
        });
    }

    Soap::Status CancelInstallation(const Text& Guid) {
        return Send(kCancelInstallation, [&](Soap::ParameterRecord& r) { r[0] = Guid; });
    }

    Soap::Status SaveUserInstallation(const Text& Guid, const Text& Email, const Text& FirstName,
                                      const Text& LastName, bool Optin) {
        return Send(kSaveUserInstallation, [&](Soap::ParameterRecord& r) {
            r[0] = Guid;
            r[1] = Email;
            r[2] = FirstName;
            r[3] = LastName;
            r[4] = Soap::SoapBoolean{static_cast<std::uint8_t>(Optin ? 1 : 0)};
        });
    }

private:
    template <typename Fill>
    Soap::Status Send(const Soap::OperationDescriptor& operation, Fill&& fill) {
        return Soap::InvokeOperation(static_cast<TClient&>(*this), static_cast<Soap::CSoapRootHandler&>(*this),
                                     operation, fill, [](Soap::ParameterRecord&) {});
    }
};

}  // namespace NewStats
