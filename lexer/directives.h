// Directives the tool carries out itself: #define and #include; others are skipped.
#pragma once

// The statement loop an included file is converted with; the lexer only switches sources.
typedef void (*StatementLoop)();

// Each is entered on the directive token (its word in identText) and returns on the last
// token of the directive, the rest of its line skipped as characters; a token read from a
// later line is pushed back.
void ProcessDirective(StatementLoop convertStatements);
// Returns on the string value, or as GetExpression does on the number value.
void DefineSymbol();
// After #include (a directive) or the source language's include statement (skipped to the
// line end). An included file is converted in full; its end-of-input token is then current.
void ProcessInclude(StatementLoop convertStatements);
