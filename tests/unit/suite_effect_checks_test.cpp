// Decoder value checks of the suite-style and effect-host keys on hand-made value bytes:
// well-formed values pass, a count or length that disagrees with the bytes is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dump/decode.h"
#include "tests/unit/bytes.h"

namespace {

// Text and its zero fill: the smallest multiple of four above the text's length.
void PutFilled(Bytes& b, const std::string& text) {
    b.insert(b.end(), text.begin(), text.end());
    const size_t size = (text.size() + 1) / 4 * 4 + 4;
    b.resize(b.size() + size - text.size(), 0);
}
// A 32-byte name field.
void PutName(Bytes& b, const std::string& text) {
    b.insert(b.end(), text.begin(), text.end());
    b.resize(b.size() + 32 - text.size(), 0);
}

bool Passes(ValueCheck check, const Bytes& value) {
    std::string error;
    return check(value.data(), value.size(), error);
}

Bytes ImportList() {
    Bytes b;
    Put32(b, 2);
    Put32(b, 12);
    PutFilled(b, "a");
    Put32(b, 1);
    Put32(b, 16);
    PutFilled(b, "bcd");
    Put32(b, 2);
    return b;
}

TEST(SuiteEffectChecks, ImportListCountAndEntryLengthsMustMatchTheBytes) {
    EXPECT_TRUE(Passes(CheckSuiteList, ImportList()));
    Bytes wrongCount = ImportList();
    wrongCount[0] = 3;
    EXPECT_FALSE(Passes(CheckSuiteList, wrongCount));
    Bytes wrongEntry = ImportList();
    wrongEntry[4] = 16;  // the first entry says 16 bytes, its name takes 4
    EXPECT_FALSE(Passes(CheckSuiteList, wrongEntry));
    Bytes cut = ImportList();
    cut.resize(cut.size() - 4);  // the value ends before the last version
    EXPECT_FALSE(Passes(CheckSuiteList, cut));
}

TEST(SuiteEffectChecks, KeywordListStringsMustFillTheValue) {
    Bytes b;
    Put32(b, 2);
    PutFilled(b, "go");
    PutFilled(b, "three");
    EXPECT_TRUE(Passes(CheckKeywordList, b));
    Bytes shortFill = b;
    shortFill.resize(shortFill.size() - 4);  // "three" with one zero byte only
    EXPECT_FALSE(Passes(CheckKeywordList, shortFill));
    Bytes wrongCount = b;
    wrongCount[0] = 1;
    EXPECT_FALSE(Passes(CheckKeywordList, wrongCount));
}

TEST(SuiteEffectChecks, TerminologyStringMustLeaveExactlyThePaddingWord) {
    Bytes b;
    Put32(b, 0);
    Put32(b, 0x61626364);
    Put32(b, 0x65666768);
    Put16(b, 16000);
    PutFilled(b, "x");
    Put16(b, 0);
    EXPECT_TRUE(Passes(CheckTerminology, b));
    Bytes extra = b;
    Put16(extra, 0);  // two bytes more than the string and padding take
    EXPECT_FALSE(Passes(CheckTerminology, extra));
}

TEST(SuiteEffectChecks, FixedSizeRecordsRefuseOtherLengths) {
    Bytes filterInfo;
    Put32(filterInfo, 1);
    Put32(filterInfo, 0);
    Put32(filterInfo, 3);
    Put32(filterInfo, 0x1000);
    Put32(filterInfo, 2);
    PutName(filterInfo, "Match");
    for (int i = 0; i < 4; ++i) Put32(filterInfo, 0);
    EXPECT_TRUE(Passes(CheckAnimFilterInfo, filterInfo));
    Bytes longer = filterInfo;
    Put32(longer, 0);
    EXPECT_FALSE(Passes(CheckAnimFilterInfo, longer));
    Bytes unended = filterInfo;
    for (size_t i = 20; i < 52; ++i) unended[i] = 'A';  // 32 characters, no zero
    EXPECT_FALSE(Passes(CheckAnimFilterInfo, unended));

    Bytes extension;
    Put16(extension, 2);
    Put16(extension, 1);
    Put32(extension, 0x400);
    Put32(extension, 0);
    Put32(extension, 0x45585420);
    EXPECT_TRUE(Passes(CheckFormatExtension, extension));
    Put32(extension, 0);  // versions written as longs would make 20 bytes
    EXPECT_FALSE(Passes(CheckFormatExtension, extension));
}

TEST(SuiteEffectChecks, EffectInfoTransitionBytesAreSingleBits) {
    Bytes b;
    Put32(b, 0);
    for (uint8_t v : {255, 3, 0x20, 1, 0, 0, 0, 1}) b.push_back(v);
    Put32(b, 0);
    EXPECT_TRUE(Passes(CheckRlEffectInfo, b));
    b[7] = 2;
    EXPECT_FALSE(Passes(CheckRlEffectInfo, b));
}

}  // namespace
