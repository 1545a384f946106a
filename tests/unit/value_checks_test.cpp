// Decoder value checks on hand-made value bytes: the well-formed value passes, a count, length,
// flag or fill that disagrees with the bytes is refused; and the add-in and terminology walkers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dump/decode.h"
#include "formats/codes.h"
#include "tests/unit/bytes.h"

namespace {

bool Passes(ValueCheck check, const Bytes& value) {
    std::string error;
    return check(value.data(), value.size(), error);
}

// Text and its zero fill: the smallest multiple of four above the text's length.
void PutFilled(Bytes& b, const std::string& text) {
    PutText(b, text);
    b.resize(b.size() + (text.size() + 1) / 4 * 4 + 4 - text.size(), 0);
}

// Bytes with one changed, cut to size, or grown by the bytes given.
Bytes With(Bytes b, size_t at, uint8_t value) {
    b[at] = value;
    return b;
}
Bytes Cut(Bytes b, size_t size) {
    b.resize(size);
    return b;
}
Bytes Plus(Bytes b, std::initializer_list<uint8_t> more) {
    b.insert(b.end(), more);
    return b;
}

struct Row {
    ValueCheck check;
    Bytes value;
    bool good;
};

void CheckRows(const std::vector<Row>& rows) {
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(Passes(rows[i].check, rows[i].value), rows[i].good) << "row " << i;
}

TEST(ValueChecks, FlagsScalarsAndLengths) {
    CheckRows({
        {CheckSupportedModes, {0xFF, 0xC0, 0, 0}, true},
        {CheckSupportedModes, {0xFF, 0x03, 0, 0}, false},  // duotone and Lab unshifted
        {CheckSupportedModes, {0x80, 0, 1, 0}, false},     // reserved word not zero
        {CheckSupportedModes, {0x80, 0}, false},
        {CheckPresenceFlag, {1, 0, 0, 0}, true},
        {CheckPresenceFlag, {0, 0, 0, 0}, false},
        {CheckPresenceFlag, {0, 0, 0, 1}, false},  // 1 in the wrong byte order
        {CheckPresenceFlag, {1, 0}, false},
        {CheckPresenceFlag, {1, 0, 0, 0, 0, 0, 0, 0}, false},
        {CheckLongPair, Bytes(8, 0), true},
        {CheckLongPair, Bytes(4, 0), false},
        {CheckLongPair, Bytes(12, 0), false},
        // Version 1, then "abc" with four fill zeros and the terminator: 4 + 8 bytes.
        {CheckComponent, {1, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0, 0}, true},
        {CheckComponent, {1, 0, 0, 0, 0, 0, 0, 0}, true},  // an empty identifier
        {CheckComponent, {1, 0, 0, 0, 'a', 'b', 'c', 0}, false},  // the fill is missing
        {CheckComponent, {'a', 'b', 0, 0}, false},  // fine alone, but the version is missing
        {CheckTypeCreator, Bytes(8, 'a'), true},
        {CheckTypeCreator, Bytes(16, 'a'), false},
        {CheckTypeCreatorList, Bytes(16, 'a'), true},
        {CheckTypeCreatorList, Bytes(12, 'a'), false},  // half a pair
        {CheckTypeCreatorList, Bytes(), false},         // no pair at all
        {CheckTypeList, Bytes(12, 'a'), true},
        {CheckTypeList, Bytes(), false},
        {CheckExtensionList, Bytes(), true},
        {CheckExtensionList, Bytes(8, 'a'), true},
        {CheckExtensionList, Bytes(6, 'a'), false},
        {CheckMaxSize, Bytes(4, 0), true},
        {CheckMaxSize, Bytes(8, 0), false},
        {CheckMaxChannels, Bytes(10, 0), true},  // five values, not padded
        {CheckMaxChannels, Bytes(9, 0), false},
        {CheckMaxChannels, Bytes(), false},
    });
    // Input case 2, output case 9, flags 9, in the first of seven entries.
    const Bytes filterCase = With(With(With(Bytes(28, 0), 0, 2), 1, 9), 2, 0x09);
    CheckRows({
        {CheckFilterCaseInfo, filterCase, true},
        {CheckFilterCaseInfo, With(filterCase, 26, 0x10), false},  // flags too high
        {CheckFilterCaseInfo, With(filterCase, 7, 1), false},      // reserved byte set
        {CheckFilterCaseInfo, Bytes(24, 0), false},
    });
}

// The flag-set check of the property with key, with that property's names and shift.
std::string FlagSetError(const char (&key)[5], const Bytes& value) {
    const PropertyFormat* row = FindPropertyFormat(FourCC(key));
    if (!row || row->shape != ValueShape::kFlagSet) return "no flag set";
    std::string error;
    return CheckFlagSet(row->detail, value.data(), value.size(), error) ? "" : error;
}

TEST(ValueChecks, FlagSetsAllowTheBitsOfTheirOwnItems) {
    const struct {
        char key[5];
        Bytes value;
        bool good;
    } rows[] = {
        {"flly", {0x80, 0, 0, 0}, true},  // one item in the top bit
        {"flly", {0x01, 0, 0, 0}, false},  // an unshifted bit
        {"flly", {0, 0, 0, 0x80}, false},  // the flag in the wrong byte
        {"expf", {0x80, 0, 0, 0}, true},
        {"fmsl", {0x40, 0, 0, 0}, false},
        {"fmtf", {0x7E, 0, 0, 0}, true},   // six items above the lowest bit
        {"fmtf", {0xFC, 0, 0, 0}, false},  // shifted one place too far
        {"fmtf", {0x3F, 0, 0, 0}, false},  // not shifted at all
        {"fmhi", {0xC0, 0, 0, 0}, true},   // two items in the top bits
        {"fmhi", {0x20, 0, 0, 0}, false},
        {"fmip", {0xF0, 0, 0, 0}, true},   // four items in the high nibble
        {"fmip", {0x0F, 0, 0, 0}, false},
        {"fmir", {0xF0, 0, 0, 0}, true},
        {"fmir", {0x80, 0, 0}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FlagSetError(row.key, row.value).empty(), row.good) << row.key;
    EXPECT_EQ(FlagSetError("fmtf", {0x81, 0, 0, 0}), "flag byte 0x81 has bits outside 0x7E");
}

// Every property a list can hold has a check and a printer for its value's shape; only the
// parameter atom carries its own index.
TEST(ValueChecks, EveryPropertyShapeIsCheckedAndPrinted) {
    for (int i = 0; i < kPropertyFormatCount; ++i) {
        const PropertyFormat& row = kPropertyFormats[i];
        if (row.shape == ValueShape::kRetired) continue;
        const ShapeFormat& shape = FormatOfShape(row.shape);
        EXPECT_NE(shape.check, nullptr) << row.keyword;
        EXPECT_NE(shape.print, nullptr) << row.keyword;
        EXPECT_EQ(shape.indexed, row.key == FourCC("aPAR")) << row.keyword;
    }
}

TEST(ValueChecks, SuiteAndEffectHostValues) {
    Bytes imports;  // two entries: "a" version 1, "bcd" version 2
    Put32s(imports, {2, 12});
    PutFilled(imports, "a");
    Put32s(imports, {1, 16});
    PutFilled(imports, "bcd");
    Put32(imports, 2);
    Bytes keywords;
    Put32(keywords, 2);
    PutFilled(keywords, "go");
    PutFilled(keywords, "three");
    Bytes terminology;
    Put32s(terminology, {0, 0x61626364, 0x65666768});
    Put16(terminology, 16000);
    PutFilled(terminology, "x");
    Put16(terminology, 0);
    Bytes filterInfo;
    Put32s(filterInfo, {1, 0, 3, 0x1000, 2});
    PutText(filterInfo, "Match");
    filterInfo.resize(20 + 32 + 16, 0);  // a 32-byte name field, four longs
    Bytes unended = filterInfo;
    for (size_t i = 20; i < 52; ++i) unended[i] = 'A';  // 32 characters, no zero
    Bytes extension;
    Put16s(extension, {2, 1});
    Put32s(extension, {0x400, 0, 0x45585420});
    Bytes effectInfo;
    Put32(effectInfo, 0);
    PutText(effectInfo, std::string("\xFF\x03\x20\x01\0\0\0\x01", 8));
    Put32(effectInfo, 0);
    CheckRows({
        {CheckSuiteList, imports, true},
        {CheckSuiteList, With(imports, 0, 3), false},
        {CheckSuiteList, With(imports, 4, 16), false},  // the first entry's name takes 4 bytes
        {CheckSuiteList, Cut(imports, imports.size() - 4), false},  // no last version
        {CheckKeywordList, keywords, true},
        {CheckKeywordList, Cut(keywords, keywords.size() - 4), false},  // one zero after "three"
        {CheckKeywordList, With(keywords, 0, 1), false},
        {CheckTerminology, terminology, true},
        {CheckTerminology, Plus(terminology, {0, 0}), false},  // more than string and padding
        {CheckAnimFilterInfo, filterInfo, true},
        {CheckAnimFilterInfo, Plus(filterInfo, {0, 0, 0, 0}), false},
        {CheckAnimFilterInfo, unended, false},
        {CheckFormatExtension, extension, true},
        {CheckFormatExtension, Plus(extension, {0, 0, 0, 0}), false},  // versions as longs
        {CheckRlEffectInfo, effectInfo, true},
        {CheckRlEffectInfo, With(effectInfo, 7, 2), false},  // a transition byte of two bits
    });
}

// The walk's error, or "" when it passes.
std::string Walk(ResourceWalker walker, const Bytes& data) {
    ResEntry entry;
    entry.data = data;
    std::string summary, error;
    return walker(entry, summary, error) ? "" : error;
}

// A list with a five-value channel record (10 bytes) followed directly by a size record.
Bytes ChannelsThenSize(uint32_t channelLength) {
    Bytes d = ListHeader(2);
    PutRecord(d, "LMTR", "mxch", {1, 0, 2, 0, 3, 0, 4, 0, 5, 0});
    const size_t length = d.size() - 10 - 4;
    PutRecord(d, "LMTR", "mxsz", {100, 0, 200, 0});
    d[length] = uint8_t(channelLength);
    return d;
}

TEST(ValueChecks, WalkerFollowsOddLengths) {
    EXPECT_EQ(Walk(WalkPropertyList, ChannelsThenSize(10)), "");
    // A length rounded up to four bytes puts the next record two bytes off.
    EXPECT_NE(Walk(WalkPropertyList, ChannelsThenSize(12)), "");
    EXPECT_NE(Walk(WalkPropertyList, ChannelsThenSize(8)), "");
}

// One category "c" (4 name bytes) with one filter "f" holding two values: 4 + 4 + 10 bytes.
Bytes AddIns(uint16_t size, uint16_t values, uint8_t fill = 0) {
    Bytes b;
    Put16s(b, {1, 1, size, 1});
    PutText(b, std::string("\1c\0", 3) + char(fill) + std::string("\1f\0\0", 4));
    Put16s(b, {values, 7, 0x8000});
    return b;
}

// One suite with no events or classes and one enumeration of one enumerator "y".
Bytes Terminology(uint16_t comparisons, uint16_t enumerators) {
    Bytes b;
    Put16s(b, {1, 0x0201, 0, 0, 1});  // version, language, script, one suite
    Put16(b, 0);                      // empty name and description
    PutCode(b, "sute");
    Put16s(b, {1, 1, 0, 0, comparisons, 1});  // level, version, events, classes, comparisons
    PutCode(b, "enum");
    Put16(b, enumerators);
    PutText(b, "\1y");
    PutCode(b, "yes ");
    b.push_back(0);
    return b;
}

TEST(ValueChecks, AddInAndTerminologyLayoutsMustFillTheData) {
    EXPECT_EQ(Walk(WalkAddIns, AddIns(18, 2)), "");
    EXPECT_NE(Walk(WalkAddIns, AddIns(20, 2)).find("size field 20"), std::string::npos);
    EXPECT_NE(Walk(WalkAddIns, AddIns(18, 1)), "");  // one value left over
    EXPECT_NE(Walk(WalkAddIns, AddIns(18, 3)), "");  // a value more than present
    EXPECT_NE(Walk(WalkAddIns, AddIns(18, 2, 'x')).find("not zero"), std::string::npos);
    EXPECT_NE(Walk(WalkAddIns, Plus(AddIns(18, 2), {0, 0})), "");

    EXPECT_EQ(Walk(WalkTerminology, Terminology(0, 1)), "");
    EXPECT_NE(Walk(WalkTerminology, Terminology(1, 1)).find("comparison"), std::string::npos);
    EXPECT_NE(Walk(WalkTerminology, Terminology(0, 2)), "");
    EXPECT_NE(Walk(WalkTerminology, Terminology(0, 0)), "");  // enumerator bytes left over
    EXPECT_NE(Walk(WalkTerminology, With(Terminology(0, 1), 0, 2)), "");
}

}  // namespace
