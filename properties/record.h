// The property record shared by every property handler: header, length patch, vendor codes.
#pragma once
#include <cstdint>

#include "emit/items.h"

long WritePropertyHeader(uint32_t key, const char* propertyName, unsigned long length);
void PatchLength(long position, unsigned long length);
void WriteReservedLongs(int count);
// Two expressions, low then high, separated by a comma and written high long first; token
// contract as GetExpression's.
void WriteHighLowLongs(const char* label);

constexpr uint32_t kVendorLMTR = FourCC("LMTR");
constexpr uint32_t kVendorORVN = FourCC("ORVN");
constexpr uint32_t kVendorRlTn = FourCC("RlTn");
