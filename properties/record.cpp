// The property record: its header with the back-patched length, reserved and split longs.
#include "properties/record.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "core/diagnostics.h"
#include "emit/items.h"
#include "emit/output.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"

PropertyRecord::PropertyRecord(const PropertyFormat& row, int32_t index) {
    WriteVendorCode(row.vendor);
    WriteFourCharCode(row.key, row.record);
    lengthPosition_ = WriteIndexAndLength(index, 0);
    start_ = CompiledBytes();
}

unsigned long PropertyRecord::Length() const {
    return CompiledBytes() - start_;
}

void PropertyRecord::Reserve(unsigned long bytes) const {
    CheckFieldLimit("Property length", Length() + bytes, 65535);
}

void PropertyRecord::Close() {
    PatchField(lengthPosition_, Length(), "Property length");
}

PropertyRecord OpenProperty(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    return PropertyRecord(row);
}

void WriteReservedLongs(int count) {
    for (int d = 0; d < count; ++d) {
        char comment[32] = "/* Reserved ";
        char* end = std::to_chars(comment + 12, comment + 20, d).ptr;
        std::memcpy(end, " */", 4);
        WriteDecimalLong(0, comment);
    }
}

void WriteHighLowLongs(const char* context, const char* label) {
    uint32_t low = (uint32_t)GetExpression();
    ExpectComma(context);
    uint32_t high = (uint32_t)GetExpression();
    char comment[80];
    size_t length = JoinBounded(comment, sizeof comment - 1, "/* ", label, " high long (2) */");
    WriteHexLong(high, ItemComment(comment, length));
    length = JoinBounded(comment, sizeof comment - 1, "/* ", label, " low long (1) */");
    WriteHexLong(low, ItemComment(comment, length));
}
