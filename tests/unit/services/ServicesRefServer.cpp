#include "ServicesRefServer.h"

#include <gtest/gtest.h>

#include <curl/curl.h>

#include <memory>
#include <sstream>

#include "common/TextUtil.h"

namespace ServicesRefServer {

namespace {

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

// A control request (GET without a body, POST with one); fails the test
// unless the server answers 200.
std::string Control(const std::string& path, const std::optional<std::string>& postBody = std::nullopt) {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    std::string answer;
    const std::string url = TestServer::Url(path);
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PROXY, "");
    if (postBody) {
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, postBody->c_str());
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(postBody->size()));
    }
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer);
    const CURLcode result = curl_easy_perform(curl.get());
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    EXPECT_EQ(result, CURLE_OK) << path;
    EXPECT_EQ(status, 200) << path << ": " << answer;
    return answer;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    return parts;
}

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
