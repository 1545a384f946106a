// Character source: reads the current file line by line into LexState, folds line ends,
// honours line markers and delivers single characters to the tokenizer.
#pragma once
#include <cstdint>
#include <cstdio>

constexpr int MAXITEMSIZE = 512000;
constexpr int kLinePieceMax = MAXITEMSIZE - 1;  // 511 999 characters per buffered piece
constexpr int kFileNameMax = 255;
constexpr char kEndMark = 127;
constexpr uint32_t kSourceBlockSize = 65536;  // bytes read from the source at a time

struct LexState {
    int32_t pushBackCount;
    int32_t lineLength;
    int32_t lineNumber;
    int32_t readIndex;
    char fileName[kFileNameMax + 1];
    FILE* stream;
    uint32_t blockNext;  // the next unread byte of block
    uint32_t blockEnd;   // the bytes of block read from the stream
    // The current line: its bytes in block when it lies whole there with a plain line end,
    // else copied into line. Only [0, lineLength) is in use; no terminating zero.
    const char* text;
    char* block;  // kSourceBlockSize bytes; each include depth reads into a block of its own
    bool blockRead;  // the file's first block has been read (and its byte order mark seen)
    bool utf8;       // the file's text is UTF-8 (SourceUtf8, or its own byte order mark)
    char line[MAXITEMSIZE + 1];  // the line when it had to be copied (joined, folded or cut)
};

// The one live lexer state, a static object so that the character readers reach it at a fixed
// address; gLex points at it once a run has started.
extern LexState gLexState;
extern LexState* gLex;

// Snapshot of the live state, for the fatal reporter.
class TLexState {
public:
    TLexState();
    virtual ~TLexState();
    void Capture();
    const LexState& State() const { return *copy_; }
    LexState& State() { return *copy_; }
private:
    TLexState(const TLexState&) = delete;
    TLexState& operator=(const TLexState&) = delete;
    LexState* copy_;
};

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

void ResetCharSource();                                   // fresh state at the start of a run
void StartLexFile(FILE* stream, const char* name);        // zero counters, set name and stream
// A look-ahead already consumed the line end before the buffered line (see ReturnToMark).
extern bool gLineEndPassed;
int GetCharacterSlow();  // GetCharacter when a refill or the flag is involved
// The next character (0..255, 127 = end). The common case, a character of the buffered line,
// is inline: it is taken once per source byte.
inline int GetCharacter() {
    LexState& s = gLexState;
    if (s.readIndex >= s.lineLength || gLineEndPassed) return GetCharacterSlow();
    if (s.pushBackCount > 0) --s.pushBackCount;
    return (unsigned char)s.text[s.readIndex++];
}
void UngetCharacterSlow();  // UngetCharacter at a limit: reports it and does nothing
// Steps back over the character just read (after a word, a number ...): inline too.
inline void UngetCharacter() {
    LexState& s = gLexState;
    if (s.pushBackCount > MAXITEMSIZE || s.readIndex < 1) return UngetCharacterSlow();
    --s.readIndex;
    ++s.pushBackCount;
}
// Run readers: the unread rest of the buffered line, so that a reader can scan a run of
// characters in place; empty when the next character needs GetCharacter. Taking n of them
// counts as n GetCharacter calls.
inline const char* UnreadLine(int32_t& length) {
    const LexState& s = gLexState;
    length = gLineEndPassed || s.readIndex >= s.lineLength ? 0 : s.lineLength - s.readIndex;
    return s.text + s.readIndex;
}
inline void TakeCharacters(int32_t n) {
    LexState& s = gLexState;
    s.readIndex += n;
    s.pushBackCount = s.pushBackCount > n ? s.pushBackCount - n : 0;
}
// GetCharacter followed by UngetCharacter in one step, for the next character of the buffered
// line: the read position stays; the push-back count is left as the pair would leave it. False,
// nothing done, when the next character is not in the buffered line.
inline bool ReadAndStepBack() {
    LexState& s = gLexState;
    if (s.readIndex >= s.lineLength || gLineEndPassed) return false;
    if (s.pushBackCount == 0) s.pushBackCount = 1;
    return true;
}
// Passes over the characters of the buffered line that skip marks, then reads the next
// character as GetCharacter does; the same as that many GetCharacter calls.
inline int GetCharacterAfterRun(const bool* skip) {
    LexState& s = gLexState;
    if (!gLineEndPassed) {
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
    return gLexState.utf8;
}
// The live state's line number; 0 before the first run (the state is zero-initialised).
inline int CurrentLineNumber() {
    return gLexState.lineNumber;
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
