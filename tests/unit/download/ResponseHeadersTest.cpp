// The answer headers a resumed transfer depends on, as libcurl hands them over.
#include "download/ResponseHeaders.h"

#include <gtest/gtest.h>

namespace {

using Download::ContentRangeStart;
using Download::HeaderValue;
using Download::IfRangeValidator;

TEST(ResponseHeaders, AHeaderValueIsFoundByItsNameWithoutRegardToCase) {
    const struct {
        const char* line;
        const char* name;
        std::optional<std::string> value;
    } cases[] = {
        {"ETag: \"abc\"\r\n", "etag", "\"abc\""},
        {"etag:W/\"x y\" \t\r\n", "etag", "W/\"x y\""},
        {"LAST-MODIFIED: Tue, 01 Dec 2026 10:00:00 GMT\r\n", "last-modified", "Tue, 01 Dec 2026 10:00:00 GMT"},
        {"ETag:\r\n", "etag", ""},
        {"ETagged: x\r\n", "etag", std::nullopt},  // another header that begins alike
        {"Content-Type: text/plain\r\n", "etag", std::nullopt},
        {"HTTP/1.1 206 Partial Content\r\n", "etag", std::nullopt},
        {"\r\n", "etag", std::nullopt},
        {"etag", "etag", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(HeaderValue(c.line, c.name), c.value);
    }
}

TEST(ResponseHeaders, TheFirstByteOfAContentRange) {
    const struct {
        const char* value;
        std::int64_t start;
    } cases[] = {
        {"bytes 120000-299999/300000", 120000},
        {"bytes 0-0/1", 0},
        {"bytes 9223372036854775807-9223372036854775807/*", 9223372036854775807},
        {"bytes 9223372036854775808-1/2", -1},  // too large
        {"bytes */300000", -1},                  // the answer to an unsatisfiable range
        {"bytes -5/10", -1},
        {"bytes 12", -1},
        {"items 1-2/3", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ContentRangeStart(c.value), c.start);
    }
}

TEST(ResponseHeaders, TheValidatorSentBackInIfRange) {
    const struct {
        std::string etag;
        std::string lastModified;
        std::string validator;
    } cases[] = {
        {"\"v1\"", "Tue, 01 Dec 2026 10:00:00 GMT", "\"v1\""},
        {"", "Tue, 01 Dec 2026 10:00:00 GMT", "Tue, 01 Dec 2026 10:00:00 GMT"},
        // A weak tag never matches in If-Range: the date serves instead, or nothing.
        {"W/\"v1\"", "Tue, 01 Dec 2026 10:00:00 GMT", "Tue, 01 Dec 2026 10:00:00 GMT"},
        {"W/\"v1\"", "", ""},
        {"v1", "", ""},  // not quoted
        {"\"\"", "", "\"\""},
        // Control characters would split or end the request's header line.
        {"\"a\"\rX-Injected: 1", "", ""},
        {"\"a\rb\"", "Tue, 01 Dec 2026\r10:00:00 GMT", ""},
        {std::string("\"a\0b\"", 5), "Tue", "Tue"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.etag + " | " + c.lastModified);
        EXPECT_EQ(IfRangeValidator(c.etag, c.lastModified), c.validator);
    }
}

}  // namespace
