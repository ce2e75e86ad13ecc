#include "TextDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A byte of 0x80 or more at any place, in the words read together or in the bytes after
// them, makes the text non-ASCII.
TEST(TextDecoderIsAscii, FindsAHighByteAnywhere)
{
    for (const std::size_t length : {0u, 1u, 7u, 31u, 32u, 33u, 64u, 100u}) {
        const std::string plain(length, 'a');
        EXPECT_TRUE(brasko::IsAscii(plain)) << length;
        for (std::size_t at = 0; at < length; ++at) {
            for (const char high : {'\x80', '\xff', '\xe3'}) {
                std::string text = plain;
                text[at] = high;
                EXPECT_FALSE(brasko::IsAscii(text)) << length << " at " << at;
            }
        }
    }
    EXPECT_TRUE(brasko::IsAscii(std::string("\x7f\0\t\r\n", 5)));
}

} // namespace
