// Defined symbols, enum constants, token-level expressions and enum declarations.
#pragma once
#include <cstdint>

struct SymbolRecord {
    int32_t kind;           // 0 no value, 1 number, 2 string
    char* name;
    char* stringValue;
    int32_t numberValue;
    SymbolRecord* next;
};

struct EnumConstant {
    char* name;
    char* enumName;
    int32_t value;
    EnumConstant* next;
};

void ResetSymbols();                                     // frees both lists
SymbolRecord* AddSymbol(const char* name);               // new kind-0 symbol at the head
const SymbolRecord* FindSymbol(const char* name);        // case-insensitive, 80 characters
const EnumConstant* FindEnumConstant(const char* name);  // exact name
bool NamesMatchNoCase(const char* a, const char* b);   // ASCII, over at most 80 characters
int32_t GetExpression();
void ConvertEnum();                                      // after the word enum
void ParseEnum(const char* enumName);
