// The state of one conversion as the lexer layer sees it; the emit layer's Conversion extends
// it. A run is one object: a new conversion is a new object, nothing to reset.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "core/settings.h"
#include "lexer/fatal.h"
#include "lexer/lexstate.h"
#include "lexer/token.h"

class IncludeResolver;
struct SymbolTable;
struct SymbolTableDelete {
    void operator()(SymbolTable* table) const;
};

// Operator stacks of the number evaluator.
enum NumberOp { kOpMultiply, kOpDivide, kOpAdd, kOpSubtract, kOpAnd, kOpXor, kOpOr, kOpParen };
struct PendingOp {
    NumberOp op;
    bool negate;  // for an open parenthesis: a minus sign stood before it
};

struct LexContext {
    LexContext();
    virtual ~LexContext();
    LexContext(const LexContext&) = delete;
    LexContext& operator=(const LexContext&) = delete;

    Settings settings;
    IncludeResolver* resolver = nullptr;
    DiagnosticSink sink;                   // told of each diagnostic as it is made; may be empty
    std::vector<Diagnostic> diagnostics;   // every diagnostic of the run, in order

    // Character source: the file being read, and the includes set aside below it.
    LexState lex;
    bool lineEndPassed = false;  // a look-ahead consumed the line end before the buffered line
    size_t savedDepth = 0;       // includes set aside; 0 while the main source is read
    bool markerInProgress = false;  // while set, refilling the line buffer does nothing
    unsigned long refills = 0;      // line-buffer refills so far; look-ahead marks compare it
    std::vector<std::unique_ptr<LexState>> savedStates;  // by include depth
    std::vector<std::unique_ptr<char[]>> sourceBlocks;   // by include depth

    // Tokenizer.
    TokenRecord token;
    bool pushedBack = false;
    char identBuffer[kIdentMax + 1] = {};
    std::vector<char> stringStore;         // the string token's text; grows to MAXITEMSIZE + 1
    int32_t lastStringEndLine = 0;         // line on which the last string literal ended
    bool stringEnded = false;              // the current token's string set lastStringEndLine
    SourcePlace stringPlace;               // see LastStringPlace
    std::vector<uint32_t> numberValues;
    std::vector<PendingOp> numberOps;

    // Symbols and enum constants.
    std::unique_ptr<SymbolTable, SymbolTableDelete> symbols;

    // Directives: the files being converted (the including file of the outermost include,
    // then every open include), and the notices given once per run.
    std::vector<std::string> includeChain;
    bool conditionalNoticeGiven = false;
    bool lookalikeNoticeGiven = false;
};

// The conversion being run. Every lexer and converter function works on it; ActiveContext
// makes an object the one they see for as long as it lives, and puts the one before back.
extern LexContext* gActiveContext;
inline LexContext& Lex() {
    return *gActiveContext;
}
inline TokenRecord& Token() {
    return gActiveContext->token;
}
class ActiveContext {
public:
    explicit ActiveContext(LexContext& context) : previous_(gActiveContext) {
        gActiveContext = &context;
    }
    ~ActiveContext() { gActiveContext = previous_; }
private:
    ActiveContext(const ActiveContext&) = delete;
    ActiveContext& operator=(const ActiveContext&) = delete;
    LexContext* previous_;
};

// Adds a diagnostic to the run and tells the sink of it.
void Report(Diagnostic diagnostic);
// A warning (or text) on stderr, or on stdout, made of format and its arguments.
void ReportText(Severity severity, bool toStdout, const char* format, ...) PW_PRINTF(3, 4);
