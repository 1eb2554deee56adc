#include "common/Sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The examples of FIPS 180-4 and its companion test vectors.
TEST(Sha256, KnownVectors) {
    struct Case {
        std::string message;
        const char* digest;
    };
    const Case cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnop"
         "qrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.substr(0, 20));
        EXPECT_EQ(Common::Sha256Text(Common::Sha256Of(c.message)), c.digest);
    }
}

// Pieces of any size give the digest of the whole, padding across block
// boundaries included.
TEST(Sha256, PiecesGiveTheDigestOfTheWhole) {
    for (std::size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 1000u}) {
        std::string message(length, '\0');
        for (std::size_t i = 0; i < length; ++i) message[i] = static_cast<char>(i * 7 + 3);
        for (std::size_t piece : {1u, 3u, 64u, 100u}) {
            SCOPED_TRACE(std::to_string(length) + " in pieces of " + std::to_string(piece));
            Common::Sha256 hash;
            for (std::size_t at = 0; at < length; at += piece) hash.Update(message.data() + at, std::min(piece, length - at));
            EXPECT_EQ(hash.Finish(), Common::Sha256Of(message));
        }
    }
    Common::Sha256 reused;
    reused.Update("x", 1);
    reused.Finish();
    EXPECT_EQ(Common::Sha256Text(reused.Finish()), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST(Sha256, ParsesHexadecimalDigests) {
    const auto abc = Common::Sha256Of("abc");
    EXPECT_EQ(Common::ParseSha256(u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"), abc);
    EXPECT_EQ(Common::ParseSha256(u"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"), abc);
    for (const char16_t* bad : {u"", u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015a",
                                u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad0",
                                u"ga7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
                                u" a7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"}) {
        EXPECT_EQ(Common::ParseSha256(bad), std::nullopt) << static_cast<int>(bad[0]);
    }
}

}  // namespace
