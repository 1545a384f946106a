// String and code properties: the properties whose value is one text.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (the current token) and returns on the
// property's close brace; the property loop then reads the comma or close brace after it.

// The rows of the property keywords (lexer/keywords.def names each keyword's row).
struct StringRow;
extern const StringRow kNameRow, kZStringNameRow, kCategoryRow, kZStringCategoryRow,
    kProgressTextRow, kZStringProgressTextRow, kFeatureEnabledRow, kPickerIDRow, kCodeWin32X86Row,
    kCodeWin64X86Row, kCodeWin64ARMRow, kEnableInfoRow, kInternalNameRow, kDescriptionRow,
    kTitleRow;

void ParseStringProperty(const StringRow& row);
