// Numbers as the script writes them, without printf: each appends to out the same text as
// the printf conversion named beside it.
#pragma once
#include <string>

void AppendDecimal(std::string& out, long long value);                   // "%lld"
void AppendDecimalInWidth(std::string& out, long long value, int width);  // "%*lld"
// "%#0*llX": "0X" and upper-case digits, zeros between them up to width; 0 alone is width
// zeros (or "0"), without "0X".
void AppendPrefixedHex(std::string& out, unsigned long long value, int width);
void AppendOctalByte(std::string& out, unsigned value);   // "%03o"
