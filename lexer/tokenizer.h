// Tokenizer: the per-character handler table and the token record.
#pragma once
#include <cstdint>

#include "lexer/context.h"
#include "lexer/fatal.h"
#include "lexer/token.h"

typedef void (*CharHandler)(int c);

// The current token is a quoted character constant, the only token that supplies a code.
inline bool TokenIsCharConstant() {
    return Token().kind == kTokCharConst && !Token().fromWord;
}

// The token contract of every parser: Token() is the current token. GetToken makes the next one
// current (or the pushed-back one again); UngetToken pushes the current one back, so that the
// next GetToken delivers it once more. A parsing function reads its first token itself with
// GetToken and returns with the last token it took current; the family headers say where a
// family differs.
void GetToken();
void UngetToken();
bool TokenPushedBack();
void ClearPushedBackToken();

// Character-level readers, below the token contract: they leave Token() alone. Each starts
// at its first character (first, or the one after the opening delimiter) and leaves the
// character that ended it unread; GetString reads past its closing delimiter, and past
// adjacent literals that it joins.
int GetIdentifier(int first, char* dest, int maxCount);
int GetString(int delimiter, char* dest, bool escapes, int capacity = 0);
// Where the last string token's first literal closed, kept while a UTF-8 file is read: its
// text is converted later, and an error in it is reported there.
const SourcePlace& LastStringPlace();
uint32_t GetNumber(int first);
// Signed 32-bit division truncating toward zero; the most negative value over -1 wraps.
// A zero divisor is a fatal error.
uint32_t DivideSigned(uint32_t a, uint32_t b);
