// The token kinds and the token record.
#pragma once
#include <cstdint>

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

constexpr int kIdentMax = 80;

