// Tokenizer: the per-character handler table and the token record.
#pragma once
#include <cstdint>

#include "lexer/fatal.h"

enum TokenKind : uint32_t {
    kTokData = 0,
    kTokDirective = 1,
    kTokEnd = 2,
    kTokInclude = 4,
    kTokEnum = 5,
    kTokRead = 6,
    kTokResource = 7,
    kTokCharConst = 9,
    kTokNumber = 10,
    kTokComma = 11,
    kTokColon = 12,
    kTokSemicolon = 13,
    kTokIdentifier = 14,
    kTokOpenBrace = 15,
    kTokCloseBrace = 16,
    kTokString = 17,
    kTokGreater = 18,
    kTokLess = 19,
    kTokPlus = 20,
    kTokMinus = 21,
    kTokStar = 22,
    kTokSlash = 23,
    kTokOpenParen = 24,
    kTokCloseParen = 25,
    kTokDollar = 26,
    kTokBang = 27,
    kTokBar = 28,
};

struct TokenRecord {
    uint32_t kind;
    char shortText[10];     // character constant, at most 4 characters
    int32_t line;           // line on which the token ended
    char* identText;        // last word read (at most 80 characters)
    char* stringText;       // last string read, or a string symbol's text
    uint32_t number;        // value of a number token
    bool fromWord;          // came from a word: a number or string that replaced a defined
                            // name, or the word typedef (character-constant kind, no code)
    uint32_t wordKind;      // of a directive token: the kind its word after '#' had (a
                            // property keyword still names its property)
};

extern TokenRecord gToken;

constexpr int kIdentMax = 80;

typedef void (*CharHandler)(int c);

// The current token is a quoted character constant, the only token that supplies a code.
inline bool TokenIsCharConstant() {
    return gToken.kind == kTokCharConst && !gToken.fromWord;
}

// The token contract of every parser: gToken is the current token. GetToken makes the next one
// current (or the pushed-back one again); UngetToken pushes the current one back, so that the
// next GetToken delivers it once more. A parsing function reads its first token itself with
// GetToken and returns with the last token it took current; the family headers say where a
// family differs.
void ResetTokenizer();       // clears the token record, push-back flag and buffers
void InstallCharHandlers();  // fills the 257-slot handler table
void GetToken();
void UngetToken();
bool TokenPushedBack();
void ClearPushedBackToken();

// Character-level readers, below the token contract: they leave gToken alone. Each starts
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
