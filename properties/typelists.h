// Type and extension lists and format limits: file types, creators, extensions, clipboard
// types, the maximum image size and the maximum channel counts.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (token) and returns on the property's close
// brace; the property loop then reads the comma or close brace after it.
void ParseFmtFileType(TokenRecord* token);
// One handler for the type-and-creator, clipboard-type and extension lists; the row is found by
// the keyword kind.
void ParseTypeListProperty(TokenRecord* token);
// The value pair sits in a second brace pair; returns on the outer close brace.
void ParseFormatMaxSize(TokenRecord* token);
void ParseFormatMaxChannels(TokenRecord* token);

// The shared list readers. Each is entered on the property's open brace, reads from the
// list's first open brace, returns on the property's close brace, writes the items and adds
// their bytes to runningSize.
void ParseTypeCreatorList(const char* context, unsigned long* runningSize);
void ParseTypeList(unsigned long* runningSize);
void ParseExtensionList(const char* context, unsigned long* runningSize);
