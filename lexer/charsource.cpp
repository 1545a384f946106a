// Character source: reads the current file line by line, folds line ends, honours line markers.
#include "lexer/charsource.h"

#include <cstring>
#include <memory>
#include <vector>

#include "lexer/fatal.h"
#include "lexer/resolver.h"
#include "lexer/scan.h"
#include "lexer/tokenizer.h"

namespace {

bool IsWhiteByte(int b) {
    return b == ' ' || b == '\t' || b == '\n' || b == '\v' || b == '\f' || b == '\r';
}

// Line numbers wrap instead of overflowing (a marker can set any 32-bit value).
void AdvanceLineNumber(LexState& s) {
    s.lineNumber = int32_t(uint32_t(s.lineNumber) + 1u);
}

struct MarkerScope {
    MarkerScope() { Lex().markerInProgress = true; }
    ~MarkerScope() { Lex().markerInProgress = false; }
};

// Works on the line in the buffer; returns true when the line was a marker and is consumed.
bool ProcessLineMarker() {
    for (;;) {
        int c = GetCharacter();
        if (c == '#') break;
        if (c == kEndMark) {
            UngetCharacter();
            return false;
        }
    }
    char word[kIdentMax + 1];
    GetIdentifier(GetCharacter(), word, kIdentMax);
    if (std::strcmp(word, "line") != 0) return false;
    uint32_t value = GetNumber(GetCharacter());
    Lex().lex.lineNumber = int32_t(value - 1u);
    for (;;) {
        int c = GetCharacter();
        if (c == '"') break;
        if (c == '\n') return true;
        if (c == kEndMark) {
            UngetCharacter();
            return true;
        }
    }
    // The name ends at the marker's line end at the latest (the buffer is not refilled).
    char name[kFileNameMax + 1];
    if (!GetString('"', name, true, kFileNameMax)) {
        size_t length = std::strlen(name);
        if (length > 0 && name[length - 1] == '\n') name[length - 1] = '\0';
    }
    std::memcpy(Lex().lex.fileName, name, sizeof name);
    return true;
}

// A file is UTF-8 under -u or when it starts with the byte order mark (which the tokenizer
// then skips like any byte that starts no token); the main source's mark stands for -u.
void NoteTextEncoding(LexState& s, size_t count) {
    s.blockRead = true;
    const bool mark = count >= 3 && std::memcmp(s.block, "\xEF\xBB\xBF", 3) == 0;
    Settings& settings = Lex().settings;
    if (mark && Lex().savedDepth == 0) settings.sourceUtf8 = true;
    s.utf8 = settings.sourceUtf8 || mark;
}

// Reads the next block of the source; false at its end. A read error is no end of the source:
// converting what came before would pass for a success.
bool RefillBlock(LexState& s) {
    if (!s.reader) return false;
    size_t count = 0;
    if (!s.reader->Read(s.block, kSourceBlockSize, count))
        FatalError("Unable to read the input file");
    if (!s.blockRead) NoteTextEncoding(s, count);
    s.blockNext = 0;
    s.blockEnd = uint32_t(count);
    return count > 0;
}

int NextSourceByte(LexState& s) {
    if (s.blockNext == s.blockEnd && !RefillBlock(s)) return EOF;
    return (unsigned char)s.block[s.blockNext++];
}

// The next byte of the source, a line end (CR, LF, CR LF or LF CR) folded into one '\n'; the
// end mark at the end of the source.
int ReadSourceByte(LexState& s) {
    int b = NextSourceByte(s);
    if (b == EOF) return kEndMark;
    if (b == '\r' || b == '\n') {
        int next = NextSourceByte(s);
        if (next != EOF && (next == b || (next != '\r' && next != '\n')))
            --s.blockNext;  // it was just read from the block, so it is still there
        return '\n';
    }
    return b;
}

// Bytes that end a run of ordinary line bytes: line ends and the end mark.
bool EndsRun(char c) {
    return c == '\n' || c == '\r' || c == kEndMark;
}

// Copies the ordinary bytes that follow in the block into the line, as far as the piece limit
// allows; notes whether the first non-blank byte of the line is '#'.
// Room in the line being copied for n more characters and a zero; the line is the current one.
char* LineRoom(LexState& s, size_t n) {
    const size_t need = size_t(s.lineLength) + n + 1;
    if (s.line.size() < need) s.line.resize(need > 2 * s.line.size() ? need : 2 * s.line.size());
    s.text = s.line.data();
    return s.line.data();
}

void CopyOrdinaryRun(LexState& s, bool& nonBlankSeen, bool& hashFirst) {
    const char* from = s.block + s.blockNext;
    uint32_t room = uint32_t(kLinePieceMax - s.lineLength);
    uint32_t limit = s.blockEnd - s.blockNext < room ? s.blockEnd - s.blockNext : room;
    const uint32_t count = uint32_t(RunLengthBefore(from, int32_t(limit), '\n', '\r', kEndMark));
    for (uint32_t i = 0; i < count && !nonBlankSeen; ++i) {
        if (IsWhiteByte((unsigned char)from[i])) continue;
        nonBlankSeen = true;
        hashFirst = from[i] == '#';
    }
    std::memcpy(LineRoom(s, count) + s.lineLength, from, count);
    s.lineLength += int32_t(count);
    s.line[s.lineLength] = '\0';
    s.blockNext += count;
}

void AppendLineByte(LexState& s, int b) {
    LineRoom(s, 1)[s.lineLength++] = char(b);
    s.line[s.lineLength] = '\0';
}

// True when the first non-blank byte of text[0, length) is '#'.
bool StartsWithHash(const char* text, uint32_t length) {
    for (uint32_t i = 0; i < length; ++i)
        if (!IsWhiteByte((unsigned char)text[i])) return text[i] == '#';
    return false;
}

// Takes the next line where it stands in the block when the block holds it whole and the byte
// after its end: a CR line end is rewritten to LF there, and the second byte of a CR LF or
// LF CR pair passed over, as ReadSourceByte folds them. False, nothing taken, otherwise.
bool TakeLineInPlace(LexState& s, bool& hashFirst) {
    char* const start = s.block + s.blockNext;
    const char* const stop = s.block + s.blockEnd;
    char* end = start + RunLengthBefore(start, int32_t(stop - start), '\n', '\r', kEndMark);
    if (end + 1 >= stop) return false;
    const char b = *end;
    uint32_t next = uint32_t(end - s.block) + 1;
    if (b == '\r' || b == '\n') {
        const char after = *(end + 1);
        if ((after == '\r' || after == '\n') && after != b) ++next;
        *end = '\n';
    }
    s.text = start;
    s.lineLength = int32_t(end - start) + 1;
    s.readIndex = 0;
    s.blockNext = next;
    hashFirst = StartsWithHash(start, uint32_t(end - start));
    return true;
}

// Reads a physical line into the line buffer, its line end included; false when it is cut
// as an over-long piece. hashFirst: its first non-blank byte is '#'.
bool CopyLine(LexState& s, bool& hashFirst) {
    s.lineLength = 0;
    s.readIndex = 0;
    LineRoom(s, 0)[0] = '\0';
    bool nonBlankSeen = false;
    hashFirst = false;
    for (;;) {
        CopyOrdinaryRun(s, nonBlankSeen, hashFirst);
        if (s.lineLength >= kLinePieceMax) {
            ReportText(Severity::kWarning, false, "Line length overflow!  Line %d in file %s.\n",
                       (int)s.lineNumber, s.fileName);
            AppendLineByte(s, '\n');
            return false;
        }
        if (s.blockNext < s.blockEnd || RefillBlock(s)) {
            if (!EndsRun(s.block[s.blockNext])) continue;  // a new block: more ordinary bytes
        }
        int b = ReadSourceByte(s);  // a line end or the end of the source
        AppendLineByte(s, b);
        return true;
    }
}

// The next physical line (or the next piece of an over-long one); false when it was cut.
bool FillLine(LexState& s, bool& hashFirst) {
    return TakeLineInPlace(s, hashFirst) || CopyLine(s, hashFirst);
}

// True when the buffered line was a line marker and is consumed.
bool ConsumeLineMarker() {
    MarkerScope scope;
    return ProcessLineMarker();
}

// Refills the line buffer with the next physical line (or the next piece of an over-long one);
// line markers are taken in and passed over.
void ReadLine() {
    LexContext& run = Lex();
    if (run.markerInProgress) return;
    LexState& s = run.lex;
    for (;;) {
        ++run.refills;
        bool hashFirst;
        if (!FillLine(s, hashFirst)) return;
        if (!hashFirst) break;
        if (!ConsumeLineMarker()) {
            s.readIndex = 0;
            break;
        }
    }
    AdvanceLineNumber(s);
}

}  // namespace

// Copies what is in use of a state: the counters, where its block is, and the line. The
// block itself stays: an include reads into the block of its own depth.
static void CopyLexState(LexState& to, const LexState& from) {
    to.pushBackCount = from.pushBackCount;
    to.lineLength = from.lineLength;
    to.lineNumber = from.lineNumber;
    to.readIndex = from.readIndex;
    std::memcpy(to.fileName, from.fileName, sizeof to.fileName);
    to.reader = from.reader;
    to.blockNext = from.blockNext;
    to.blockEnd = from.blockEnd;
    to.block = from.block;
    to.blockRead = from.blockRead;
    to.utf8 = from.utf8;
    // The copy holds its line in its own buffer, wherever the original's stands.
    if (to.line.size() < size_t(from.lineLength) + 1) to.line.resize(size_t(from.lineLength) + 1);
    std::memmove(to.line.data(), from.text, size_t(from.lineLength));
    to.line[size_t(from.lineLength)] = '\0';
    to.text = to.line.data();
}

// The source block of an include depth. The saved states and blocks by depth are kept for the
// rest of the run: nested and repeated includes reuse memory in use.
static char* SourceBlock(size_t depth) {
    std::vector<std::unique_ptr<char[]>>& blocks = Lex().sourceBlocks;
    while (blocks.size() <= depth) blocks.emplace_back(new char[kSourceBlockSize]);
    return blocks[depth].get();
}

CSaveLexState::CSaveLexState() {
    LexContext& run = Lex();
    if (run.savedDepth == run.savedStates.size()) run.savedStates.emplace_back(new LexState);
    saved_ = run.savedStates[run.savedDepth++].get();
    CopyLexState(*saved_, run.lex);
    run.lineEndPassed = false;
}

CSaveLexState::~CSaveLexState() {
    LexContext& run = Lex();
    CopyLexState(run.lex, *saved_);
    ClearPushedBackToken();
    run.lineEndPassed = false;
    --run.savedDepth;
}

void StartLexFile(SourceReader* reader, const char* name) {
    LexContext& run = Lex();
    LexState& s = run.lex;
    s.pushBackCount = 0;
    s.lineLength = 0;
    s.lineNumber = 0;
    s.readIndex = 0;
    std::strncpy(s.fileName, name ? name : "UNKNOWN", kFileNameMax);
    s.fileName[kFileNameMax] = '\0';
    s.text = "";
    s.reader = reader;
    s.block = SourceBlock(run.savedDepth);
    s.blockNext = s.blockEnd = 0;
    s.blockRead = false;
    s.utf8 = run.settings.sourceUtf8;
    run.lineEndPassed = false;
}

int GetCharacterSlow() {
    LexState& s = Lex().lex;
    Lex().lineEndPassed = false;
    if (s.pushBackCount > 0) --s.pushBackCount;
    if (s.readIndex >= s.lineLength) {
        ReadLine();
        if (s.readIndex >= s.lineLength) {
            // Only while a marker is examined: its line is all there is, so report the end.
            // The index steps once past the line so that a push-back returns to it.
            s.readIndex = s.lineLength + 1;
            return (unsigned char)kEndMark;
        }
    }
    return (unsigned char)s.text[s.readIndex++];
}

void UngetCharacterSlow() {
    LexState& s = Lex().lex;
    if (s.pushBackCount > MAXITEMSIZE) {
        ReportText(Severity::kWarning, false, "UngetCharacter: can only unget 1k characters.\n");
        return;
    }
    ReportText(Severity::kWarning, false, "UngetCharacter: no characters read yet: Line# %4d\n",
               (int)s.lineNumber);
}

void SkipToCharacter(int c) {
    ClearPushedBackToken();
    if (c == '\n' && Lex().lineEndPassed) {
        Lex().lineEndPassed = false;
        return;
    }
    for (;;) {
        int ch = GetCharacter();
        if (ch == c) return;
        if (ch == (unsigned char)kEndMark) {
            UngetCharacter();
            return;
        }
    }
}

const char* CurrentFileName() {
    return Lex().lex.fileName;
}

LexMark MarkReadPosition() {
    return LexMark{Lex().refills, Lex().lex.readIndex};
}

void ReturnToMark(const LexMark& mark) {
    LexState& s = Lex().lex;
    int32_t back;
    if (mark.refill == Lex().refills) {
        back = s.readIndex > mark.readIndex ? s.readIndex - mark.readIndex : 0;
        s.readIndex -= back;
    } else {
        // The look-ahead left the marked line: resume at the start of the line now buffered.
        back = s.readIndex;
        s.readIndex = 0;
        Lex().lineEndPassed = true;
    }
    s.pushBackCount = s.pushBackCount + back > MAXITEMSIZE + 1 ? MAXITEMSIZE + 1
                                                               : s.pushBackCount + back;
}

void ExamineLineMarker() {
    MarkerScope scope;
    ProcessLineMarker();
}
