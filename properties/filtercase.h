// Filter case info: how a filter wants its input prepared and its output treated per case.
#pragma once
#include "lexer/tokenizer.h"

void ParseFilterCaseInfo();
