// Directives carried out by the tool itself: #define and #include; all others are skipped.
#include "lexer/directives.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lexer/charsource.h"
#include "lexer/context.h"
#include "lexer/fatal.h"
#include "lexer/resolver.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

namespace {

// Takes the included file off the chain of files being converted (a path already on it would
// include itself again without end) when its conversion ends, also when a fatal error passes.
class OpenInclude {
public:
    explicit OpenInclude(const std::string& path) { Lex().includeChain.push_back(path); }
    ~OpenInclude() { Lex().includeChain.pop_back(); }
private:
    OpenInclude(const OpenInclude&) = delete;
    OpenInclude& operator=(const OpenInclude&) = delete;
};

// Conditional directives are skipped, so every branch is converted. The first one a run meets
// is pointed out once: a source meant for the C preprocessor silently converts differently.

bool IsConditionalDirective(const char* name) {
    static const char* const kNames[] = {"if", "ifdef", "ifndef", "elif", "else", "endif"};
    for (const char* candidate : kNames)
        if (NamesMatchNoCase(name, candidate)) return true;
    return false;
}

void NoticeConditionalDirective() {
    LexContext& run = Lex();
    if (run.conditionalNoticeGiven || !IsConditionalDirective(run.token.identText)) return;
    run.conditionalNoticeGiven = true;
    ReportText(Severity::kWarning, false,
               "Conditional directives are not evaluated!  Line %d in file %s.  "
               "Run the source through a C preprocessor first.\n",
               (int)run.token.line, CurrentFileName());
}

bool AlreadyOpen(const std::string& path) {
    IncludeResolver& files = *Lex().resolver;
    if (files.SameFile(CurrentFileName(), path)) return true;
    for (const std::string& open : Lex().includeChain)
        if (files.SameFile(open, path)) return true;
    return false;
}

}  // namespace

void ProcessDirective(StatementLoop convertStatements) {
    if (NamesMatchNoCase(Token().identText, "define"))
        DefineSymbol();
    else if (NamesMatchNoCase(Token().identText, "include"))
        ProcessInclude(convertStatements);
    else {
        NoticeConditionalDirective();
        SkipToCharacter('\n');
    }
}

void DefineSymbol() {
    GetToken();
    const int32_t nameLine = Token().line;
    SymbolRecord* symbol = AddSymbol(Token().identText);
    GetToken();
    if (Token().line != nameLine) {
        UngetToken();  // no value on the definition's line
        return;
    }
    if (Token().kind == kTokString) {
        symbol->stringValue = Token().stringText;
        symbol->kind = 2;
        return;
    }
    UngetToken();
    symbol->numberValue = GetExpression();
    symbol->kind = 1;
}

void ProcessInclude(StatementLoop convertStatements) {
    if (Token().kind != kTokDirective) {  // the include statement of the source language
        SkipToCharacter('\n');
        return;
    }
    const int32_t directiveLine = Token().line;
    const LexMark beforePath = MarkReadPosition();
    GetToken();
    if (Token().kind != kTokString) {
        if (Token().line != directiveLine)
            UngetToken();  // nothing followed on the directive's line
        else
            SkipToCharacter('\n');
        return;
    }
    const std::string path = Token().stringText;
    // The look-ahead for a further literal may have read on into the next line (whose
    // number a line marker there may even have set back); that line is no directive's.
    const bool directiveLineLeft = MarkReadPosition().refill != beforePath.refill;
    std::unique_ptr<SourceReader> reader = Lex().resolver->Open(path);
    if (!reader) FatalErrorWithPath("Unable to open include file \"%s\"", path, 255);
    std::vector<std::string>& chain = Lex().includeChain;
    if (chain.empty()) chain.push_back(CurrentFileName());
    if (AlreadyOpen(path)) FatalErrorWithPath("Recursive include of file \"%s\"", path, 255);
    {
        OpenInclude include(path);
        CSaveLexState saved;
        StartLexFile(reader.get(), path.c_str());
        convertStatements();
    }
    if (chain.size() == 1) chain.clear();
    // The rest of the directive's line is skipped only while reading is still on it.
    if (!directiveLineLeft) SkipToCharacter('\n');
}
