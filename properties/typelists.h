// Type and extension lists and format limits: file types, creators, extensions, clipboard
// types, the maximum image size and the maximum channel counts.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (the current token) and returns on the
// property's close brace; the property loop then reads the comma or close brace after it.

// The rows of the property keywords (lexer/keywords.def names each keyword's row).
struct TypeListRow;
extern const TypeListRow kReadTypesRow, kWriteTypesRow, kFilteredTypesRow, kParsableTypesRow,
    kFilteredParsableTypesRow, kParsableClipboardTypesRow, kReadExtensionsRow, kWriteExtensionsRow,
    kFilteredExtensionsRow, kParsableExtensionsRow, kFilteredParsableExtensionsRow;

void ParseFmtFileType();
// One handler for the type-and-creator, clipboard-type and extension lists, given the row.
void ParseTypeListProperty(const TypeListRow& row);
// The value pair sits in a second brace pair; returns on the outer close brace.
void ParseFormatMaxSize();
void ParseFormatMaxChannels();

// The shared list readers. Each is entered on the property's open brace, reads from the
// list's first open brace, returns on the property's close brace, writes the items and adds
// their bytes to runningSize.
void ParseTypeCreatorList(const char* context, unsigned long* runningSize);
void ParseTypeList(unsigned long* runningSize);
void ParseExtensionList(const char* context, unsigned long* runningSize);
