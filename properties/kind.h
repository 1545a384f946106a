// Kind and Component: the plug-in's kind code and its component version and identifier.
#pragma once
#include "lexer/tokenizer.h"

void ParseKindProperty();
void ParseComponent();
