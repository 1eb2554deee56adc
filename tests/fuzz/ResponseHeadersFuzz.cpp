// The answer headers of a resumed transfer come from any server on the way.
// Whatever a header line holds, a value is the rest of that line without its
// blanks, a range start is a byte offset or -1, and the validator sent back in
// If-Range is a text that cannot end or split the request's header line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "download/ResponseHeaders.h"

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Two header lines as libcurl hands them over: the entity tag's and the date's.
    const std::size_t split = input.find('\n');
    const std::string first = input.substr(0, split == std::string::npos ? input.size() : split + 1);
    const std::string second = split == std::string::npos ? "" : input.substr(split + 1);

    std::string values[2];
    for (const char* name : {"etag", "last-modified", "content-range"}) {
        for (const std::string* line : {&first, &second}) {
            const auto value = Download::HeaderValue(*line, name);
            if (!value) continue;
            if (line->find(*value) == std::string::npos) std::abort();
            if (!value->empty() && (Blank(value->front()) || Blank(value->back()))) std::abort();
            if (line == &first && std::string(name) == "etag") values[0] = *value;
            if (line == &second && std::string(name) == "last-modified") values[1] = *value;
            if (std::string(name) == "content-range" && Download::ContentRangeStart(*value) < -1) std::abort();
        }
    }
    if (Download::ContentRangeStart(input) < -1) std::abort();

    for (const auto& [etag, date] : {std::pair{values[0], values[1]}, std::pair{first, second}}) {
        const std::string validator = Download::IfRangeValidator(etag, date);
        for (const char c : validator) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
        }
        if (!validator.empty() && validator != etag && validator != date) std::abort();
    }
    return 0;
}
