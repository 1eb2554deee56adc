#include "common/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>

#include "Utf8TextProperties.h"

namespace {

using namespace std::string_literals;
using Common::FromUtf8;
using Common::ToUtf8;

// One U+FFFD for each of `bytes` bytes.
std::u16string Replaced(std::size_t bytes) { return std::u16string(bytes, u'\xFFFD'); }

std::string Hex(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        out += "0123456789ABCDEF"[static_cast<unsigned char>(c) >> 4];
        out += "0123456789ABCDEF"[static_cast<unsigned char>(c) & 0xF];
        out += ' ';
    }
    return out;
}

// The first and last character of each sequence length, and the characters
// either side of the surrogates, in both directions.
TEST(Utf8Text, EachSequenceLengthConvertsAtItsBounds) {
    const struct {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"", ""},
        {u"a\0b"s, "a\0b"s},  // a NUL is a character like any other, not the end
        {u"\x7F", "\x7F"},
        {u"\u0080", "\xC2\x80"},
        {u"\u07FF", "\xDF\xBF"},
        {u"\u0800", "\xE0\xA0\x80"},
        {u"\uD7FF", "\xED\x9F\xBF"},
        {u"\uE000", "\xEE\x80\x80"},
        {u"\uFFFD", "\xEF\xBF\xBD"},
        {u"\uFFFF", "\xEF\xBF\xBF"},
        {u"\U00010000", "\xF0\x90\x80\x80"},
        {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        {u"Gr\u00fc\u00dfe \u65e5\u672c \U0001F4E6.msi",
         "Gr\xC3\xBC\xC3\x9F" "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\xA6.msi"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf8(c.text), c.bytes) << Hex(c.bytes);
        EXPECT_EQ(FromUtf8(c.bytes), c.text) << Hex(c.bytes);
    }
}

TEST(Utf8Text, EachByteOfAMalformedSequenceBecomesOneReplacement) {
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        // Bytes that start no character.
        {"\x80", Replaced(1)},
        {"\xBF\x80", Replaced(2)},
        {"\xFE\xFF", Replaced(2)},
        {"\xF8\x88\x80\x80\x80", Replaced(5)},  // the withdrawn five-byte form
        // Overlong forms: a "/" or a NUL in disguise must not come out as one.
        {"\xC0\xAF", Replaced(2)},
        {"\xC0\x80", Replaced(2)},
        {"\xC1\xBF", Replaced(2)},
        {"\xE0\x80\xAF", Replaced(3)},
        {"\xE0\x9F\xBF", Replaced(3)},
        {"\xF0\x80\x80\xAF", Replaced(4)},
        {"\xF0\x8F\xBF\xBF", Replaced(4)},
        // Surrogates encoded on their own, even two that would make a pair.
        {"\xED\xA0\x80", Replaced(3)},
        {"\xED\xBF\xBF", Replaced(3)},
        {"\xED\xA0\xBD\xED\xB8\x80", Replaced(6)},
        // Beyond the last character.
        {"\xF4\x90\x80\x80", Replaced(4)},
        {"\xF7\xBF\xBF\xBF", Replaced(4)},
        // Cut short, at the end or by the next character, which survives.
        {"\xC3", Replaced(1)},
        {"\xE6\x97", Replaced(2)},
        {"\xF0\x9F\x93", Replaced(3)},
        {"\xE6\x97" "a", Replaced(2) + u"a"},
        {"\xC3\xC3\xA9", Replaced(1) + u"\u00e9"},
        {"\xF0\x9F\x93\xF0\x9F\x93\xA6", Replaced(3) + u"\U0001F4E6"},
        {"a\xFF" "b", u"a" + Replaced(1) + u"b"},
    };
    for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.bytes), c.text) << Hex(c.bytes);
}

TEST(Utf8Text, ASurrogateOutOfItsPairIsEncodedAsReplacement) {
    const std::string replacement = "\xEF\xBF\xBD";
    const struct {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"\xD800", replacement},
        {u"\xDFFF", replacement},
        {u"a\xD800" u"b", "a" + replacement + "b"},
        {u"\xDC00\xD800", replacement + replacement},        // the pair the wrong way round
        {u"\xD800\xD800\xDC00", replacement + "\xF0\x90\x80\x80"},  // a pair still follows
        {u"\xD83D\xDCE6\xDCE6", "\xF0\x9F\x93\xA6" + replacement},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUtf8(c.text), c.bytes) << Hex(c.bytes);
}

// Every input of up to two bytes, and the longer ones behind the lead bytes
// where overlong forms, surrogates and the upper limit lie: any second byte,
// then bytes of each kind (ASCII, continuation, lead, never used).
TEST(Utf8Text, EveryShortInputDecodesToItsOneEncoding) {
    using Utf8TextProperties::DecodingFault;
    for (int first = 0; first < 256; ++first) {
        const std::string one(1, static_cast<char>(first));
        ASSERT_EQ(DecodingFault(one), nullptr) << Hex(one);
        for (int second = 0; second < 256; ++second) {
            const std::string two = one + static_cast<char>(second);
            ASSERT_EQ(DecodingFault(two), nullptr) << Hex(two);
        }
    }
    const char tails[] = {'\x00', '\x41', '\x7F', '\x80', '\x9F', '\xBF', '\xC0', '\xC3', '\xE6', '\xF0', '\xFF'};
    for (const char lead : {'\xE0', '\xED', '\xEF', '\xF0', '\xF4'}) {
        for (int second = 0; second < 256; ++second) {
            for (const char third : tails) {
                const std::string three = {lead, static_cast<char>(second), third};
                ASSERT_EQ(DecodingFault(three), nullptr) << Hex(three);
                if (static_cast<unsigned char>(lead) < 0xF0) continue;
                for (const char fourth : tails) {
                    const std::string four = three + fourth;
                    ASSERT_EQ(DecodingFault(four), nullptr) << Hex(four);
                }
            }
        }
    }
}

// Every pair of UTF-16 units at the edges of the surrogate ranges.
TEST(Utf8Text, EveryUnitSurvivesEncodingExceptALoneSurrogate) {
    using Utf8TextProperties::EncodingFault;
    const char16_t edges[] = {0x0000, 0x007F, 0x0080, 0x07FF, 0x0800, 0xD7FF, 0xD800, 0xDBFF,
                              0xDC00, 0xDFFF, 0xE000, 0xFFFD, 0xFFFF};
    for (const char16_t first : edges) {
        for (const char16_t second : edges) {
            const std::u16string text = {first, second};
            ASSERT_EQ(EncodingFault(text), nullptr) << std::hex << int{first} << ' ' << int{second};
        }
    }
}

}  // namespace
