// Scalar properties: one handler per value shape, the record's facts from the keyword's row.
//
// number:       keyword { expression [,] }
// RequiredHost  { 'code' | number [,] }
// size pair:    keyword { expression , expression ... }   (the rest up to } is ignored)
// presence:     keyword { ... }
#include "properties/scalar.h"

#include "core/diagnostics.h"
#include "emit/items.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

void ParseNumberProperty(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    int32_t value = GetExpression();
    if (row.shape == ValueShape::kHexNumber)
        WriteHexLong((uint32_t)value, row.detail.comment);
    else
        WriteDecimalLong(value, row.detail.comment);
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseRequiredHost(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    GetToken();
    if (TokenIsCharConstant())
        WriteCodeItem(CodeFromShortText(Token().shortText), "");
    else if (Token().kind == kTokNumber)
        WriteHexLong(Token().number, "");
    else
        FatalErrorIn(row.context, "Type or number expected");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseSizePair(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteDecimalLong(GetExpression(), "");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "");
    record.Close();
    GetToCloseBrace();  // anything after the second value is ignored
}

void ParsePresenceFlag(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteDecimalLong(1, "");
    record.Close();
    GetToCloseBrace();  // the contents play no part
}

void ParseRetiredCode(const PropertyFormat& row) {
    ReportText(Severity::kText, true, "Unsupported Property %s", row.keyword);
    GetToCloseBrace();
}
