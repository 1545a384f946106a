// Character source: reads the current file line by line into LexState, folds line ends,
// honours line markers and delivers single characters to the tokenizer.
#pragma once
#include <cstdint>

#include "lexer/context.h"
#include "lexer/lexstate.h"

// Sets the live state aside for an include and puts it back when destroyed.
class CSaveLexState {
public:
    CSaveLexState();
    virtual ~CSaveLexState();
private:
    CSaveLexState(const CSaveLexState&) = delete;
    CSaveLexState& operator=(const CSaveLexState&) = delete;
    LexState* saved_;
};

// Zeroes the counters and sets the name and the reader of the file to read next.
void StartLexFile(SourceReader* reader, const char* name);
int GetCharacterSlow();  // GetCharacter when a refill or the flag is involved
// The next character (0..255, 127 = end). The common case, a character of the buffered line,
// is inline: it is taken once per source byte.
inline int GetCharacter() {
    LexState& s = Lex().lex;
    if (s.readIndex >= s.lineLength || Lex().lineEndPassed) return GetCharacterSlow();
    if (s.pushBackCount > 0) --s.pushBackCount;
    return (unsigned char)s.text[s.readIndex++];
}
void UngetCharacterSlow();  // UngetCharacter at a limit: reports it and does nothing
// Steps back over the character just read (after a word, a number ...): inline too.
inline void UngetCharacter() {
    LexState& s = Lex().lex;
    if (s.pushBackCount > MAXITEMSIZE || s.readIndex < 1) return UngetCharacterSlow();
    --s.readIndex;
    ++s.pushBackCount;
}
// Run readers: the unread rest of the buffered line, so that a reader can scan a run of
// characters in place; empty when the next character needs GetCharacter. Taking n of them
// counts as n GetCharacter calls.
inline const char* UnreadLine(int32_t& length) {
    const LexState& s = Lex().lex;
    length = Lex().lineEndPassed || s.readIndex >= s.lineLength ? 0 : s.lineLength - s.readIndex;
    return s.text + s.readIndex;
}
inline void TakeCharacters(int32_t n) {
    LexState& s = Lex().lex;
    s.readIndex += n;
    s.pushBackCount = s.pushBackCount > n ? s.pushBackCount - n : 0;
}
// GetCharacter followed by UngetCharacter in one step, for the next character of the buffered
// line: the read position stays; the push-back count is left as the pair would leave it. False,
// nothing done, when the next character is not in the buffered line.
inline bool ReadAndStepBack() {
    LexState& s = Lex().lex;
    if (s.readIndex >= s.lineLength || Lex().lineEndPassed) return false;
    if (s.pushBackCount == 0) s.pushBackCount = 1;
    return true;
}
// Passes over the characters of the buffered line that skip marks, then reads the next
// character as GetCharacter does; the same as that many GetCharacter calls.
inline int GetCharacterAfterRun(const bool* skip) {
    LexState& s = Lex().lex;
    if (!Lex().lineEndPassed) {
        int32_t i = s.readIndex;
        while (i < s.lineLength && skip[(unsigned char)s.text[i]]) ++i;
        if (i < s.lineLength) {
            const int32_t n = i + 1 - s.readIndex;
            s.pushBackCount = s.pushBackCount > n ? s.pushBackCount - n : 0;
            s.readIndex = i + 1;
            return (unsigned char)s.text[i];
        }
        TakeCharacters(i - s.readIndex);
    }
    return GetCharacter();
}
void SkipToCharacter(int c);
// Whether the current file's text is UTF-8; known once its first block is read.
inline bool ReadingUtf8() {
    return Lex().lex.utf8;
}
// The line number of the file being read; 0 before its first line.
inline int CurrentLineNumber() {
    return Lex().lex.lineNumber;
}
const char* CurrentFileName();

// Look-ahead across line ends (adjacent string literals): mark the read position, and go
// back to it, or to the start of the line now buffered when the look-ahead refilled it.
struct LexMark {
    unsigned long refill;
    int32_t readIndex;
};
LexMark MarkReadPosition();
void ReturnToMark(const LexMark& mark);
// Examines a line marker from the '#' just pushed back (a '#' met inside a block comment).
void ExamineLineMarker();
