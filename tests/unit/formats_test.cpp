// The format tables both tools index: a key, code or type that two rows share would send the
// dump to the wrong row, and flag bits beyond the low byte would be cut off by the writer.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "formats/codes.h"
#include "formats/kinds.h"
#include "formats/properties.h"
#include "formats/resources.h"

namespace {

TEST(FormatTables, EveryRecordKeyFindsItsOwnRow) {
    for (int i = 0; i < kPropertyFormatCount; ++i) {
        const PropertyFormat& row = kPropertyFormats[i];
        // The retired keywords write no record, so no record leads to them.
        const PropertyFormat* expected = row.shape == ValueShape::kRetired ? nullptr : &row;
        EXPECT_EQ(FindPropertyFormat(row.key), expected) << row.keyword;
    }
}

TEST(FormatTables, FlagSetsFitTheLowByteAndNameEveryItem) {
    for (int i = 0; i < kPropertyFormatCount; ++i) {
        const PropertyFormat& row = kPropertyFormats[i];
        if (row.shape != ValueShape::kFlagSet) continue;
        ASSERT_NE(row.detail.names, nullptr) << row.keyword;
        EXPECT_LE(row.detail.names->count + row.detail.shift, 8) << row.keyword;
        for (int n = 0; n < row.detail.names->count; ++n)
            EXPECT_STRNE(row.detail.names->names[n], "") << row.keyword;
    }
    // The masks the dump checks against, worked out from the bit layouts by hand.
    const std::pair<const char*, uint32_t> masks[] = {
        {"flly", 0x80}, {"expf", 0x80}, {"fmsl", 0x80}, {"fmtf", 0x7E},
        {"fmhi", 0xC0}, {"fmip", 0xF0}, {"fmir", 0xF0}};
    for (const auto& [key, mask] : masks) {
        const char text[5] = {key[0], key[1], key[2], key[3], 0};
        const PropertyFormat* row = FindPropertyFormat(FourCC(text));
        ASSERT_NE(row, nullptr) << key;
        EXPECT_EQ(FlagSetMask(row->detail), mask) << key;
    }
}

TEST(FormatTables, KindCodesAndResourceTypesAreUnique) {
    for (int i = 0; i < kPluginKindCount; ++i)
        EXPECT_EQ(FindPluginKind(kPluginKinds[i].code), &kPluginKinds[i]) << kPluginKinds[i].keyword;
    std::set<std::pair<int, std::string>> declared;
    for (int i = 0; i < kResourceFormatCount; ++i) {
        const ResourceFormat& row = kResourceFormats[i];
        EXPECT_EQ(std::string(row.source).size(), 4u) << row.source;
        EXPECT_TRUE(declared.insert({row.statement, row.source}).second) << row.source;
    }
}

}  // namespace
