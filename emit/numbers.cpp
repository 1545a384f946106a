// The number formatter of the hot writers. Each number is written in place, back to front,
// once its length is known: no scratch copy, and no library call for a few characters.
#include "emit/numbers.h"

#include <cstdint>
#include <cstring>

namespace {

const char kDigitChars[] = "0123456789ABCDEF";

// "00" to "99": a decimal number takes one division for every two digits.
const char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// 10^i for i up to 19, the largest power of ten below 2^64.
const unsigned long long kPowersOfTen[20] = {
    1ULL,
    10ULL,
    100ULL,
    1000ULL,
    10000ULL,
    100000ULL,
    1000000ULL,
    10000000ULL,
    100000000ULL,
    1000000000ULL,
    10000000000ULL,
    100000000000ULL,
    1000000000000ULL,
    10000000000000ULL,
    100000000000000ULL,
    1000000000000000ULL,
    10000000000000000ULL,
    100000000000000000ULL,
    1000000000000000000ULL,
    10000000000000000000ULL};

// Number of decimal digits of value (1 for 0).
size_t DecimalLength(unsigned long long value) {
    size_t length = 1;
    while (length < 20 && value >= kPowersOfTen[length]) ++length;
    return length;
}

// Decimal digits of value ending at end, written back to front two at a time.
template <typename Unsigned>
void MakeDecimalDigits(char* end, Unsigned value) {
    while (value >= 100) {
        const unsigned pair = unsigned(value % 100);
        value /= 100;
        end -= 2;
        end[0] = kDigitPairs[2 * pair];
        end[1] = kDigitPairs[2 * pair + 1];
    }
    if (value >= 10) {
        end[-2] = kDigitPairs[2 * value];
        end[-1] = kDigitPairs[2 * value + 1];
    } else {
        end[-1] = char('0' + value);
    }
}

// The same; a value that fits 32 bits is divided in 32 bits, which is cheaper.
void MakeDecimalDigits(char* end, unsigned long long value) {
    if (value <= UINT32_MAX)
        MakeDecimalDigits<uint32_t>(end, uint32_t(value));
    else
        MakeDecimalDigits<unsigned long long>(end, value);
}

// count characters of fill.
char* PutFill(char* at, char fill, size_t count) {
    for (size_t i = 0; i < count; ++i) at[i] = fill;
    return at + count;
}

// count characters of fill that start a field of width characters, the rest of which the
// caller writes next. The usual fill is short: one store of eight fills characters covers it
// and the caller's characters overwrite what is too much, so no library call is made.
char* PutFieldFill(char* at, char fill, size_t count, size_t width) {
    if (count <= 8 && width >= 8) {
        const uint64_t eight = uint8_t(fill) * 0x0101010101010101ull;
        memcpy(at, &eight, 8);
        return at + count;
    }
    if (count <= 4 && width >= 4) {
        const uint32_t four = uint8_t(fill) * 0x01010101u;
        memcpy(at, &four, 4);
        return at + count;
    }
    return PutFill(at, fill, count);
}

// Digits of value in base 2^Shift (8 or 16), upper-case, preceded by zeros up to minimum.
template <unsigned Shift>
char* PutDigits(char* at, unsigned long long value, int minimum) {
    size_t count = 1;
    for (unsigned long long rest = value >> Shift; rest != 0; rest >>= Shift) ++count;
    if (minimum > 0 && count < size_t(minimum))
        at = PutFieldFill(at, '0', size_t(minimum) - count, size_t(minimum));
    char* end = at + count;
    for (char* digit = end; digit != at; value >>= Shift)
        *--digit = kDigitChars[value & ((1u << Shift) - 1)];
    return end;
}

// The magnitude of value, also for the most negative one.
unsigned long long Magnitude(long long value) {
    return value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
}

// Any number: its length from the powers of ten, its digits two at a time.
char* PutAnyDecimalInWidth(char* at, long long value, int width) {
    const unsigned long long magnitude = Magnitude(value);
    const size_t length = DecimalLength(magnitude) + (value < 0 ? 1 : 0);
    if (width > 0 && length < size_t(width))
        at = PutFieldFill(at, ' ', size_t(width) - length, size_t(width));
    if (value < 0) *at = '-';
    char* end = at + length;
    MakeDecimalDigits(end, magnitude);
    return end;
}

}  // namespace

char* PutDecimal(char* at, long long value) {
    if (value >= 0 && value <= 9) {  // the most frequent numbers by far
        *at = char('0' + value);
        return at + 1;
    }
    return PutDecimalInWidth(at, value, 0);
}

char* PutDecimalInWidth(char* at, long long value, int width) {
    if (value < 0 || value >= 10000) return PutAnyDecimalInWidth(at, value, width);
    // The usual number, a length or a count: its length without a loop.
    const size_t length = value < 10 ? 1 : value < 100 ? 2 : value < 1000 ? 3 : 4;
    if (width > 0 && length < size_t(width))
        at = PutFieldFill(at, ' ', size_t(width) - length, size_t(width));
    MakeDecimalDigits<uint32_t>(at + length, uint32_t(value));
    return at + length;
}

char* PutPrefixedHex(char* at, unsigned long long value, int width) {
    if (value == 0) return PutFill(at, '0', size_t(width > 1 ? width : 1));
    *at++ = '0';
    *at++ = 'X';
    return PutDigits<4>(at, value, width - 2);
}

char* PutOctalByte(char* at, unsigned value) {
    return PutDigits<3>(at, value, 3);
}
