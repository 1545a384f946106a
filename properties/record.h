// The property record shared by every property handler: vendor code, header, length patch.
#pragma once
#include <cstdint>

#include "emit/items.h"
#include "formats/properties.h"

// A property record: its vendor code and header (key, index and the length) are written when
// it opens, and the length is measured from the items written until Close, which patches it
// in. Close comes right after the record's last item, before the tokens after it are read.
class PropertyRecord {
public:
    explicit PropertyRecord(const PropertyFormat& row, int32_t index = 0);
    void Close();
    unsigned long Length() const;  // the bytes of the items written so far
    // Fails now when bytes more would not fit the length field: for a value known whole before
    // its items are written, whose own checks would otherwise speak first.
    void Reserve(unsigned long bytes) const;

private:
    long lengthPosition_;
    unsigned long start_;
};
// The property's open brace (failing under the row's context), then the record opened.
PropertyRecord OpenProperty(const PropertyFormat& row);

void WriteReservedLongs(int count);
// Two expressions, low then high, separated by a comma (else failing under context) and
// written high long first; token contract as GetExpression's.
void WriteHighLowLongs(const char* context, const char* label);
