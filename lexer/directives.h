// Directives the tool carries out itself: #define and #include; others are skipped.
#pragma once

void ProcessDirective();
void DefineSymbol();
void ProcessInclude();
void ResetDirectives();
