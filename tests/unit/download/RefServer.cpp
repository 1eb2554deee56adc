#include "RefServer.h"

#include <gtest/gtest.h>

#include <curl/curl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace TestServer {

namespace {

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

int ReadPort() {
    const char* file = std::getenv("CORVANE_REFSERVER_PORT_FILE");
    if (!file) return 0;
    std::ifstream in(file);
    int port = 0;
    in >> port;
    return port;
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::string> Request::Header(const std::string& name) const {
    for (const std::string& header : headers) {
        const std::size_t colon = header.find(": ");
        if (colon != std::string::npos && SameNameIgnoringCase(header.substr(0, colon), name)) {
            return header.substr(colon + 2);
        }
    }
    return std::nullopt;
}

int Port() {
    static const int port = ReadPort();
    if (port == 0) {
        ADD_FAILURE() << "no reference server: CORVANE_REFSERVER_PORT_FILE must name the port file "
                         "that the ctest fixture writes (tools/refserver/ctl.py start DIR)";
    }
    return port;
}

std::string Url(const std::string& path) { return "http://127.0.0.1:" + std::to_string(Port()) + path; }

std::string Control(const std::string& path, const std::optional<std::string>& postBody) {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    std::string answer;
    const std::string url = Url(path);
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PROXY, "");  // never through a proxy of the environment
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

void Reset() { Control("/_control/reset", ""); }

void ArmFault(const std::string& rule) { Control("/_control/fault", rule); }

void Release() { Control("/_control/release", ""); }

int BlackHolePort() { return std::atoi(Control("/_control/blackhole").c_str()); }

void MakePackage(const std::string& name, std::uint64_t size) {
    char* encoded = curl_easy_escape(nullptr, name.c_str(), static_cast<int>(name.size()));
    const std::string body = "name=" + std::string(encoded) + "&size=" + std::to_string(size);
    curl_free(encoded);
    Control("/_control/package", body);
}

std::vector<Request> Journal() {
    std::vector<Request> requests;
    for (const std::string& line : Split(Control("/_control/journal"), '\n')) {
        const std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() < 4) continue;
        Request request{fields[0], fields[1], fields[2] == "1", FromHex(fields[3]), {}};
        request.headers.assign(fields.begin() + 4, fields.end());
        requests.push_back(std::move(request));
    }
    return requests;
}

std::uint8_t PatternByte(std::uint64_t offset) {
    const std::uint64_t j = offset % 65536;
    return static_cast<std::uint8_t>((7 * j + j / 256) + offset / 65536);
}

std::optional<std::uint64_t> PatternPrefixLength(const std::u16string& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<char> buffer(1 << 16);
    std::uint64_t offset = 0;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < got; ++i, ++offset) {
            if (static_cast<std::uint8_t>(buffer[i]) != PatternByte(offset)) return std::nullopt;
        }
    }
    return offset;
}

bool FileHoldsPattern(const std::u16string& path, std::uint64_t size) { return PatternPrefixLength(path) == size; }

}  // namespace TestServer
