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
    Bytes name = {4, 'a', 'b', 'c', 'd', 0, 0, 0};
    PutRecord(b, "LMTR", "name", name);
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

bool Walk(const Bytes& data, std::string& summary, std::string& error) {
    return WalkPropertyList(Entry("VTAG", data), summary, error);
}

}  // namespace

TEST(ResFile, ReadsEntriesAfterTheLeadingOne) {
    Bytes file = Leading();
    PutEntry(file, "VTAG", 16000, GoodList());
    Bytes odd = {1, 2, 3, 4, 5};
    PutEntry(file, "PATE", 7, odd);
    std::vector<ResEntry> entries;
    std::string error;
    ASSERT_TRUE(ParseResFile(file, entries, error)) << error;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].type.Display(), "VTAG");
    EXPECT_EQ(entries[0].name.Display(), "#16000");
    EXPECT_EQ(entries[0].languageId, 0x0409);
    EXPECT_EQ(entries[0].data, GoodList());
    EXPECT_EQ(entries[1].data, odd);
}

TEST(ResFile, OnlyTheLeadingEntryIsAnEmptyFile) {
    std::vector<ResEntry> entries;
    std::string error;
    ASSERT_TRUE(ParseResFile(Leading(), entries, error)) << error;
    EXPECT_TRUE(entries.empty());
}

TEST(ResFile, RejectsBrokenFraming) {
    std::vector<ResEntry> entries;
    std::string error;
    Bytes bad = Leading();
    bad[4] = 0x1C;  // leading HeaderSize 28
    EXPECT_FALSE(ParseResFile(bad, entries, error));
    EXPECT_FALSE(ParseResFile(Bytes(16, 0), entries, error));

    Bytes good = Leading();
    PutEntry(good, "VTAG", 1, GoodList());  // 54 data bytes, two of padding
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

TEST(PropertyList, AcceptsAListThatFillsTheData) {
    std::string summary, error;
    ASSERT_TRUE(Walk(GoodList(), summary, error)) << error;
    EXPECT_EQ(summary, "2 properties: kind(4) name(8)");
    ASSERT_TRUE(Walk(ListHeader(0), summary, error)) << error;
    EXPECT_EQ(summary, "0 properties");
}

TEST(PropertyList, RejectsACountThatDisagreesWithTheRecords) {
    std::string summary, error;
    Bytes more = GoodList();
    more[6] = 3;
    EXPECT_FALSE(Walk(more, summary, error));
    EXPECT_NE(error.find("record 3 of 3"), std::string::npos) << error;
    Bytes fewer = GoodList();
    fewer[6] = 1;
    EXPECT_FALSE(Walk(fewer, summary, error));
    EXPECT_NE(error.find("24 bytes after the last of 1 records"), std::string::npos) << error;
}

TEST(PropertyList, RejectsALengthThatDisagreesWithTheBytes) {
    std::string summary, error;
    // kind's length field sits at 10 + 12: 4 -> 8 swallows the name record's first bytes,
    // whose remainder cannot be a record.
    Bytes longer = GoodList();
    longer[22] = 8;
    EXPECT_FALSE(Walk(longer, summary, error));
    // The name's length field (at 10 + 20 + 12) past the end of the data.
    Bytes past = GoodList();
    past[42] = 9;
    EXPECT_FALSE(Walk(past, summary, error));
    EXPECT_NE(error.find("length 9 but only 8 bytes remain"), std::string::npos) << error;
    // Data longer than the records: a stray byte after the last one.
    Bytes extra = GoodList();
    extra.push_back(0);
    EXPECT_FALSE(Walk(extra, summary, error));
}

TEST(PropertyList, RejectsABadHeaderOrRecordFrame) {
    std::string summary, error;
    Bytes first = GoodList();
    first[0] = 2;
    EXPECT_FALSE(Walk(first, summary, error));
    Bytes version = GoodList();
    version[2] = 1;
    EXPECT_FALSE(Walk(version, summary, error));
    Bytes index = GoodList();
    index[18] = 1;  // kind's index
    EXPECT_FALSE(Walk(index, summary, error));
    Bytes vendor = GoodList();
    vendor[10] = 'X';  // 'LMTX'
    EXPECT_FALSE(Walk(vendor, summary, error));
    EXPECT_FALSE(Walk(Bytes{1, 0, 0}, summary, error));
}

TEST(PropertyList, ChecksTheValueByItsKey) {
    std::string summary, error;
    Bytes list = ListHeader(1);
    // name with length byte 5 in 8 bytes: five text bytes, two zeros; 5 + 1 = 6 -> 8. Good.
    PutRecord(list, "LMTR", "name", Bytes{5, 'a', 'b', 'c', 'd', 'e', 0, 0});
    EXPECT_TRUE(Walk(list, summary, error)) << error;
    Bytes wrong = ListHeader(1);
    // Length byte 5 needs 8 bytes; 12 were written.
    PutRecord(wrong, "LMTR", "catg", Bytes{5, 'a', 'b', 'c', 'd', 'e', 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(Walk(wrong, summary, error));
    EXPECT_NE(error.find("'catg'"), std::string::npos) << error;
    // A key without a row is not looked into.
    Bytes other = ListHeader(1);
    PutRecord(other, "ORVN", "xyzw", Bytes{9, 9, 9});
    EXPECT_TRUE(Walk(other, summary, error)) << error;
}

TEST(ValueForms, LengthPrefixedString) {
    std::string error;
    const Bytes empty = {0, 0, 0, 0};  // n = 0: three fill zeros, length 4
    EXPECT_TRUE(CheckLengthPrefixedString(empty.data(), empty.size(), error)) << error;
    const Bytes three = {3, 'a', 'b', 'c', 0, 0, 0, 0};  // n + 1 = 4 -> 8, not 4
    EXPECT_TRUE(CheckLengthPrefixedString(three.data(), three.size(), error)) << error;
    EXPECT_FALSE(CheckLengthPrefixedString(three.data(), 4, error));
    const Bytes help = {8, '*', '*', 'H', 'e', 'l', 'p', '*', '*', 0, 0, 0};  // 12
    EXPECT_TRUE(CheckLengthPrefixedString(help.data(), help.size(), error)) << error;
    Bytes dirty = three;
    dirty[6] = 'x';
    EXPECT_FALSE(CheckLengthPrefixedString(dirty.data(), dirty.size(), error));
    EXPECT_FALSE(CheckLengthPrefixedString(nullptr, 0, error));
}

TEST(ValueForms, CString) {
    std::string error;
    Bytes ten;
    PutText(ten, "plugin.dll");
    ten.insert(ten.end(), 2, 0);  // 10 + 2 = 12
    EXPECT_TRUE(CheckCString(ten.data(), ten.size(), error)) << error;
    Bytes six = ten;
    six.insert(six.end(), 4, 0);  // 16 bytes: four zeros too many
    EXPECT_FALSE(CheckCString(six.data(), six.size(), error));
    const Bytes empty = {0, 0, 0, 0};  // three fill zeros and the terminator
    EXPECT_TRUE(CheckCString(empty.data(), empty.size(), error)) << error;
    const Bytes three = {'a', 'b', 'c', 0};  // n = 3 needs 8 bytes
    EXPECT_FALSE(CheckCString(three.data(), three.size(), error));
    const Bytes threeFilled = {'a', 'b', 'c', 0, 0, 0, 0, 0};
    EXPECT_TRUE(CheckCString(threeFilled.data(), threeFilled.size(), error)) << error;
    const Bytes unterminated = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(CheckCString(unterminated.data(), unterminated.size(), error));
}

TEST(StringTable, ReadsSixteenCountedStrings) {
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
    ASSERT_NE(FindWalker(type), nullptr);
    EXPECT_EQ(FindWalker(type)->walker, WalkPropertyList);
    type.text = "AdPr";
    ASSERT_NE(FindWalker(type), nullptr);
    EXPECT_EQ(FindWalker(type)->walker, WalkPropertyList);
    type.text = "VTAGX";
    EXPECT_EQ(FindWalker(type), nullptr);
    ResId ordinal;
    ordinal.ordinal = 6;
    ASSERT_NE(FindWalker(ordinal), nullptr);
    EXPECT_EQ(FindWalker(ordinal)->walker, WalkStringTable);

    // A failing walk names the resource; an unknown type is listed as not walked.
    std::string line, error;
    Bytes bad = GoodList();
    bad[6] = 3;
    EXPECT_FALSE(WalkEntry(Entry("VTAG", bad), line, error));
    EXPECT_EQ(error.rfind("VTAG #16000: ", 0), 0u) << error;
    ASSERT_TRUE(WalkEntry(Entry("ZZZZ", bad, 3), line, error));
    EXPECT_EQ(line, "ZZZZ #3 54 bytes: not walked");
    ASSERT_TRUE(WalkEntry(Entry("VTAG", GoodList()), line, error));
    EXPECT_EQ(line, "VTAG #16000 54 bytes: 2 properties: kind(4) name(8)");
}
