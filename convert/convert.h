// Conversion loop, resource dispatch and the parsing services every converter shares.
#pragma once
#include <cstdint>

void ConvertStatements();
// Resources written so far in this run, included files' among them.
unsigned long ConvertedResourceCount();
void ResetConvertedResourceCount();
void ConvertResource();
void ConvertString();
int32_t GetResourceID();
void SkipToCloseParanthesis();
void GetToCloseBrace();
void SkipResource();
// Reads tokens until an open parenthesis is current (none if it already is one); end of
// input first is fatal under the given context word.
void SkipToOpenParenthesis(const char* context);
