// The installer's own report of the C++ runtime's failures: still thrown,
// still caught as std::exception with a text, and without the runtime's
// logic_error and runtime_error types that it keeps out of the executable.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(RuntimeFailures, AreThrownAsExceptionsWithATextButNotAsTheRuntimesOwnTypes) {
    const std::vector<std::pair<const char*, std::function<void()>>> failures{
        {"index out of range", [] { (void)std::string("abc").at(5); }},
        {"position past the end", [] { (void)std::u16string(u"abc").substr(4); }},
        {"string past its limit", [] { std::string().reserve(std::string().max_size() + 1); }},
        {"vector past its limit", [] { std::vector<int>().reserve(std::vector<int>().max_size() + 1); }},
    };
    for (const auto& [name, fail] : failures) {
        SCOPED_TRACE(name);
        try {
            fail();
            ADD_FAILURE() << "nothing thrown";
        } catch (const std::exception& failure) {
            EXPECT_STRNE(failure.what(), "");
            EXPECT_EQ(dynamic_cast<const std::logic_error*>(&failure), nullptr);
        }
    }
}

}  // namespace
