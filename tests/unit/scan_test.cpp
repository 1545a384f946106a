// Byte scanner tests: every byte value at the edges of the sixteen-byte steps, and limits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lexer/scan.h"

namespace {

const char kWordBytesByHand[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";

bool WordByHand(int b) {
    return b != 0 && std::strchr(kWordBytesByHand, b) != nullptr;
}

// Positions before, at and after the ends of the sixteen-byte steps, and in the byte tail.
const int kPositions[] = {0, 1, 7, 8, 14, 15, 16, 17, 31, 32, 33, 40, 46};

TEST(ScanTest, WordRunStopsAtTheFirstByteThatIsNoWordByte) {
    for (int b = 0; b < 256; ++b) {
        for (int at : kPositions) {
            std::string text(48, 'q');
            text[size_t(at)] = char(b);
            const int32_t expected = WordByHand(b) ? 48 : at;
            ASSERT_EQ(WordRunLength(text.data(), 48), expected) << "byte " << b << " at " << at;
        }
    }
}

TEST(ScanTest, WordRunKeepsToItsLimit) {
    const std::string text = "abcdefghijklmnopqrstuvwxyz0123456789_ABC!";
    EXPECT_EQ(WordRunLength(text.data(), 0), 0);
    EXPECT_EQ(WordRunLength(text.data(), 5), 5);
    EXPECT_EQ(WordRunLength(text.data(), 16), 16);
    EXPECT_EQ(WordRunLength(text.data(), 20), 20);
    EXPECT_EQ(WordRunLength(text.data(), int32_t(text.size())), 40);
}

TEST(ScanTest, RunBeforeFindsTheFirstOfThreeBytes) {
    const char stops[] = {'"', '\\', '\x7f'};
    for (char stop : stops) {
        for (int at : kPositions) {
            std::string text(48, 'x');
            text[size_t(at)] = stop;
            if (at + 3 < 48) text[size_t(at + 3)] = '"';  // a later stop changes nothing
            ASSERT_EQ(RunLengthBefore(text.data(), 48, '"', '\\', '\x7f'), at)
                << int(stop) << " at " << at;
        }
    }
}

TEST(ScanTest, RunBeforeKeepsToItsLimitAndTakesHighBytes) {
    std::string text(40, 'x');
    EXPECT_EQ(RunLengthBefore(text.data(), 40, '\n', '\r', '\x7f'), 40);
    text[20] = '\n';
    EXPECT_EQ(RunLengthBefore(text.data(), 20, '\n', '\r', '\x7f'), 20);  // beyond the limit
    EXPECT_EQ(RunLengthBefore(text.data(), 21, '\n', '\r', '\x7f'), 20);
    EXPECT_EQ(RunLengthBefore(text.data(), 0, '\n', '\r', '\x7f'), 0);
    // A delimiter with the high bit set, and the same byte value in other lanes.
    std::string high(34, '\x29');
    high[33] = '\xA9';
    EXPECT_EQ(RunLengthBefore(high.data(), 34, '\xA9', '\\', '\x7f'), 33);
    high[17] = '\xA9';
    EXPECT_EQ(RunLengthBefore(high.data(), 34, '\xA9', '\\', '\x7f'), 17);
    // A zero byte is an ordinary byte unless it is sought.
    std::string zeros(20, '\0');
    EXPECT_EQ(RunLengthBefore(zeros.data(), 20, '"', '\\', '\x7f'), 20);
    EXPECT_EQ(RunLengthBefore(zeros.data(), 20, '\0', '\\', '\x7f'), 0);
}

}  // namespace
