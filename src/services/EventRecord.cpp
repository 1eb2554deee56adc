#include "services/EventRecord.h"

// RapidXML leaves a node's last-child link unset while it has no children
// and reads it only once it has one; GCC cannot see that once it inlines.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <rapidxml.hpp>
#include <rapidxml_print.hpp>

#include <iterator>

#include "common/AnsiText.h"
#include "common/ProductIdentity.h"

namespace {

// One event element below "CustomParamList"; attribute texts are copied
// into the document, which owns them.
class EventDocument {
public:
    explicit EventDocument(const char* eventName) {
        auto* root = document_.allocate_node(rapidxml::node_element, "CustomParamList");
        document_.append_node(root);
        event_ = document_.allocate_node(rapidxml::node_element, eventName);
        root->append_node(event_);
    }

    void Add(const char* name, const std::string& value) {
        const char* copy = document_.allocate_string(value.c_str(), value.size() + 1);
        event_->append_attribute(document_.allocate_attribute(name, copy, 0, value.size()));
    }
    void AddText(const char* name, const std::string& value) {
        if (!value.empty()) Add(name, value);
    }
    template <typename Number>
    void AddNumber(const char* name, Number value) {
        if (value != 0) Add(name, std::to_string(value));
    }

    std::string Print() const {
        std::string text;
        rapidxml::print(std::back_inserter(text), document_);
        return text;
    }

private:
    rapidxml::xml_document<> document_;
    rapidxml::xml_node<>* event_ = nullptr;
};

}  // namespace

std::uint32_t DownloadSpeed(const InstallationProgress& progress) {
    return progress.downloadSeconds ? progress.downloadFileSize / progress.downloadSeconds : 0;
}

std::string CancelEventXml(const InstallationProgress& progress, const std::u16string& previousId,
                           std::uint32_t secondsSinceLaunch, std::uint32_t windowsLocaleId) {
    EventDocument event("CancelEvent");
    event.AddText("PreviousGUID", Common::ToAnsi(previousId));
    event.Add("StepID", std::to_string(progress.lastStep));
    event.Add("Reason", std::to_string(progress.cancelReason));
    if (progress.licenseAccepted) event.Add("LicenseAccepted", *progress.licenseAccepted ? "true" : "false");
    event.AddNumber("FeaturesConfigurationCode", progress.featureBits);
    event.AddNumber("DownloadProgress", progress.downloadProgress);
    event.AddNumber("DownloadTime", progress.downloadSeconds);
    event.AddNumber("DownloadSpeed", DownloadSpeed(progress));
    event.AddNumber("DownloadFileSize", progress.downloadFileSize);
    event.AddText("DownloadLink", progress.downloadLink);
    event.AddNumber("DownloadErrorResult", progress.downloadErrorResult);
    event.Add("TotalTimeFromLaunch", std::to_string(secondsSinceLaunch));
    event.Add("WindowsLocaleID", std::to_string(windowsLocaleId));
    event.AddText("InstallErrorResult", progress.installErrorResult);
    event.AddNumber("InstallProgress", progress.installProgress);
    return event.Print();
}

std::string EndInstallationEventXml(const InstallationProgress& progress, const std::u16string& packageVersion,
                                    const std::u16string& previousId) {
    EventDocument event("EndInstallationEvent");
    event.Add("MSI_build", Common::ToAnsi(packageVersion));
    event.Add("ProductTitle", Product::kNameNarrow);
    event.AddText("PreviousGUID", Common::ToAnsi(previousId));
    event.AddNumber("DownloadTimeMainApplication", progress.downloadSeconds);
    event.AddNumber("DownloadSpeedApplication", DownloadSpeed(progress));
    event.AddNumber("DownloadFileSize", progress.downloadFileSize);
    return event.Print();
}
