// The decoder's add-in category and terminology walkers on hand-made resource data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dump/decode.h"
#include "tests/unit/bytes.h"

namespace {

void PutBytes(Bytes& b, std::initializer_list<uint8_t> bytes) {
    b.insert(b.end(), bytes);
}

bool Walk(ResourceWalker walker, const Bytes& data, std::string& error) {
    ResEntry entry;
    entry.data = data;
    std::string summary;
    return walker(entry, summary, error);
}

// One category "c" (4 name bytes) with one filter "f" holding two values: 4 + 4 + 10 bytes.
Bytes AddIns(uint16_t size, uint16_t values, uint8_t fill = 0) {
    Bytes b;
    Put16(b, 1);
    Put16(b, 1);
    Put16(b, size);
    Put16(b, 1);
    PutBytes(b, {1, 'c', 0, fill});
    PutBytes(b, {1, 'f', 0, 0});
    Put16(b, values);
    Put16(b, 7);
    Put16(b, 0x8000);
    return b;
}

TEST(WalkAddIns, SizesAndCountsMatchingTheBytesPass) {
    std::string error;
    EXPECT_TRUE(Walk(WalkAddIns, AddIns(18, 2), error)) << error;
}

TEST(WalkAddIns, DisagreementsFail) {
    std::string error;
    EXPECT_FALSE(Walk(WalkAddIns, AddIns(20, 2), error));
    EXPECT_NE(error.find("size field 20"), std::string::npos) << error;
    EXPECT_FALSE(Walk(WalkAddIns, AddIns(18, 1), error));  // one value left over
    EXPECT_FALSE(Walk(WalkAddIns, AddIns(18, 3), error));  // a value more than present
    EXPECT_FALSE(Walk(WalkAddIns, AddIns(18, 2, 'x'), error));
    EXPECT_NE(error.find("not zero"), std::string::npos) << error;
    Bytes trailing = AddIns(18, 2);
    trailing.push_back(0);
    trailing.push_back(0);
    EXPECT_FALSE(Walk(WalkAddIns, trailing, error));
}

// One suite with no events or classes and one enumeration of one enumerator "y".
Bytes Terminology(uint16_t comparisons, uint16_t enumerators) {
    Bytes b;
    Put16(b, 1);
    Put16(b, 0x0201);
    Put16(b, 0);
    Put16(b, 0);
    Put16(b, 1);        // suites
    PutBytes(b, {0});   // name
    PutBytes(b, {0});   // description
    PutCode(b, "sute");
    Put16(b, 1);
    Put16(b, 1);
    Put16(b, 0);        // events
    Put16(b, 0);        // classes
    Put16(b, comparisons);
    Put16(b, 1);        // enumerations
    PutCode(b, "enum");
    Put16(b, enumerators);
    PutBytes(b, {1, 'y'});
    PutCode(b, "yes ");
    PutBytes(b, {0});
    return b;
}

TEST(WalkTerminology, LayoutFillingTheDataPasses) {
    std::string error;
    EXPECT_TRUE(Walk(WalkTerminology, Terminology(0, 1), error)) << error;
}

TEST(WalkTerminology, DisagreementsFail) {
    std::string error;
    EXPECT_FALSE(Walk(WalkTerminology, Terminology(1, 1), error));
    EXPECT_NE(error.find("comparison"), std::string::npos) << error;
    EXPECT_FALSE(Walk(WalkTerminology, Terminology(0, 2), error));
    EXPECT_FALSE(Walk(WalkTerminology, Terminology(0, 0), error));  // enumerator bytes left over
    Bytes first = Terminology(0, 1);
    first[0] = 2;
    EXPECT_FALSE(Walk(WalkTerminology, first, error));
}

}  // namespace
