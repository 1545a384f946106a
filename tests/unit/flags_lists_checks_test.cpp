// Decoder value checks of the flag-set, filter case, type list and format limit keys on
// hand-made value bytes, and the walker on a list whose records have odd lengths.
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

TEST(FlagsListsChecks, FlagBytesHoldOnlyTheirSetsBits) {
    EXPECT_TRUE(Check(CheckHighFlag, {0x80, 0, 0, 0}));
    EXPECT_FALSE(Check(CheckHighFlag, {0x01, 0, 0, 0}));   // an unshifted bit
    EXPECT_FALSE(Check(CheckHighFlag, {0, 0, 0, 0x80}));   // the flag in the wrong byte
    EXPECT_TRUE(Check(CheckFormatFlags, {0x7E, 0, 0, 0}));
    EXPECT_FALSE(Check(CheckFormatFlags, {0xFC, 0, 0, 0}));  // shifted one place too far
    EXPECT_FALSE(Check(CheckFormatFlags, {0x3F, 0, 0, 0}));  // not shifted at all
    EXPECT_TRUE(Check(CheckHiddenFlags, {0xC0, 0, 0, 0}));
    EXPECT_FALSE(Check(CheckHiddenFlags, {0x20, 0, 0, 0}));
    EXPECT_TRUE(Check(CheckICCFlags, {0xF0, 0, 0, 0}));
    EXPECT_FALSE(Check(CheckICCFlags, {0x0F, 0, 0, 0}));
    EXPECT_FALSE(Check(CheckICCFlags, {0x80, 0, 0}));
}

TEST(FlagsListsChecks, SupportedModesKeepTheMiddleBitsClear) {
    EXPECT_TRUE(Check(CheckSupportedModes, {0xFF, 0xC0, 0, 0}));
    EXPECT_FALSE(Check(CheckSupportedModes, {0xFF, 0x03, 0, 0}));  // duotone and Lab unshifted
    EXPECT_FALSE(Check(CheckSupportedModes, {0x80, 0, 1, 0}));     // reserved word not zero
    EXPECT_FALSE(Check(CheckSupportedModes, {0x80, 0}));
}

TEST(FlagsListsChecks, FilterCaseInfoIsSevenEntries) {
    Bytes good(28, 0);
    good[0] = 2;      // input case
    good[1] = 9;      // output case
    good[2] = 0x09;   // flags
    EXPECT_TRUE(Check(CheckFilterCaseInfo, good));
    Bytes flagsTooHigh = good;
    flagsTooHigh[26] = 0x10;
    EXPECT_FALSE(Check(CheckFilterCaseInfo, flagsTooHigh));
    Bytes reservedSet = good;
    reservedSet[7] = 1;
    EXPECT_FALSE(Check(CheckFilterCaseInfo, reservedSet));
    EXPECT_FALSE(Check(CheckFilterCaseInfo, Bytes(24, 0)));
}

TEST(FlagsListsChecks, ListLengths) {
    EXPECT_TRUE(Check(CheckTypeCreator, Bytes(8, 'a')));
    EXPECT_FALSE(Check(CheckTypeCreator, Bytes(16, 'a')));
    EXPECT_TRUE(Check(CheckTypeCreatorList, Bytes(16, 'a')));
    EXPECT_FALSE(Check(CheckTypeCreatorList, Bytes(12, 'a')));  // half a pair
    EXPECT_FALSE(Check(CheckTypeCreatorList, Bytes()));         // no pair at all
    EXPECT_TRUE(Check(CheckTypeList, Bytes(12, 'a')));
    EXPECT_FALSE(Check(CheckTypeList, Bytes()));
    EXPECT_TRUE(Check(CheckExtensionList, Bytes()));
    EXPECT_TRUE(Check(CheckExtensionList, Bytes(8, 'a')));
    EXPECT_FALSE(Check(CheckExtensionList, Bytes(6, 'a')));
    EXPECT_TRUE(Check(CheckMaxSize, Bytes(4, 0)));
    EXPECT_FALSE(Check(CheckMaxSize, Bytes(8, 0)));
    EXPECT_TRUE(Check(CheckMaxChannels, Bytes(10, 0)));  // five values, not padded
    EXPECT_FALSE(Check(CheckMaxChannels, Bytes(9, 0)));
    EXPECT_FALSE(Check(CheckMaxChannels, Bytes()));
}

void PutLong(Bytes& data, uint32_t value) {
    for (int i = 0; i < 4; ++i) data.push_back(uint8_t(value >> (8 * i)));
}

void PutCode(Bytes& data, const char* code) {  // natural order, stored little-endian
    PutLong(data, uint32_t(uint8_t(code[0])) << 24 | uint32_t(uint8_t(code[1])) << 16 |
                      uint32_t(uint8_t(code[2])) << 8 | uint8_t(code[3]));
}

// A list with a five-value channel record (10 bytes) followed directly by a size record.
ResEntry ChannelsThenSize(uint32_t channelLength) {
    ResEntry entry;
    Bytes& d = entry.data;
    d = {1, 0};
    PutLong(d, 0);
    PutLong(d, 2);
    PutCode(d, "LMTR");
    PutCode(d, "mxch");
    PutLong(d, 0);
    PutLong(d, channelLength);
    for (int i = 1; i <= 5; ++i) d.insert(d.end(), {uint8_t(i), 0});
    PutCode(d, "LMTR");
    PutCode(d, "mxsz");
    PutLong(d, 0);
    PutLong(d, 4);
    d.insert(d.end(), {100, 0, 200, 0});
    return entry;
}

TEST(FlagsListsChecks, WalkerFollowsOddLengths) {
    std::string summary, error;
    EXPECT_TRUE(WalkPropertyList(ChannelsThenSize(10), summary, error)) << error;
    // A length rounded up to four bytes puts the next record two bytes off.
    EXPECT_FALSE(WalkPropertyList(ChannelsThenSize(12), summary, error));
    EXPECT_FALSE(WalkPropertyList(ChannelsThenSize(8), summary, error));
}

}  // namespace
