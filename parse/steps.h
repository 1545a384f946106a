// Parsing steps every converter shares. Each reads its first token itself and returns with
// the last token it took current (the contract in lexer/tokenizer.h), unless said below; it
// fails under its context word with the message it names.
#pragma once
#include <cstdint>
#include <string>

#include "formats/names.h"
#include "lexer/symbols.h"
#include "lexer/token.h"

// A string value: starts at the current token if it is a string, else at the next one;
// adjacent strings are joined, the text converted (FixupStringChars; RecodeSourceText for a
// UTF-8 source). False, with the token
// read, when no string is there. The token after the last string is pushed back.
bool GetStringValue(std::string& text);

// Whether word is name in any letter case (NamesMatchNoCase). The first letters are compared
// here, in line: the name lists are searched entry by entry, and most entries that are not the
// word differ from it there.
inline bool WordMatchesName(const char* word, const char* name) {
    const unsigned char a = (unsigned char)word[0];
    const unsigned char b = (unsigned char)name[0];
    if (a != b && (a | 0x20) != (b | 0x20)) return false;   // differ even when both are letters
    return NamesMatchNoCase(word, name);
}

// The position of word in a name list, compared in any letter case (NamesMatchNoCase), or -1.
// For lists whose names share their first letters: only a name of the word's length is
// compared letter by letter.
int FindNameNoCase(const char* word, const NameList& names);

// count flags in a brace list, by number (> 0 is set) or by name (names[i], case ignored);
// the first is the highest bit. The close brace or comma after the last is pushed back.
bool ParseFlagList(const char* context, const char* const* names, int count, uint32_t* bits);
// ParseFlagList over one flag per name of the list; returns the bits.
uint32_t ParseFlags(const char* context, const NameList& names);
// A number (its bits under mask) or a name of the list in any letter case (its position);
// anything else fails with message.
uint32_t ParseNumberOrName(const char* context, const NameList& names, uint32_t mask,
                           const char* message);

// The token checks. Expect reads the next token, ExpectCurrent checks the current one; a
// token of another kind fails under context with message, at the read position after it.
void Expect(TokenKind kind, const char* context, const char* message);
void ExpectCurrent(TokenKind kind, const char* context, const char* message);
// Reads the next token: true, with it current, when it is of kind; else false, with it
// pushed back for the next read.
bool Accept(TokenKind kind);
// The end of a brace list: an optional comma, then the close brace (else message under
// context); returns on the close brace.
void ExpectClose(const char* context, const char* message);

// The common checks by their messages: the next token is an open brace ("Open brace
// expected") or a comma ("Comma expected"); ExpectPropertyEnd is ExpectClose with "Close
// brace expected".
void ExpectOpenBrace(const char* context);
void ExpectComma(const char* context);
void ExpectPropertyEnd(const char* context);
// After a list member: an optional comma, then the token that closes the list or begins the
// next member is current.
void GetTokenAfterMember();
// The end of a resource: an optional comma, the close brace (failing under braceContext),
// then the semicolon (failing with "Semicolon expected" under semicolonContext), current on
// return.
void ExpectResourceEnd(const char* braceContext, const char* semicolonContext);

// The resource id after the open parenthesis: a number, optionally negative, optionally
// plus a number; "integer expected" otherwise. Printed to stderr under -v. Returns on the
// last number, the token after it pushed back unless it was the plus.
int32_t GetResourceID();
// Reads up to the close parenthesis of the resource header, nested pairs included; returns
// on it.
void SkipToCloseParanthesis();
// Reads up to the next close brace and returns on it.
void GetToCloseBrace();
// Skips a statement that is not converted: returns on its semicolon, on the close brace of
// its one brace block, or with the next resource keyword pushed back.
void SkipResource();
// Starts at the current token: reads tokens until an open parenthesis is current (none if it
// already is one); end of input first is fatal under the given context word.
void SkipToOpenParenthesis(const char* context);
// A four-character code position: a character constant becomes a code item, the name of an
// enum constant a hex long of its value; anything else fails with "Type expected".
void ParseCodeOrEnumItem(const char* context, const char* comment);
