// The number formatter of the hot writers.
#include "emit/numbers.h"

#include <cstring>

namespace {

const char kDigitChars[] = "0123456789ABCDEF";

// Digits of value in Base, upper-case, made back to front so that they end at end; returns
// the first.
template <unsigned Base>
char* MakeDigits(char* end, unsigned long long value) {
    do {
        *--end = kDigitChars[value % Base];
        value /= Base;
    } while (value != 0);
    return end;
}

// count characters of fill, then the size characters at text.
char* PutFilled(char* at, char fill, size_t count, const char* text, size_t size) {
    memset(at, fill, count);
    memcpy(at + count, text, size);
    return at + count + size;
}

// Digits of value in Base preceded by zeros up to minimum; no sign.
template <unsigned Base>
char* PutDigits(char* at, unsigned long long value, int minimum) {
    char scratch[kNumberRoom];
    const char* first = MakeDigits<Base>(scratch + sizeof scratch, value);
    const size_t count = size_t(scratch + sizeof scratch - first);
    const size_t zeros = minimum > 0 && count < size_t(minimum) ? size_t(minimum) - count : 0;
    return PutFilled(at, '0', zeros, first, count);
}

// The magnitude of value, also for the most negative one.
unsigned long long Magnitude(long long value) {
    return value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
}

}  // namespace

char* PutDecimal(char* at, long long value) {
    return PutDecimalInWidth(at, value, 0);
}

char* PutDecimalInWidth(char* at, long long value, int width) {
    char scratch[kNumberRoom];
    char* first = MakeDigits<10>(scratch + sizeof scratch, Magnitude(value));
    if (value < 0) *--first = '-';
    const size_t length = size_t(scratch + sizeof scratch - first);
    const size_t blanks = width > 0 && length < size_t(width) ? size_t(width) - length : 0;
    return PutFilled(at, ' ', blanks, first, length);
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
