// Parsing steps every converter shares: the token checks, string values, flag lists, resource
// ids and the skipping of what is not converted.
#include "parse/steps.h"

#include <cstring>

#include "core/diagnostics.h"
#include "core/settings.h"
#include "emit/items.h"
#include "emit/output.h"
#include "emit/text.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/sourcetext.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

bool GetStringValue(std::string& text) {
    const size_t limit = MAXITEMSIZE - 1;
    if (Token().kind != kTokString) {
        GetToken();
        if (Token().kind != kTokString) return false;
    }
    const int32_t line = Token().line;
    const size_t length = strnlen(Token().stringText, limit);
    // A text that needs storage of its own gets room for the zero fill most values take
    // next (four escaped zero bytes at most), so that the fill does not move it again.
    if (length > text.capacity()) text.reserve(length + 8);
    text.clear();   // then appended: cheaper than assign, which allows for overlapping text
    text.append(Token().stringText, length);
    while (Accept(kTokString))
        text.append(Token().stringText, strnlen(Token().stringText, limit - text.size()));
    if (ReadingUtf8()) {
        RecodeSourceText(text, kScriptString);  // no Mac Roman translation: that is for Mac Roman bytes
    } else {
        NoticeUtf8Lookalike(text, line);
        if (Lex().settings.languageOption == 0) FixupStringChars(text);
    }
    return true;
}

int FindNameNoCase(const char* word, const NameList& names) {
    const size_t length = strlen(word);
    for (int i = 0; i < names.count; ++i) {
        if (strlen(names.names[i]) == length && NamesMatchNoCase(word, names.names[i])) return i;
    }
    return -1;
}

bool ParseFlagList(const char* context, const char* const* names, int count, uint32_t* bits) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        GetToken();
        uint32_t bit;
        if (Token().kind == kTokNumber)
            bit = (int32_t)Token().number > 0;
        else if (Token().kind == kTokIdentifier)
            bit = names[i][0] != '\0' && WordMatchesName(Token().identText, names[i]);
        else
            FatalErrorIn(context, "Unsupported token");
        value = value * 2 + bit;
        GetToken();
        if (Token().kind != kTokComma && Token().kind != kTokCloseBrace)
            FatalErrorIn(context, "Expecting comma or close brace!");
    }
    UngetToken();
    *bits = value;
    return true;
}

uint32_t ParseFlags(const char* context, const NameList& names) {
    uint32_t bits = 0;
    ParseFlagList(context, names.names, names.count, &bits);
    return bits;
}

uint32_t ParseNumberOrName(const char* context, const NameList& names, uint32_t mask,
                           const char* message) {
    GetToken();
    if (Token().kind == kTokNumber) return Token().number & mask;
    if (Token().kind == kTokIdentifier) {
        const int value = FindNameNoCase(Token().identText, names);
        if (value >= 0) return uint32_t(value);
    }
    FatalErrorIn(context, message);
}

void Expect(TokenKind kind, const char* context, const char* message) {
    GetToken();
    ExpectCurrent(kind, context, message);
}

void ExpectCurrent(TokenKind kind, const char* context, const char* message) {
    if (Token().kind != kind) FatalErrorIn(context, message);
}

bool Accept(TokenKind kind) {
    GetToken();
    if (Token().kind == kind) return true;
    UngetToken();
    return false;
}

void ExpectClose(const char* context, const char* message) {
    GetTokenAfterMember();
    ExpectCurrent(kTokCloseBrace, context, message);
}

void ExpectOpenBrace(const char* context) {
    Expect(kTokOpenBrace, context, "Open brace expected");
}

void ExpectComma(const char* context) {
    Expect(kTokComma, context, "Comma expected");
}

void ExpectPropertyEnd(const char* context) {
    ExpectClose(context, "Close brace expected");
}

void GetTokenAfterMember() {
    GetToken();
    if (Token().kind == kTokComma) GetToken();
}

void ExpectResourceEnd(const char* braceContext, const char* semicolonContext) {
    ExpectPropertyEnd(braceContext);
    Expect(kTokSemicolon, semicolonContext, "Semicolon expected");
}

static int32_t ReadIdNumber() {
    if (Token().kind == kTokNumber) return (int32_t)Token().number;
    if (Token().kind == kTokMinus) {
        GetToken();
        if (Token().kind == kTokNumber) return (int32_t)(0u - Token().number);
    }
    FatalErrorIn("GetResourceID", "integer expected");
}

int32_t GetResourceID() {
    GetToken();
    while (Token().kind == kTokOpenParen) GetToken();
    int32_t value = ReadIdNumber();
    if (Accept(kTokPlus)) {
        Expect(kTokNumber, "GetResourceID", "integer expected");
        value = (int32_t)((uint32_t)value + Token().number);
    }
    if (Lex().settings.verboseIds) ReportText(Severity::kText, false, "    (%d)\n", value);
    return value;
}

void SkipToCloseParanthesis() {
    for (;;) {
        GetToken();
        if (Token().kind == kTokCloseParen) return;
        if (Token().kind == kTokOpenParen) SkipToCloseParanthesis();
        else if (Token().kind == kTokEnd)
            FatalError("SkipToCloseParanthesis: Premature End of file\n");
    }
}

void GetToCloseBrace() {
    for (;;) {
        GetToken();
        if (Token().kind == kTokCloseBrace) return;
        if (Token().kind == kTokEnd) FatalError("GetToCloseBrace: Premature End of file");
    }
}

void SkipResource() {
    for (;;) {
        GetToken();
        switch (Token().kind) {
            case kTokSemicolon: return;
            case kTokOpenBrace: GetToCloseBrace(); return;
            case kTokResource: UngetToken(); return;
            case kTokEnd: FatalErrorIn("SkipResource", "Premature End of file");
            default: break;
        }
    }
}

void SkipToOpenParenthesis(const char* context) {
    while (Token().kind != kTokOpenParen) {
        GetToken();
        if (Token().kind == kTokEnd) FatalErrorIn(context, "Premature End of file");
    }
}

void ParseCodeOrEnumItem(const char* context, const char* comment) {
    GetToken();
    if (TokenIsCharConstant()) {
        WriteCodeItem(CodeFromShortText(Token().shortText), comment);
        return;
    }
    // Only a word that the tokenizer replaced may name an enum constant; digits never do.
    if (Token().kind == kTokNumber && Token().fromWord) {
        if (const EnumConstant* constant = FindEnumConstant(Token().identText)) {
            WriteHexLong(uint32_t(constant->value), comment);
            return;
        }
    }
    FatalErrorIn(context, "Type expected");
}
