// The script's number formatter and comment joining, against the C library calls they replace.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "emit/numbers.h"

namespace {

const std::vector<long long> kSigned = {
    0,     1,      -1,     7,     8,     9,       10,      99999,     100000,   -9999,
    -10000, 32767, -32768, 65535, 65536, INT_MAX, INT_MIN, LLONG_MAX, LLONG_MIN};
const std::vector<unsigned long long> kUnsigned = {
    0,      1,          9,          10,         15,          16,
    0xFF,   0xFFF,      0x1000,     0xABCD,     0xFFFF,      0x10000,
    0xFFFFF, 0x7FFFFFFF, 0x80000000, UINT32_MAX, 0x100000000ULL, ULLONG_MAX};

template <typename T>
std::string Appended(void (*append)(std::string&, T), T value) {
    std::string out = "<";  // what is already there stays
    append(out, value);
    return out;
}

}  // namespace

TEST(NumberFormat, DecimalMatchesPrintf) {
    char expected[64];
    for (long long value : kSigned) {
        snprintf(expected, sizeof expected, "<%lld", value);
        EXPECT_EQ(Appended(AppendDecimal, value), expected) << value;
    }
}

TEST(NumberFormat, DecimalInWidthPadsWithBlanksAndNeverCuts) {
    char expected[64];
    for (int width : {0, 1, 5, 12}) {
        for (long long value : kSigned) {
            snprintf(expected, sizeof expected, "<%*lld", width, value);
            std::string out = "<";
            AppendDecimalInWidth(out, value, width);
            EXPECT_EQ(out, expected) << value << " in " << width;
        }
    }
}

TEST(NumberFormat, PrefixedHexMatchesPrintfAlternateForm) {
    // The widths the script uses (a long and a word) and ones the digits overflow.
    char expected[64];
    for (int width : {0, 1, 2, 3, 6, 10, 20}) {
        for (unsigned long long value : kUnsigned) {
            snprintf(expected, sizeof expected, "<%#0*llX", width, value);
            std::string out = "<";
            AppendPrefixedHex(out, value, width);
            EXPECT_EQ(out, expected) << value << " in " << width;
        }
    }
    // Spelt out: 0 has no prefix, the digits are upper case.
    std::string out;
    AppendPrefixedHex(out, 0, 10);
    EXPECT_EQ(out, "0000000000");
    out.clear();
    AppendPrefixedHex(out, 0xABCDEF, 10);
    EXPECT_EQ(out, "0X00ABCDEF");
    out.clear();
    AppendPrefixedHex(out, 0x1F, 6);
    EXPECT_EQ(out, "0X001F");
}

TEST(NumberFormat, OctalByteMatchesPrintf) {
    char expected[64];
    for (unsigned value : {0u, 1u, 7u, 8u, 63u, 64u, 0177u, 0377u, 0777u, 01000u, UINT_MAX}) {
        snprintf(expected, sizeof expected, "<%03o", value);
        EXPECT_EQ(Appended(AppendOctalByte, value), expected) << value;
    }
}

// The joined comments are cut where the formatted ones were: at count characters.
TEST(JoinBounded, CutsLikeFormatBounded) {
    const char* labels[] = {"", "Name", "A label long enough to be cut in the middle of the text"};
    for (size_t count : {0u, 1u, 5u, 20u, 70u}) {
        for (const char* label : labels) {
            char joined[80];
            char formatted[80];
            JoinBounded(joined, count, "/* ", label, " */");
            FormatBounded(formatted, count, "/* %s */", label);
            EXPECT_STREQ(joined, formatted) << count << " " << label;
        }
    }
}
