// String and code properties: the properties whose value is one text.
#pragma once
#include "lexer/tokenizer.h"

// The rows of the property keywords (lexer/keywords.def names each keyword's row).
struct StringRow;
extern const StringRow kNameRow, kZStringNameRow, kCategoryRow, kZStringCategoryRow,
    kProgressTextRow, kZStringProgressTextRow, kFeatureEnabledRow, kPickerIDRow, kCodeWin32X86Row,
    kCodeWin64X86Row, kCodeWin64ARMRow, kEnableInfoRow, kInternalNameRow, kDescriptionRow,
    kTitleRow;

void ParseStringProperty(const StringRow& row);
