// Decoder value checks of the component, size-pair and presence-flag keys on hand-made bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dump/decode.h"

namespace {

typedef std::vector<uint8_t> Bytes;

bool Check(ValueCheck check, const Bytes& value) {
    std::string error;
    return check(value.data(), value.size(), error);
}

TEST(ScalarStringChecks, PresenceFlagIsTheLongOne) {
    EXPECT_TRUE(Check(CheckPresenceFlag, {1, 0, 0, 0}));
    EXPECT_FALSE(Check(CheckPresenceFlag, {0, 0, 0, 0}));
    EXPECT_FALSE(Check(CheckPresenceFlag, {0, 0, 0, 1}));  // 1 in the wrong byte order
    EXPECT_FALSE(Check(CheckPresenceFlag, {1, 0}));
    EXPECT_FALSE(Check(CheckPresenceFlag, {1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ScalarStringChecks, SizePairIsTwoLongs) {
    EXPECT_TRUE(Check(CheckLongPair, Bytes(8, 0)));
    EXPECT_FALSE(Check(CheckLongPair, Bytes(4, 0)));
    EXPECT_FALSE(Check(CheckLongPair, Bytes(12, 0)));
}

TEST(ScalarStringChecks, ComponentIsVersionThenFilledCString) {
    // Version 1, then "abc" with four fill zeros and the terminator: 4 + 8 bytes.
    EXPECT_TRUE(Check(CheckComponent, {1, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0, 0}));
    // An empty identifier is four zero bytes.
    EXPECT_TRUE(Check(CheckComponent, {1, 0, 0, 0, 0, 0, 0, 0}));
    // "abc" with only its terminator: the fill is missing.
    EXPECT_FALSE(Check(CheckComponent, {1, 0, 0, 0, 'a', 'b', 'c', 0}));
    // "ab" with three zeros after it would be fine alone, but the version is missing.
    EXPECT_FALSE(Check(CheckComponent, {'a', 'b', 0, 0}));
}

}  // namespace
