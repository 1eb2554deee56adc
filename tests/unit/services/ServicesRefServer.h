// The reference server's SOAP services as the statistics and update tests
// see them: what the services received, parsed; the log handler's lines;
// the update service's answer. Address, control requests, reset and faults
// come from the download tests' helper (RefServer.h), which reads the port
// file that the ctest fixture names in CORVANE_REFSERVER_PORT_FILE.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "unit/download/RefServer.h"

namespace ServicesRefServer {

struct SoapCall {
    std::string path;
    std::string operation;
    std::string problem;  // empty when the service accepted the request
    std::vector<std::pair<std::string, std::optional<std::string>>> parameters;  // nullopt: nil; UTF-8

    // The value of a parameter; nullopt for nil or a parameter not sent.
    std::optional<std::string> Value(const std::string& name) const;
};

// Every request to a SOAP service since the last reset, in arrival order.
std::vector<SoapCall> SoapCalls();
// The operations of SoapCalls(), in order.
std::vector<std::string> Operations();
// The lines posted to the log handler since the last reset.
std::vector<std::string> LogLines();
// The update service's answer from now on, as form text: "version=3.0.12",
// "document=...", "nil=1". A reset puts the run's answer back.
void SetUpdateAnswer(const std::string& form);

// "http://127.0.0.1:PORT" followed by `path`, as UTF-16.
std::u16string WideUrl(const std::string& path);

}  // namespace ServicesRefServer
