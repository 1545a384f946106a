// Numbers as the script writes them, without printf: each writes at `at` the same text as the
// printf conversion named beside it and returns the end of what it wrote. No terminating zero.
// Room needed: kNumberRoom characters, or width characters where a width is larger.
#pragma once
#include <cstddef>

constexpr size_t kNumberRoom = 24;   // a sign, 22 octal digits of a 64-bit value and a spare

char* PutDecimal(char* at, long long value);                   // "%lld"
char* PutDecimalInWidth(char* at, long long value, int width);  // "%*lld"
// "%#0*llX": "0X" and upper-case digits, zeros between them up to width; 0 alone is width
// zeros (or "0"), without "0X".
char* PutPrefixedHex(char* at, unsigned long long value, int width);
char* PutOctalByte(char* at, unsigned value);   // "%03o"
