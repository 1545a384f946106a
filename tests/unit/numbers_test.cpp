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

const std::vector<long long> kSigned = {
    0,     1,      -1,     7,     8,     9,       10,      99999,     100000,   -9999,
    -10000, 32767, -32768, 65535, 65536, INT_MAX, INT_MIN, LLONG_MAX, LLONG_MIN};
const std::vector<unsigned long long> kUnsigned = {
    0,      1,          9,          10,         15,          16,
    0xFF,   0xFFF,      0x1000,     0xABCD,     0xFFFF,      0x10000,
    0xFFFFF, 0x7FFFFFFF, 0x80000000, UINT32_MAX, 0x100000000ULL, ULLONG_MAX};

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

TEST(NumberFormat, DecimalMatchesPrintf) {
    char expected[64];
    for (long long value : kSigned) {
        snprintf(expected, sizeof expected, "<%lld", value);
        EXPECT_EQ(Written([&](char* at) { return PutDecimal(at, value); }), expected) << value;
    }
}

TEST(NumberFormat, DecimalInWidthPadsWithBlanksAndNeverCuts) {
    char expected[64];
    for (int width : {0, 1, 5, 12}) {
        for (long long value : kSigned) {
            snprintf(expected, sizeof expected, "<%*lld", width, value);
            EXPECT_EQ(Written([&](char* at) { return PutDecimalInWidth(at, value, width); }),
                      expected)
                << value << " in " << width;
        }
    }
}

// The same conversions spelt out: digit pairs, the bounds of the numbers below 10000 that
// are measured without a loop, the 32-bit boundary of the cheaper division, the most
// negative values, and widths the number fills, overflows or fits exactly.
TEST(NumberFormat, DecimalEdgesSpeltOut) {
    const struct {
        long long value;
        int width;
        const char* text;
    } cases[] = {
        {0, 0, "<0"},
        {7, 0, "<7"},
        {10, 0, "<10"},
        {99, 0, "<99"},
        {100, 0, "<100"},
        {1009, 0, "<1009"},
        {999, 0, "<999"},
        {1000, 0, "<1000"},
        {9999, 0, "<9999"},
        {10000, 0, "<10000"},
        {-5, 0, "<-5"},
        {-100, 0, "<-100"},
        {4294967295LL, 0, "<4294967295"},
        {4294967296LL, 0, "<4294967296"},
        {-4294967296LL, 0, "<-4294967296"},
        {INT_MIN, 0, "<-2147483648"},
        {LLONG_MAX, 0, "<9223372036854775807"},
        {LLONG_MIN, 0, "<-9223372036854775808"},
        {0, 5, "<    0"},
        {42, 5, "<   42"},
        {999, 5, "<  999"},
        {9999, 5, "< 9999"},
        {10000, 5, "<10000"},
        {9999, 12, "<        9999"},
        {10000, 12, "<       10000"},
        {-1, 5, "<   -1"},
        {65535, 5, "<65535"},
        {-1234, 5, "<-1234"},
        {-12345, 5, "<-12345"},
        {123456, 5, "<123456"},
        {INT_MIN, 12, "< -2147483648"},
        {42, -3, "<42"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written([&](char* at) { return PutDecimalInWidth(at, c.value, c.width); }), c.text)
            << c.value << " in " << c.width;
        if (c.width == 0) {
            EXPECT_EQ(Written([&](char* at) { return PutDecimal(at, c.value); }), c.text) << c.value;
        }
    }
}

// Hex and octal digits spelt out: zeros up to the width, none when the digits fill it.
TEST(NumberFormat, HexAndOctalSpeltOut) {
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0x4C6D7472, 10); }), "<0X4C6D7472");
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0xC05F, 6); }), "<0XC05F");
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0x80, 10); }), "<0X00000080");
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0x123456789AULL, 10); }),
              "<0X123456789A");
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, ULLONG_MAX, 0); }),
              "<0XFFFFFFFFFFFFFFFF");
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0, 6); }), "<000000");
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0, 0); }), "<0");
    EXPECT_EQ(Written([](char* at) { return PutOctalByte(at, 0); }), "<000");
    EXPECT_EQ(Written([](char* at) { return PutOctalByte(at, 8); }), "<010");
    EXPECT_EQ(Written([](char* at) { return PutOctalByte(at, 34); }), "<042");
    EXPECT_EQ(Written([](char* at) { return PutOctalByte(at, 255); }), "<377");
    EXPECT_EQ(Written([](char* at) { return PutOctalByte(at, 512); }), "<1000");
    EXPECT_EQ(Written([](char* at) { return PutOctalByte(at, UINT_MAX); }), "<37777777777");
}

TEST(NumberFormat, PrefixedHexMatchesPrintfAlternateForm) {
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
    // Spelt out: 0 has no prefix, the digits are upper case.
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0, 10); }), "<0000000000");
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0xABCDEF, 10); }), "<0X00ABCDEF");
    EXPECT_EQ(Written([](char* at) { return PutPrefixedHex(at, 0x1F, 6); }), "<0X001F");
}

TEST(NumberFormat, OctalByteMatchesPrintf) {
    char expected[64];
    for (unsigned value : {0u, 1u, 7u, 8u, 63u, 64u, 0177u, 0377u, 0777u, 01000u, UINT_MAX}) {
        snprintf(expected, sizeof expected, "<%03o", value);
        EXPECT_EQ(Written([&](char* at) { return PutOctalByte(at, value); }), expected) << value;
    }
}

// The joined comments are cut where the formatted ones were: at count characters.
TEST(JoinBounded, CutsLikeFormatBounded) {
    const char* labels[] = {"", "Name", "A label long enough to be cut in the middle of the text"};
    for (size_t count : {0u, 1u, 5u, 20u, 70u}) {
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

// The length returned is that of the text joined, cut or not, spelt out.
TEST(JoinBounded, ReturnsTheLengthJoined) {
    char joined[80];
    EXPECT_EQ(JoinBounded(joined, 79, "/* ", "Name", " */"), 10u);
    EXPECT_STREQ(joined, "/* Name */");
    EXPECT_EQ(JoinBounded(joined, 5, "/* ", "Name", " */"), 5u);   // cut in the middle part
    EXPECT_STREQ(joined, "/* Na");
    EXPECT_EQ(JoinBounded(joined, 8, "/* ", "Name", " */"), 8u);   // cut in the last part
    EXPECT_STREQ(joined, "/* Name ");
    EXPECT_EQ(JoinBounded(joined, 79, "", "", ""), 0u);
    EXPECT_STREQ(joined, "");
}
