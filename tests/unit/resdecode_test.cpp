// The .res decoder on hand-made bytes: container framing, property lists with wrong counts
// and lengths, the string value forms and string-table blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dump/decode.h"
#include "tests/unit/bytes.h"

namespace {

// kind 'filt' (4 bytes) and name "abcd" (length byte 4, four bytes, three zeros: 8 bytes).
Bytes GoodList() {
    Bytes b = ListHeader(2);
    Bytes kind;
    PutCode(kind, "filt");
    PutRecord(b, "LMTR", "kind", kind);
    PutRecord(b, "LMTR", "name", Bytes{4, 'a', 'b', 'c', 'd', 0, 0, 0});
    return b;
}

ResEntry Entry(const std::string& type, const Bytes& data, uint16_t name = 16000) {
    ResEntry e;
    e.type.isOrdinal = false;
    e.type.text = type;
    e.name.ordinal = name;
    e.data = data;
    return e;
}

// The list walked; the error, or "" when it passes.
std::string Walk(const Bytes& data) {
    std::string summary, error;
    return WalkPropertyList(Entry("VTAG", data), summary, error) ? "" : error;
}

// GoodList with one byte changed.
Bytes Changed(size_t at, uint8_t value) {
    Bytes b = GoodList();
    b[at] = value;
    return b;
}

}  // namespace

TEST(ResFile, ReadsEntriesAfterTheLeadingOneAndRejectsBrokenFraming) {
    std::vector<ResEntry> entries;
    std::string error;
    ASSERT_TRUE(ParseResFile(Leading(), entries, error)) << error;
    EXPECT_TRUE(entries.empty());
    Bytes bad = Leading();
    bad[4] = 0x1C;  // leading HeaderSize 28
    EXPECT_FALSE(ParseResFile(bad, entries, error));
    EXPECT_FALSE(ParseResFile(Bytes(16, 0), entries, error));

    Bytes good = Leading();
    PutEntry(good, "VTAG", 1, GoodList());  // 54 data bytes, two of padding
    ASSERT_TRUE(ParseResFile(good, entries, error)) << error;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].type.Display() + " " + entries[0].name.Display(), "VTAG #1");
    EXPECT_EQ(entries[0].languageId, 0x0409);
    EXPECT_EQ(entries[0].data, GoodList());
    Bytes longer = good;
    longer[32] = 128;  // DataSize past the end of the file
    EXPECT_FALSE(ParseResFile(longer, entries, error));
    EXPECT_NE(error.find("DataSize 128 but only 56 bytes"), std::string::npos) << error;

    Bytes header = good;
    header[36] = 0x24;  // HeaderSize 36 for the 40-byte header of type VTAG
    EXPECT_FALSE(ParseResFile(header, entries, error));
    EXPECT_NE(error.find("HeaderSize 36"), std::string::npos) << error;

    Bytes unpadded = good;
    unpadded.resize(unpadded.size() - 2);
    EXPECT_FALSE(ParseResFile(unpadded, entries, error));

    Bytes dirty = good;
    dirty.back() = 1;
    EXPECT_FALSE(ParseResFile(dirty, entries, error));
}

TEST(PropertyList, RefusesWhatDisagreesWithTheBytes) {
    EXPECT_EQ(Walk(GoodList()), "");
    EXPECT_NE(Walk(Changed(6, 3)).find("record 3 of 3"), std::string::npos);
    EXPECT_NE(Walk(Changed(6, 1)).find("24 bytes after the last of 1 records"), std::string::npos);
    // kind's length field sits at 10 + 12: 4 -> 8 swallows the name record's first bytes,
    // whose remainder cannot be a record.
    EXPECT_NE(Walk(Changed(22, 8)), "");
    // The name's length field (at 10 + 20 + 12) past the end of the data.
    EXPECT_NE(Walk(Changed(42, 9)).find("length 9 but only 8 bytes remain"), std::string::npos);
    Bytes extra = GoodList();  // a stray byte after the last record
    extra.push_back(0);
    EXPECT_NE(Walk(extra), "");
    // The first byte, the version, kind's index and its vendor ('LMTX').
    for (const Bytes& bad : {Changed(0, 2), Changed(2, 1), Changed(18, 1), Changed(10, 'X')})
        EXPECT_NE(Walk(bad), "");
    EXPECT_NE(Walk(Bytes{1, 0, 0}), "");
}

TEST(PropertyList, ChecksTheValueByItsKey) {
    Bytes wrong = ListHeader(1);
    // Length byte 5 needs 8 bytes; 12 were written.
    PutRecord(wrong, "LMTR", "catg", Bytes{5, 'a', 'b', 'c', 'd', 'e', 0, 0, 0, 0, 0, 0});
    EXPECT_NE(Walk(wrong).find("'catg'"), std::string::npos);
    // A key without a row is not looked into.
    Bytes other = ListHeader(1);
    PutRecord(other, "ORVN", "xyzw", Bytes{9, 9, 9});
    EXPECT_EQ(Walk(other), "");
}

TEST(ValueForms, StringsAreFilledToTheNextFourBytesAboveTheirEnd) {
    std::string error;
    const struct {
        Bytes bytes;
        bool prefixed, good;
    } rows[] = {
        {{0, 0, 0, 0}, true, true},  // n = 0: three fill zeros
        {{3, 'a', 'b', 'c', 0, 0, 0, 0}, true, true},  // n + 1 = 4 -> 8, not 4
        {{3, 'a', 'b', 'c'}, true, false},
        {{8, '*', '*', 'H', 'e', 'l', 'p', '*', '*', 0, 0, 0}, true, true},
        {{3, 'a', 'b', 'c', 0, 0, 'x', 0}, true, false},
        {{}, true, false},
        {{'a', 'b', 'c', 0, 0, 0, 0, 0}, false, true},
        {{'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0, 0, 0}, false, false},  // four zeros too many
        {{0, 0, 0, 0}, false, true},  // three fill zeros and the terminator
        {{'a', 'b', 'c', 0}, false, false},  // n = 3 needs 8 bytes
        {{'a', 'b', 'c', 'd'}, false, false},
    };
    for (const auto& row : rows) {
        const ValueCheck check = row.prefixed ? CheckLengthPrefixedString : CheckCString;
        EXPECT_EQ(check(row.bytes.data(), row.bytes.size(), error), row.good)
            << row.prefixed << " " << row.bytes.size();
    }
}

TEST(StringTable, RefusesCountsThatDisagreeWithTheBlock) {
    // Block 9 holds the ids 128..143; id 128 is "Hello", the other fifteen are empty.
    Bytes data;
    Put16(data, 5);
    for (char c : std::string("Hello")) Put16(data, uint16_t(c));
    for (int i = 0; i < 15; ++i) Put16(data, 0);
    ResEntry entry;
    entry.name.ordinal = 9;
    entry.data = data;
    std::string summary, error;
    ASSERT_TRUE(WalkStringTable(entry, summary, error)) << error;
    EXPECT_EQ(summary, "128=\"Hello\"(5)");

    entry.data.resize(data.size() - 2);
    EXPECT_FALSE(WalkStringTable(entry, summary, error));
    entry.data = data;
    entry.data.push_back(0);
    EXPECT_FALSE(WalkStringTable(entry, summary, error));
    entry.data = data;
    entry.data[0] = 6;  // six units would run into the next count
    entry.data.resize(12);
    EXPECT_FALSE(WalkStringTable(entry, summary, error));
}

TEST(Walkers, FoundByTypeWithoutRegardToCase) {
    ResId type;
    type.isOrdinal = false;
    type.text = "vtag";
    EXPECT_EQ(FindWalker(type), WalkPropertyList);
    type.text = "AdPr";
    EXPECT_EQ(FindWalker(type), WalkPropertyList);
    type.text = "AETE";  // the second spelling of the type: the same stored type
    EXPECT_EQ(FindWalker(type), WalkTerminology);
    type.text = "Pate";  // a converted type whose printer checks the bytes itself
    EXPECT_EQ(FindWalker(type), nullptr);
    type.text = "VTAGX";
    EXPECT_EQ(FindWalker(type), nullptr);
    type.isOrdinal = true;  // string tables: the ordinal type 6
    type.ordinal = 6;
    EXPECT_EQ(FindWalker(type), WalkStringTable);
    type.ordinal = 5;
    EXPECT_EQ(FindWalker(type), nullptr);

    // A failing walk names the resource; an unknown type is listed as not walked.
    std::string line, error;
    EXPECT_FALSE(WalkEntry(Entry("VTAG", Changed(6, 3)), line, error));
    EXPECT_EQ(error.rfind("VTAG #16000: ", 0), 0u) << error;
    ASSERT_TRUE(WalkEntry(Entry("ZZZZ", GoodList(), 3), line, error));
    EXPECT_EQ(line, "ZZZZ #3 54 bytes: not walked");
    ASSERT_TRUE(WalkEntry(Entry("VTAG", GoodList()), line, error));
    EXPECT_EQ(line, "VTAG #16000 54 bytes: 2 properties: kind(4) name(8)");
}
