// Directives carried out by the tool itself: #define and #include; all others are skipped.
#include "lexer/directives.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/platform.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

namespace {

// Files being converted: the including file of the outermost include, then every open
// include. A path already on it would include itself again without end.
std::vector<std::string> gIncludeChain;

// Closes the included file and takes it off the chain when its conversion ends, also when
// a fatal error passes.
class OpenInclude {
public:
    OpenInclude(FILE* stream, const std::string& path) : stream_(stream) {
        gIncludeChain.push_back(path);
    }
    ~OpenInclude() {
        gIncludeChain.pop_back();
        std::fclose(stream_);
    }
private:
    OpenInclude(const OpenInclude&) = delete;
    OpenInclude& operator=(const OpenInclude&) = delete;
    FILE* stream_;
};

// Conditional directives are skipped, so every branch is converted. The first one a run meets
// is pointed out once: a source meant for the C preprocessor silently converts differently.
bool gConditionalNoticeGiven = false;

bool IsConditionalDirective(const char* name) {
    static const char* const kNames[] = {"if", "ifdef", "ifndef", "elif", "else", "endif"};
    for (const char* candidate : kNames)
        if (NamesMatchNoCase(name, candidate)) return true;
    return false;
}

void NoticeConditionalDirective() {
    if (gConditionalNoticeGiven || !IsConditionalDirective(gToken.identText)) return;
    gConditionalNoticeGiven = true;
    std::fprintf(stderr,
                 "Conditional directives are not evaluated!  Line %d in file %s.  "
                 "Run the source through a C preprocessor first.\n",
                 (int)gToken.line, CurrentFileName());
}

bool AlreadyOpen(const std::string& path) {
    if (SameFile(CurrentFileName(), path)) return true;
    for (const std::string& open : gIncludeChain)
        if (SameFile(open, path)) return true;
    return false;
}

}  // namespace

void ResetDirectives() {
    gIncludeChain.clear();
    gConditionalNoticeGiven = false;
}

void ProcessDirective(StatementLoop convertStatements) {
    if (NamesMatchNoCase(gToken.identText, "define"))
        DefineSymbol();
    else if (NamesMatchNoCase(gToken.identText, "include"))
        ProcessInclude(convertStatements);
    else {
        NoticeConditionalDirective();
        SkipToCharacter('\n');
    }
}

void DefineSymbol() {
    GetToken();
    const int32_t nameLine = gToken.line;
    SymbolRecord* symbol = AddSymbol(gToken.identText);
    GetToken();
    if (gToken.line != nameLine) {
        UngetToken();  // no value on the definition's line
        return;
    }
    if (gToken.kind == kTokString) {
        symbol->stringValue = gToken.stringText;
        symbol->kind = 2;
        return;
    }
    UngetToken();
    symbol->numberValue = GetExpression();
    symbol->kind = 1;
}

void ProcessInclude(StatementLoop convertStatements) {
    if (gToken.kind != kTokDirective) {  // the include statement of the source language
        SkipToCharacter('\n');
        return;
    }
    const int32_t directiveLine = gToken.line;
    const LexMark beforePath = MarkReadPosition();
    GetToken();
    if (gToken.kind != kTokString) {
        if (gToken.line != directiveLine)
            UngetToken();  // nothing followed on the directive's line
        else
            SkipToCharacter('\n');
        return;
    }
    const std::string path = gToken.stringText;
    // The look-ahead for a further literal may have read on into the next line (whose
    // number a line marker there may even have set back); that line is no directive's.
    const bool directiveLineLeft = MarkReadPosition().refill != beforePath.refill;
    FILE* stream = FileExists(path) ? OpenForReading(path, "r") : nullptr;
    if (!stream) FatalErrorWithPath("Unable to open include file \"%s\"", path, 255);
    if (gIncludeChain.empty()) gIncludeChain.push_back(CurrentFileName());
    if (AlreadyOpen(path)) {
        std::fclose(stream);
        FatalErrorWithPath("Recursive include of file \"%s\"", path, 255);
    }
    {
        OpenInclude include(stream, path);
        CSaveLexState saved;
        StartLexFile(stream, path.c_str());
        convertStatements();
    }
    if (gIncludeChain.size() == 1) gIncludeChain.clear();
    // The rest of the directive's line is skipped only while reading is still on it.
    if (!directiveLineLeft) SkipToCharacter('\n');
}
