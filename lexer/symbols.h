// Defined symbols, enum constants, token-level expressions and enum declarations.
#pragma once
#include <cstdint>
#include <string>

struct SymbolRecord {
    int32_t kind = 0;          // 0 no value, 1 number, 2 string
    std::string name;
    std::string stringValue;   // kind 2 only
    int32_t numberValue = 1;   // a symbol defined without a value counts as 1
};

struct EnumConstant {
    std::string name;
    std::string enumName;
    int32_t value = 0;
};

// Frees both lists and the expression stack: an exhausted heap gets room for the report.
void ReleaseSymbols();
SymbolRecord* AddSymbol(const char* name);               // newest kind-0 symbol; stays valid
const SymbolRecord* FindSymbol(const char* name);        // case-insensitive, 80 characters
const EnumConstant* FindEnumConstant(const char* name);  // exact name
// The same lookups for a word whose HashNameNoCase is known (both take that hash).
const SymbolRecord* FindSymbol(const char* name, uint32_t hash);
const EnumConstant* FindEnumConstant(const char* name, uint32_t hash);
bool NamesMatchNoCase(const char* a, const char* b);   // ASCII, over at most 80 characters
// Entered on the token before the expression, which reads its own first token. Returns on
// the token that ended it, pushed back, except an undefined word: that one ends the
// expression and is consumed (current, not pushed back).
int32_t GetExpression();
// After the word enum: reads a declaration and defines its constants, and returns on its
// close brace with the characters up to the semicolon skipped. False, the token after the
// enum's name pushed back, when no open brace follows: the statement is to be skipped.
bool ConvertEnum();
// Entered on the first token after the open brace (itself the close brace of an empty list);
// returns on the close brace, or on the end of input.
void ParseEnum(const char* enumName);
