// The script's number formatter and comment joining, against the C library calls they replace.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "emit/numbers.h"

namespace {

// Digit pairs, the bounds of the numbers below 10000 measured without a loop, the 32-bit
// boundary of the cheaper division and the most negative values.
const std::vector<long long> kSigned = {
    0,      1,      -1,     7,     8,     9,           10,          99,          100,
    999,    1000,   1009,   9999,  10000, 99999,       100000,      -5,          -100,
    -1234,  -9999,  -10000, -12345, 32767, -32768,     65535,       65536,       123456,
    INT_MAX, INT_MIN, 4294967295LL, 4294967296LL, -4294967296LL, LLONG_MAX, LLONG_MIN};
const std::vector<unsigned long long> kUnsigned = {
    0,      1,          9,          10,         15,          16,
    0xFF,   0xFFF,      0x1000,     0xABCD,     0xFFFF,      0x10000,
    0xFFFFF, 0x7FFFFFFF, 0x80000000, UINT32_MAX, 0x123456789AULL, ULLONG_MAX};

// What a formatter writes after "<", read back up to the end it returns; the bytes past that
// end are marked, so a formatter that writes more than it reports is caught.
template <typename Put>
std::string Written(Put put) {
    char text[64];
    memset(text, '#', sizeof text);
    text[0] = '<';
    const char* end = put(text + 1);
    EXPECT_EQ(end[0], '#') << "wrote past its end";
    return std::string(text, size_t(end - text));
}

}  // namespace

TEST(NumberFormat, DecimalsMatchPrintfInEveryWidth) {
    char expected[64];
    for (long long value : kSigned) {
        snprintf(expected, sizeof expected, "<%lld", value);
        EXPECT_EQ(Written([&](char* at) { return PutDecimal(at, value); }), expected) << value;
        // Widths the number fills, overflows or fits exactly; never cut, blanks before.
        for (int width : {-3, 0, 1, 5, 12}) {
            snprintf(expected, sizeof expected, "<%*lld", width < 0 ? 0 : width, value);
            EXPECT_EQ(Written([&](char* at) { return PutDecimalInWidth(at, value, width); }),
                      expected)
                << value << " in " << width;
        }
    }
}

TEST(NumberFormat, HexAndOctalMatchPrintf) {
    // The widths the script uses (a long and a word) and ones the digits overflow.
    char expected[64];
    for (int width : {0, 1, 2, 3, 6, 10, 20}) {
        for (unsigned long long value : kUnsigned) {
            snprintf(expected, sizeof expected, "<%#0*llX", width, value);
            EXPECT_EQ(Written([&](char* at) { return PutPrefixedHex(at, value, width); }),
                      expected)
                << value << " in " << width;
        }
    }
    for (unsigned value : {0u, 1u, 7u, 8u, 34u, 63u, 64u, 0177u, 0377u, 0777u, 01000u, UINT_MAX}) {
        snprintf(expected, sizeof expected, "<%03o", value);
        EXPECT_EQ(Written([&](char* at) { return PutOctalByte(at, value); }), expected) << value;
    }
}

// The joined comments are cut where the formatted ones were: at count characters.
TEST(JoinBounded, CutsLikeFormatBounded) {
    const char* labels[] = {"", "Name", "A label long enough to be cut in the middle of the text"};
    for (size_t count : {0u, 1u, 5u, 8u, 20u, 70u}) {
        for (const char* label : labels) {
            char joined[80];
            char formatted[80];
            const size_t length = JoinBounded(joined, count, "/* ", label, " */");
            FormatBounded(formatted, count, "/* %s */", label);
            EXPECT_STREQ(joined, formatted) << count << " " << label;
            EXPECT_EQ(length, strlen(formatted)) << count << " " << label;
        }
    }
}
