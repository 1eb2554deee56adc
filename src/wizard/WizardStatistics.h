// What the wizard's pages and dialogs tell the run's statistics record: each
// value a page records and each report the wizard triggers goes through one
// of these functions, so the pages never reach into the record themselves.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "installation/Session.h"
#include "services/InstallationStatistics.h"

namespace Wizard::Statistics {

// The last wizard step reached (8 already installed, 5 welcome, 0 licence,
// 1 components, 2 download, 6 contact details, 7 finish).
void RecordLastStep(InstallationStatistics& statistics, int step);

// The licence page's acceptance box and the component page's features.
void RecordLicenceAccepted(InstallationStatistics& statistics, bool accepted);
void RecordFeatureFlags(InstallationStatistics& statistics, std::uint32_t flags);

// The first language choice: the record gets the installer's support, the
// language code and the configuration's join link, country code and web id
// go into the record, StartInstallation is handed to the record's worker,
// and the download address is kept. Later calls send nothing.
void StartReporting(Installation::Session& session);

// The contact details of the send-by-e-mail page, sent later with
// SaveUserInstallation.
void StoreContact(InstallationStatistics& statistics, const std::u16string& email, const std::u16string& firstName,
                  const std::u16string& lastName, bool wantsOffers);

// SaveUserInstallation (sent only when an address was stored).
void SendUserData(InstallationStatistics& statistics);

// The exit dialog's report, made when the user confirms leaving: the cancel
// reason, then SaveUserInstallation, then CancelInstallation.
std::function<void()> ExitConfirmedReport(InstallationStatistics& statistics);

// The error dialog's report, made when the user gives up on a failure:
// CancelInstallation.
std::function<void()> GivenUpReport(InstallationStatistics& statistics);

}  // namespace Wizard::Statistics
