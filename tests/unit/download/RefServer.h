// The reference server as the download tests see it: its address, its
// control API (faults, packages, reset) and its journal of requests. The
// server itself is started by the ctest fixture, which names its port file in
// CORVANE_REFSERVER_PORT_FILE.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace TestServer {

struct Request {
    std::string method;
    std::string target;  // as sent: a path, or a whole URL through a proxy
    bool proxied = false;
    std::string body;
    std::vector<std::string> headers;  // "Name: value"

    // The value of the first header of that name (case-insensitive).
    std::optional<std::string> Header(const std::string& name) const;
};

// The port of the running server; fails the test when there is none.
int Port();
// "http://127.0.0.1:PORT" followed by `path`.
std::string Url(const std::string& path);

// A control request below /_control/: GET without a body, POST with one.
// Fails the test unless the server answers 200; gives the answer's body.
std::string Control(const std::string& path, const std::optional<std::string>& postBody = std::nullopt);
// The parts of `text` between separators (a last empty part is dropped).
std::vector<std::string> Split(const std::string& text, char separator);

// Forgets the journal, the log lines and the armed faults.
void Reset();
// Arms a fault, as form text, e.g. "path=/x&mode=status&code=404".
void ArmFault(const std::string& rule);
// Lets held answers go.
void Release();
// A loopback port where connecting never completes (a black-holed address).
int BlackHolePort();
// Creates a package of `size` bytes of the known pattern.
void MakePackage(const std::string& name, std::uint64_t size);
std::vector<Request> Journal();

// The pattern byte at `offset` of every package the server makes.
std::uint8_t PatternByte(std::uint64_t offset);
// True when the file holds exactly `size` pattern bytes.
bool FileHoldsPattern(const std::u16string& path, std::uint64_t size);
// The file's size when it holds pattern bytes only, else nullopt.
std::optional<std::uint64_t> PatternPrefixLength(const std::u16string& path);

}  // namespace TestServer
