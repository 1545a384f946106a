// The number formatter of the hot writers.
#include "emit/numbers.h"

#include <charconv>

// Digits of value in base, upper-case, preceded by zeros up to minimum; no sign.
static void AppendDigits(std::string& out, unsigned long long value, int base, int minimum) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value, base);
    const int count = int(end.ptr - digits);
    if (count < minimum) out.append(size_t(minimum - count), '0');
    for (const char* c = digits; c != end.ptr; ++c)
        out += (*c >= 'a' && *c <= 'f') ? char(*c - 'a' + 'A') : *c;
}

// The magnitude of value, also for the most negative one.
static unsigned long long Magnitude(long long value) {
    return value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
}

void AppendDecimal(std::string& out, long long value) {
    if (value < 0) out += '-';
    AppendDigits(out, Magnitude(value), 10, 1);
}

void AppendDecimalInWidth(std::string& out, long long value, int width) {
    const size_t start = out.size();
    AppendDecimal(out, value);
    const size_t length = out.size() - start;
    if (width > 0 && length < size_t(width)) out.insert(start, size_t(width) - length, ' ');
}

void AppendPrefixedHex(std::string& out, unsigned long long value, int width) {
    if (value == 0) {
        out.append(size_t(width > 1 ? width : 1), '0');
        return;
    }
    out += "0X";
    AppendDigits(out, value, 16, width - 2);
}

void AppendOctalByte(std::string& out, unsigned value) {
    AppendDigits(out, value, 8, 3);
}
