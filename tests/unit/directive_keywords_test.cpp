// A '#' before a property keyword (as in "#Kind { ... }", or a null directive on the line
// before it) leaves the property as it is: every golden property list that converts gives its
// expected script and messages with a '#' put before each of its property keywords.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>

#include "lexer/keywords.h"
#include "tests/unit/conversion_fixture.h"

namespace {

namespace fs = std::filesystem;

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The character before position at, blanks and line ends passed over ('\0' at the start).
char PreviousMark(const std::string& text, size_t at) {
    while (at > 0 && std::isspace(static_cast<unsigned char>(text[at - 1]))) --at;
    return at == 0 ? '\0' : text[at - 1];
}

// The source with a '#' before every property keyword that starts a property: the word
// stands after an open brace or a comma and is followed by an open brace. The keywords
// marked are added to marked.
std::string MarkPropertyKeywords(const std::string& source, std::set<std::string>& marked) {
    std::string out;
    size_t i = 0;
    while (i < source.size()) {
        if (!IsWordChar(source[i]) || (i > 0 && IsWordChar(source[i - 1]))) {
            out += source[i++];
            continue;
        }
        size_t end = i;
        while (end < source.size() && IsWordChar(source[end])) ++end;
        const std::string word = source.substr(i, end - i);
        size_t next = end;
        while (next < source.size() && (source[next] == ' ' || source[next] == '\t')) ++next;
        const KeywordRow* row = FindKeyword(word.c_str());
        const char before = PreviousMark(source, i);
        if (row && row->kind >= kKwFirstProperty && row->kind <= kKwLastProperty &&
            next < source.size() && source[next] == '{' && (before == '{' || before == ',')) {
            out += '#';
            marked.insert(word);
        }
        out += word;
        i = end;
    }
    return out;
}

class DirectiveKeywords : public ConversionTest {};

TEST_F(DirectiveKeywords, EveryPropertyKeywordAfterAHashConvertsAsWithout) {
    const fs::path golden = fs::path(PROPWRIGHT_SOURCE_DIR) / "tests" / "golden";
    std::set<std::string> marked;
    int cases = 0;
    for (const auto& feature : fs::directory_iterator(golden)) {
        for (const auto& entry : fs::directory_iterator(feature.path())) {
            const fs::path dir = entry.path();
            // Cases that convert "in.rr" to "out.rc" and hold a property list.
            if (fs::exists(dir / "args") || !fs::exists(dir / "in.rr") ||
                !fs::exists(dir / "expected.rc"))
                continue;
            if (fs::exists(dir / "expected.status") &&
                Read((dir / "expected.status").string()).find_first_not_of("0 \n") !=
                    std::string::npos)
                continue;
            const std::string source = Read((dir / "in.rr").string());
            std::set<std::string> here;
            const std::string hashed = MarkPropertyKeywords(source, here);
            if (here.empty()) continue;
            SCOPED_TRACE(dir.string());
            ++cases;
            // Included files beside the source are part of the case.
            for (const auto& file : fs::directory_iterator(dir))
                if (file.is_regular_file() && file.path().filename().string().rfind("expected", 0))
                    Write(file.path().filename().string(), Read(file.path().string()));
            const ScriptRun c = Convert(hashed);
            EXPECT_EQ(c.status, 0);
            EXPECT_EQ(c.out, Read((dir / "expected.stdout").string()));
            EXPECT_EQ(c.err, Read((dir / "expected.stderr").string()));
            EXPECT_EQ(c.script, Read((dir / "expected.rc").string()));
            for (const auto& name : Listing()) fs::remove_all(name);
            marked.insert(here.begin(), here.end());
        }
    }
    EXPECT_GT(cases, 0);
    // Every property keyword of the table was met after a '#' at least once.
    std::set<std::string> missing;
    for (int i = 0; i < kKeywordCount; ++i) {
        const KeywordRow& row = kKeywordTable[i];
        if (row.kind >= kKwFirstProperty && row.kind <= kKwLastProperty && !marked.count(row.name))
            missing.insert(row.name);
    }
    EXPECT_EQ(missing, std::set<std::string>{});
    EXPECT_EQ(marked.size(), size_t(kKwLastProperty - kKwFirstProperty + 1));
}

}  // namespace
