// Spelling hints: which accepted name a misspelt word gets, and when it gets none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/kinds.h"
#include "formats/properties.h"
#include "lexer/suggest.h"

namespace {

struct Row {
    const char* word;
    std::vector<const char*> names;
    const char* expected;  // null: no suggestion
};

const Row kRows[] = {
    // One edit of each sort.
    {"Nane", {"Kind", "Name"}, "Name"},               // substitution
    {"Filtr", {"Parser", "Filter"}, "Filter"},        // insertion
    {"Kindd", {"Kind"}, "Kind"},                      // deletion
    {"Nmae", {"Kind", "Name"}, "Name"},               // a swap is one edit, not two
    // Letter case costs nothing, and a case-only difference hits even for a short word.
    {"name", {"Kind", "Name"}, "Name"},
    {"nmae", {"Name"}, "Name"},
    {"id", {"ID"}, "ID"},
    // Two edits: enough from six characters on, not below.
    {"Prorty", {"Priority"}, "Priority"},
    {"Versn", {"Version"}, nullptr},
    // Three edits: never.
    {"Descrptn", {"Description"}, nullptr},
    // Short words: none of 1 or 2 characters, one edit from 3 characters on.
    {"Kd", {"Kind"}, nullptr},
    {"K", {"Kd"}, nullptr},
    {"Knd", {"Kind"}, "Kind"},
    {"Kn", {"Kin"}, nullptr},
    // Several candidates: the fewest edits win, whatever the order.
    {"Name", {"Nam", "name"}, "name"},
    {"Descripton", {"Descriptors", "Description"}, "Description"},
    // At the same distance, the first in the list.
    {"PlugInMixSize", {"PlugInMaxSize", "PlugInMinSize"}, "PlugInMaxSize"},
    {"PlugInMixSize", {"PlugInMinSize", "PlugInMaxSize"}, "PlugInMinSize"},
    {"Nmae", {}, nullptr},
};

TEST(SuggestName, Table) {
    for (const Row& row : kRows) {
        const char* got = SuggestName(row.word, row.names.data(), row.names.size());
        std::string list;
        for (const char* name : row.names) list += std::string(" ") + name;
        if (row.expected) {
            ASSERT_NE(got, nullptr) << row.word << " among" << list;
            EXPECT_STREQ(got, row.expected) << row.word << " among" << list;
        } else {
            EXPECT_EQ(got, nullptr) << row.word << " among" << list << " gave " << got;
        }
    }
}

TEST(SuggestName, PositionLists) {
    const NameList properties = PropertyKeywordNames();
    const NameList kinds = KindKeywordNames();
    // Every property keyword and every kind, and nothing else (the marker words are no kinds).
    ASSERT_EQ(properties.count, kPropertyFormatCount);
    for (int i = 0; i < properties.count; ++i)
        EXPECT_STREQ(properties.names[i], kPropertyFormats[i].keyword);
    ASSERT_EQ(kinds.count, kPluginKindCount);
    for (int i = 0; i < kinds.count; ++i) EXPECT_STREQ(kinds.names[i], kPluginKinds[i].keyword);
    EXPECT_STREQ(SuggestName("Nmae", properties.names, properties.count), "Name");
    EXPECT_STREQ(SuggestName("PlugInMixSize", properties.names, properties.count),
                 "PlugInMaxSize");
    EXPECT_STREQ(SuggestName("Filtr", kinds.names, kinds.count), "Filter");
    // The kinds are not properties, and the other way round.
    EXPECT_EQ(SuggestName("Filtr", properties.names, properties.count), nullptr);
    EXPECT_EQ(SuggestName("Nmae", kinds.names, kinds.count), nullptr);
}

}  // namespace
