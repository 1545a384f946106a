// The number formatter of the hot writers.
#include "emit/numbers.h"

#include <cstring>

namespace {

const char kDigitChars[] = "0123456789ABCDEF";

// Digits of value in Base, upper-case, preceded by zeros up to minimum; no sign. The digits
// are made back to front in a scratch array and copied in one piece.
template <unsigned Base>
char* PutDigits(char* at, unsigned long long value, int minimum) {
    char digits[kNumberRoom];
    char* first = digits + sizeof digits;
    do {
        *--first = kDigitChars[value % Base];
        value /= Base;
    } while (value != 0);
    const size_t count = size_t(digits + sizeof digits - first);
    if (minimum > 0 && count < size_t(minimum)) {
        memset(at, '0', size_t(minimum) - count);
        at += size_t(minimum) - count;
    }
    memcpy(at, first, count);
    return at + count;
}

// The magnitude of value, also for the most negative one.
unsigned long long Magnitude(long long value) {
    return value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
}

size_t DecimalLength(long long value) {
    size_t length = value < 0 ? 2 : 1;
    for (unsigned long long rest = Magnitude(value); rest >= 10; rest /= 10) ++length;
    return length;
}

}  // namespace

char* PutDecimal(char* at, long long value) {
    if (value < 0) *at++ = '-';
    return PutDigits<10>(at, Magnitude(value), 1);
}

char* PutDecimalInWidth(char* at, long long value, int width) {
    // The blanks go first, so the length is known before the digits are made.
    const size_t length = DecimalLength(value);
    if (width > 0 && length < size_t(width)) {
        memset(at, ' ', size_t(width) - length);
        at += size_t(width) - length;
    }
    return PutDecimal(at, value);
}

char* PutPrefixedHex(char* at, unsigned long long value, int width) {
    if (value == 0) {
        const size_t zeros = size_t(width > 1 ? width : 1);
        memset(at, '0', zeros);
        return at + zeros;
    }
    *at++ = '0';
    *at++ = 'X';
    return PutDigits<16>(at, value, width - 2);
}

char* PutOctalByte(char* at, unsigned value) {
    return PutDigits<8>(at, value, 3);
}
