// Words looked up in the converters' name lists: letter case ignored for ASCII letters only,
// whole names only, and empty entries that no word matches.
#include <gtest/gtest.h>


#include "parse/steps.h"

namespace {

// Letter case is ignored; the whole name must match; characters that differ only in the bit
// that tells letter cases apart are different unless both are letters ('@' and '`', '[' and
// '{', '^' and '~'), also in first place.
TEST(NameLists, WordMatchesNameWholeInAnyLetterCase) {
    const struct {
        const char* word;
        const char* name;
        bool matches;
    } rows[] = {
        {"filtersLayerMasks", "filtersLayerMasks", true},
        {"FiltersLayerMasks", "filtersLayerMasks", true},   // first letter
        {"FILTERSLAYERMASKS", "filtersLayerMasks", true},
        {"none", "NONE", true},
        {"x", "X", true},
        {"doesNotFilterLayerMasks", "filtersLayerMasks", false},
        {"filtersLayer", "filtersLayerMasks", false},   // a prefix
        {"filtersLayerMasksToo", "filtersLayerMasks", false},
        {"camera", "scanner", false},
        {"a", "", false},
        {"@name", "`name", false},
        {"[x", "{x", false},
        {"a^", "a~", false},
        {"ab_", "ab\x7F", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WordMatchesName(row.word, row.name), row.matches) << row.word << " " << row.name;
}

const char* const kTypeNames[] = {"ANIM_DT_OPAQUE", "ANIM_DT_CHAR", "", "ANIM_DT_LONG",
                                  "ANIM_DT_FIXED", "ANIM_DT_COLOR_RGB"};
const NameList kTypes = {kTypeNames, 6};
const NameList kFirstFive = {kTypeNames, 5};

TEST(NameLists, FindNameNoCaseGivesThePositionOrMisses) {
    EXPECT_EQ(FindNameNoCase("ANIM_DT_OPAQUE", kTypes), 0);
    // "ANIM_DT_CHAR" and "ANIM_DT_LONG" have the same length: the letters decide.
    EXPECT_EQ(FindNameNoCase("ANIM_DT_LONG", kTypes), 3);
    EXPECT_EQ(FindNameNoCase("anim_dt_char", kTypes), 1);
    EXPECT_EQ(FindNameNoCase("Anim_Dt_Fixed", kTypes), 4);
    EXPECT_EQ(FindNameNoCase("ANIM_DT_COLOR_RGB", kTypes), 5);
    EXPECT_EQ(FindNameNoCase("ANIM_DT_LON", kTypes), -1);                // shorter
    EXPECT_EQ(FindNameNoCase("ANIM_DT_LONGS", kTypes), -1);              // longer
    EXPECT_EQ(FindNameNoCase("ANIM_DT_LENG", kTypes), -1);               // same length
    EXPECT_EQ(FindNameNoCase("ANIM_DT_COLOR_RGB", kFirstFive), -1);  // past the count
    EXPECT_EQ(FindNameNoCase("ANIM@DT@CHAR", kTypes), -1);
}

}  // namespace
