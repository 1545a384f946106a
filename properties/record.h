// The property record shared by every property handler: header, length patch, vendor codes.
#pragma once
#include <cstdint>

#include "emit/items.h"

// A property record: its header (key, index 0 and the length) is written when it opens, and
// the length is measured from the items written until Close, which patches it in. Close comes
// right after the record's last item, before the tokens after it are read.
class PropertyRecord {
public:
    PropertyRecord(uint32_t key, const char* propertyName, int32_t index = 0);
    void Close();
    unsigned long Length() const;  // the bytes of the items written so far
    // Fails now when bytes more would not fit the length field: for a value known whole before
    // its items are written, whose own checks would otherwise speak first.
    void Reserve(unsigned long bytes) const;

private:
    long lengthPosition_;
    unsigned long start_;
};
void WriteReservedLongs(int count);
// Two expressions, low then high, separated by a comma and written high long first; token
// contract as GetExpression's.
void WriteHighLowLongs(const char* label);

constexpr uint32_t kVendorLMTR = FourCC("LMTR");
constexpr uint32_t kVendorORVN = FourCC("ORVN");
constexpr uint32_t kVendorRlTn = FourCC("RlTn");
