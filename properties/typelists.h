// Type and extension lists and format limits: file types, creators, extensions, clipboard
// types, the maximum image size and the maximum channel counts.
#pragma once
#include "lexer/tokenizer.h"

void ParseFmtFileType(TokenRecord* token);
// One handler for the type-and-creator, clipboard-type and extension lists; the row is found by
// the keyword kind.
void ParseTypeListProperty(TokenRecord* token);
void ParseFormatMaxSize(TokenRecord* token);
void ParseFormatMaxChannels(TokenRecord* token);

// The shared list readers. Each reads from the list's first open brace through the property's
// close brace, writes the items and adds their bytes to runningSize.
void ParseTypeCreatorList(const char* context, unsigned long* runningSize);
void ParseTypeList(unsigned long* runningSize);
void ParseExtensionList(const char* context, unsigned long* runningSize);
