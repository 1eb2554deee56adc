#include "ServicesRefServer.h"

#include "common/TextUtil.h"

namespace ServicesRefServer {

namespace {

using TestServer::Control;
using TestServer::Split;

std::string PercentDecoded(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

}  // namespace

std::optional<std::string> SoapCall::Value(const std::string& name) const {
    for (const auto& [key, value] : parameters) {
        if (key == name) return value;
    }
    return std::nullopt;
}

std::vector<SoapCall> SoapCalls() {
    std::vector<SoapCall> calls;
    for (const std::string& line : Split(Control("/_control/soap"), '\n')) {
        const std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() < 3) continue;
        SoapCall call{fields[1], fields[2], fields.size() > 3 ? PercentDecoded(fields[3]) : "", {}};
        for (std::size_t i = 4; i < fields.size(); ++i) {
            const std::size_t equals = fields[i].find('=');
            if (equals == std::string::npos) {
                call.parameters.emplace_back(fields[i], std::nullopt);
            } else {
                call.parameters.emplace_back(fields[i].substr(0, equals), PercentDecoded(fields[i].substr(equals + 1)));
            }
        }
        calls.push_back(std::move(call));
    }
    return calls;
}

std::vector<std::string> Operations() {
    std::vector<std::string> operations;
    for (const SoapCall& call : SoapCalls()) operations.push_back(call.operation);
    return operations;
}

std::vector<std::string> LogLines() { return Split(Control("/_control/log"), '\n'); }

void SetUpdateAnswer(const std::string& form) { Control("/_control/update", form); }

std::u16string WideUrl(const std::string& path) { return Common::Ascii(TestServer::Url(path)); }

}  // namespace ServicesRefServer
