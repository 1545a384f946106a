// Directives the tool carries out itself: #define and #include; others are skipped.
#pragma once

// The statement loop an included file is converted with; the lexer only switches sources.
typedef void (*StatementLoop)();

// The directive's word is the current token's identText.
void ProcessDirective(StatementLoop convertStatements);
void DefineSymbol();
// After #include (a directive) or the source language's include statement (skipped).
void ProcessInclude(StatementLoop convertStatements);
void ResetDirectives();
