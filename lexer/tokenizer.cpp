// Tokenizer: the per-character handlers that cut the character stream into tokens.
#include "lexer/tokenizer.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/names.h"
#include "lexer/sourcetext.h"
#include "lexer/scan.h"
#include "lexer/symbols.h"

namespace {

const char kUnterminatedFormat[] = "%s(%ld) : error: Possible unterminated string '%c' position %d\n";
const char kNoStringEndFormat[] =
    "GetString - unable to find string end within %d \ncharacters. Check for matching or "
    "consider increasing MAXITEMSIZE.\nSkipping to next delimeter and hoping!\n";

// The punctuation characters and their token kinds.
struct PunctuationRow {
    char character;
    uint8_t kind;
};
constexpr PunctuationRow kPunctuation[] = {
    {'!', kTokBang},      {'(', kTokOpenParen}, {')', kTokCloseParen}, {'*', kTokStar},
    {'+', kTokPlus},      {',', kTokComma},     {'-', kTokMinus},      {':', kTokColon},
    {';', kTokSemicolon}, {'<', kTokLess},      {'>', kTokGreater},    {'{', kTokOpenBrace},
    {'|', kTokBar},       {'}', kTokCloseBrace},
};
struct PunctuationKinds {
    uint8_t of[256];
    constexpr PunctuationKinds() : of() {
        for (const PunctuationRow& row : kPunctuation) of[(unsigned char)row.character] = row.kind;
    }
};
constexpr PunctuationKinds kPunctuationKinds;

bool IsWordChar(int c) {
    return c >= 0 && c <= 0xFF && kWordBytes.of[c];
}

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

bool IsWhite(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Takes the word characters that follow in the buffered line into dest[count, maxCount), as
// GetIdentifier's loop would read them; returns the new count.
int TakeWordRun(char* dest, int count, int maxCount) {
    int32_t available;
    const char* text = UnreadLine(available);
    const int32_t room = maxCount - count;
    const int32_t n = WordRunLength(text, room < available ? room : available);
    std::memcpy(dest + count, text, size_t(n));
    TakeCharacters(n);
    return count + n;
}

// The string token's store with room for count characters and a terminating zero.
char* StringStore(size_t count) {
    std::vector<char>& store = Lex().stringStore;
    if (store.size() < count + 1) store.resize(count + 1 > 2 * store.size() ? count + 1 : 2 * store.size());
    return store.data();
}

int Precedence(NumberOp op) {
    switch (op) {
        case kOpMultiply: case kOpDivide: return 3;
        case kOpAdd: case kOpSubtract: return 2;
        case kOpAnd: case kOpXor: case kOpOr: return 1;
        default: return 0;
    }
}

// Applies the operator on top of the stack to the two values on top of the value stack.
void ReduceTop() {
    PendingOp top = Lex().numberOps.back();
    Lex().numberOps.pop_back();
    if (top.op == kOpParen) {
        if (top.negate) Lex().numberValues.back() = 0u - Lex().numberValues.back();
        return;
    }
    uint32_t right = Lex().numberValues.back();
    Lex().numberValues.pop_back();
    uint32_t& left = Lex().numberValues.back();
    switch (top.op) {
        case kOpMultiply: left = left * right; break;
        case kOpDivide: left = DivideSigned(left, right); break;
        case kOpAdd: left = left + right; break;
        case kOpSubtract: left = left - right; break;
        case kOpAnd: left = left & right; break;
        case kOpXor: left = left ^ right; break;
        case kOpOr: left = left | right; break;
        default: break;
    }
}

// True, and the digit's value, when c is a hex digit in either letter case.
bool HexDigit(int c, uint32_t& digit) {
    if (c >= '0' && c <= '9') digit = uint32_t(c - '0');
    else if (c >= 'a' && c <= 'f') digit = uint32_t(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F') digit = uint32_t(c - 'A' + 10);
    else return false;
    return true;
}

// A literal: decimal digits, 0x with hex digits, 0b or 0o with digits taken at radix 2 or 8.
uint32_t ReadLiteral(int& c) {
    uint32_t value = 0;
    if (c == '0') {
        c = GetCharacter();
        if (c == 'x') {
            uint32_t digit;
            for (c = GetCharacter(); HexDigit(c, digit); c = GetCharacter())
                value = value * 16u + digit;
            return value;
        }
        if (c == 'b' || c == 'o') {
            uint32_t radix = c == 'b' ? 2u : 8u;
            for (c = GetCharacter(); IsDigit(c); c = GetCharacter())
                value = value * radix + uint32_t(c - '0');
            return value;
        }
    }
    for (; IsDigit(c); c = GetCharacter()) value = value * 10u + uint32_t(c - '0');
    return value;
}

int SkipSpaces(int c) {
    while (c == ' ' || c == '\t') c = GetCharacter();
    return c;
}

void UnterminatedString(int shown) {
    ReportText(Severity::kWarning, false, kUnterminatedFormat, CurrentFileName(),
               (long)CurrentLineNumber(), shown, (int)Lex().lex.readIndex);
    ReportText(Severity::kWarning, false, kNoStringEndFormat, MAXITEMSIZE);
}

// The steps of a number: an operand is wanted, an operator is wanted, the number has ended,
// or it ended before any operand.
enum NumberStep { kStepOperand, kStepOperator, kStepEnd, kStepNothing };

bool OperatorOf(int c, NumberOp& op) {
    switch (c) {
        case '*': op = kOpMultiply; return true;
        case '/': op = kOpDivide; return true;
        case '+': op = kOpAdd; return true;
        case '-': op = kOpSubtract; return true;
        case '&': op = kOpAnd; return true;
        case '^': op = kOpXor; return true;
        case '|': op = kOpOr; return true;
        default: return false;
    }
}

// At c, which is no operand: the operator waiting for an operand is dropped, together with
// the parentheses opened after it; the value so far stands.
void DropWaitingOperator(size_t opBase) {
    while (Lex().numberOps.size() > opBase && Lex().numberOps.back().op == kOpParen) Lex().numberOps.pop_back();
    if (Lex().numberOps.size() > opBase) Lex().numberOps.pop_back();
}

// An operand at c: a literal or an open parenthesis, either with a sign before it.
NumberStep ReadOperand(int& c, size_t valueBase, size_t opBase) {
    bool negate = false;
    if (c == '+' || c == '-') {
        negate = c == '-';
        c = SkipSpaces(GetCharacter());
    }
    if (IsDigit(c)) {
        uint32_t value = ReadLiteral(c);
        Lex().numberValues.push_back(negate ? 0u - value : value);
        return kStepOperator;
    }
    if (c == '(') {
        Lex().numberOps.push_back({kOpParen, negate});
        c = GetCharacter();
        return kStepOperand;
    }
    if (Lex().numberValues.size() == valueBase) return kStepNothing;
    DropWaitingOperator(opBase);
    return kStepEnd;
}

// A ')' at c closes a parenthesis opened in this number, or ends the number.
NumberStep CloseNumberParen(int& c, size_t opBase) {
    size_t i = Lex().numberOps.size();
    while (i > opBase && Lex().numberOps[i - 1].op != kOpParen) --i;
    if (i == opBase) return kStepEnd;
    while (Lex().numberOps.back().op != kOpParen) ReduceTop();
    ReduceTop();
    c = GetCharacter();
    return kStepOperator;
}

// An operator at c: the pending ones that bind at least as tightly are applied first.
NumberStep ReadOperator(int& c, size_t opBase) {
    if (c == ')') return CloseNumberParen(c, opBase);
    NumberOp op;
    if (!OperatorOf(c, op)) return kStepEnd;
    int next = GetCharacter();
    if (op == kOpDivide && (next == '/' || next == '*')) {
        UngetCharacter();  // a comment follows the number: the '/' is left for it
        return kStepEnd;
    }
    while (Lex().numberOps.size() > opBase && Lex().numberOps.back().op != kOpParen &&
           Precedence(Lex().numberOps.back().op) >= Precedence(op))
        ReduceTop();
    Lex().numberOps.push_back({op, false});
    c = next;
    return kStepOperand;
}

// A string being read: where its characters go (a fixed buffer, or the string token's store,
// which grows as they come), and how many its literals held in all.
struct StringScan {
    char* dest;
    int capacity;
    int kept;
    long collected;  // kept or not
    int delimiter;
    bool escapes;
    bool grows;      // dest is the string token's store
};

// Room in dest for n more characters and the terminating zero.
void MakeRoom(StringScan& scan, int n) {
    if (scan.grows) scan.dest = StringStore(size_t(scan.kept) + size_t(n));
}

void StoreStringChar(StringScan& scan, int c) {
    if (scan.kept < scan.capacity) {
        MakeRoom(scan, 1);
        scan.dest[scan.kept++] = char(c);
    }
    ++scan.collected;
}

// Three characters after a backslash, the first a digit, taken as octal digits; the last
// two need not be digits.
int OctalEscapeValue(int first, int second, int third) {
    return (((first - '0') * 8 + (second - '0')) * 8 + (third - '0')) & 0xFF;
}

// Stores the escape after a backslash: as written when escapes are off, else an octal
// escape, \t as a tab, or the character itself. False at the end of input.
bool ReadEscape(StringScan& scan) {
    int next = GetCharacter();
    if (next == kEndMark) return false;
    if (!scan.escapes) {
        StoreStringChar(scan, '\\');
        StoreStringChar(scan, next);
    } else if (IsDigit(next)) {
        int second = GetCharacter();
        int third = second == kEndMark ? second : GetCharacter();
        if (third == kEndMark) return false;
        StoreStringChar(scan, OctalEscapeValue(next, second, third));
    } else {
        StoreStringChar(scan, next == 't' ? '\t' : next);
    }
    return true;
}

// Skips an over-long literal from c to its closing delimiter, or to the end of input, which
// is left for the next token.
void SkipLiteralRest(int c, int delimiter) {
    while (c != delimiter) {
        if (c == '\\') c = GetCharacter();
        if (c == kEndMark) {
            UngetCharacter();
            return;
        }
        c = GetCharacter();
    }
}

// The end of input inside a literal stops the scan; the 127 is left for the next token.
bool EndOfInputInString(int delimiter) {
    UnterminatedString(delimiter);
    UngetCharacter();
    return false;
}

// Takes the ordinary characters of a literal that follow in the buffered line (no delimiter,
// backslash or end mark) as far as the length limit allows, as ReadQuotedText's loop would.
void TakeTextRun(StringScan& scan) {
    int32_t available;
    const char* text = UnreadLine(available);
    const long room = MAXITEMSIZE - scan.collected;
    const int32_t limit = room < available ? int32_t(room > 0 ? room : 0) : available;
    const int32_t n = RunLengthBefore(text, limit, char(scan.delimiter), '\\', kEndMark);
    const int32_t keep = n < scan.capacity - scan.kept ? n : scan.capacity - scan.kept;
    if (keep > 0) {
        MakeRoom(scan, keep);
        std::memcpy(scan.dest + scan.kept, text, size_t(keep));
        scan.kept += keep;
    }
    scan.collected += n;
    TakeCharacters(n);
}

// Reads one literal after its opening delimiter; true when its closing delimiter was read,
// false when the end of input or the length limit cut it.
bool ReadQuotedText(StringScan& scan) {
    for (;;) {
        TakeTextRun(scan);
        int c = GetCharacter();
        if (c == scan.delimiter) return true;
        if (c == kEndMark) return EndOfInputInString(scan.delimiter);
        if (scan.collected >= MAXITEMSIZE) {
            UnterminatedString(c);
            SkipLiteralRest(c, scan.delimiter);
            return false;
        }
        if (c != '\\')
            StoreStringChar(scan, c);
        else if (!ReadEscape(scan))
            return EndOfInputInString(scan.delimiter);
    }
}

// Adjacent literals join, also across line ends: true, the next opening delimiter read, when
// another literal follows; else the read position is as it was.
bool AnotherLiteralFollows(int delimiter) {
    LexMark mark = MarkReadPosition();
    int c;
    do c = GetCharacter();
    while (IsWhite(c));
    if (c == delimiter) return true;
    ReturnToMark(mark);
    return false;
}

// Reads a string's literal and the adjacent ones it joins; 1 when the last one closed.
int ScanString(StringScan& scan) {
    const int delimiter = scan.delimiter;
    bool closed = ReadQuotedText(scan);
    if (ReadingUtf8()) Lex().stringPlace = CurrentSourcePlace();
    int32_t endLine = CurrentLineNumber();
    while (closed && AnotherLiteralFollows(delimiter)) {
        closed = ReadQuotedText(scan);
        endLine = CurrentLineNumber();
    }
    MakeRoom(scan, 0);
    scan.dest[scan.kept] = '\0';
    Lex().lastStringEndLine = endLine;
    return closed ? 1 : 0;
}

// Reads a comment after '/'; false (nothing consumed) when the '/' starts no comment.
bool ReadComment() {
    int c = GetCharacter();
    if (c != '*' && c != '/') {
        UngetCharacter();
        return false;
    }
    if (c == '/') {
        for (;;) {
            c = GetCharacter();
            if (c == '\n' || c == '\r') return true;
            if (c == kEndMark) {
                UngetCharacter();
                return true;
            }
        }
    }
    c = GetCharacter();
    for (;;) {
        if (c == kEndMark) {
            UngetCharacter();
            return true;
        }
        if (c == '*') {
            do c = GetCharacter();
            while (c == '*');
            if (c == '/') return true;
            continue;  // look at the character after the asterisks again
        }
        if (c == '#') {
            UngetCharacter();
            ExamineLineMarker();
        }
        c = GetCharacter();
    }
}

void SkipBlanks(int c);
void SkipComment(int c);
void GetDirective(int c);
void GetKeywordOrLabel(int c);
void GetNumberToken(int c);
void GetStringToken(int c);
void GetCharConstant(int c);
void GetPunctuation(int c);
void GetDollar(int c);
void SetEndOfFile(int c);

// The handler of each byte and of the end mark, and the bytes whose handler is SkipBlanks, for
// scanning runs of them.
struct HandlerTable {
    CharHandler of[257];
    bool blank[256];
    constexpr HandlerTable() : of(), blank() {
        for (CharHandler& slot : of) slot = SkipBlanks;
        for (bool& b : blank) b = true;
        for (int c = 'A'; c <= 'Z'; ++c) Set(c, GetKeywordOrLabel);
        for (int c = 'a'; c <= 'z'; ++c) Set(c, GetKeywordOrLabel);
        Set('_', GetKeywordOrLabel);
        for (int c = '0'; c <= '9'; ++c) Set(c, GetNumberToken);
        Set('"', GetStringToken);
        Set('\'', GetCharConstant);
        Set('#', GetDirective);
        Set('$', GetDollar);
        Set('/', SkipComment);
        for (const PunctuationRow& row : kPunctuation) Set(row.character, GetPunctuation);
        Set(127, SetEndOfFile);
    }
    constexpr void Set(int c, CharHandler handler) {
        of[(unsigned char)c] = handler;
        blank[(unsigned char)c] = false;
    }
};
constexpr HandlerTable kHandlers;

// Passes over the characters skipped as blanks that follow in the buffered line; returns the
// character after them.
int NextAfterBlanks() {
    return GetCharacterAfterRun(kHandlers.blank);
}

// Runs the handler of c; blanks, comments and the '#' of a directive lead on to the next
// character without nesting calls, so long runs of them cost no stack.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
void Dispatch(int c) {
    bool directive = false;
    for (;;) {
        CharHandler handler = kHandlers.of[c & 0xFF];
        if (handler == SkipBlanks) {
            c = NextAfterBlanks();
            continue;
        }
        if (handler == GetDirective) {
            directive = true;
            c = GetCharacter();
            continue;
        }
        if (handler == SkipComment) {
            if (ReadComment()) {
                c = GetCharacter();
                continue;
            }
            if (directive) Lex().identBuffer[0] = '\0';  // no name
            Token().kind = kTokSlash;
            break;
        }
        if (directive && handler != GetKeywordOrLabel) Lex().identBuffer[0] = '\0';  // no name
        handler(c);
        break;
    }
    if (directive) {
        Token().wordKind = Token().kind;
        Token().kind = kTokDirective;
    }
}

// The start of a token: the blanks before it are passed over, and the handlers of the most
// common tokens, punctuation and words, are called here; every other character goes to
// Dispatch.
void StartToken() {
    int c = NextAfterBlanks();
    while (kHandlers.blank[c & 0xFF]) c = NextAfterBlanks();  // blanks on the next line
    const CharHandler handler = kHandlers.of[c & 0xFF];
    if (handler == GetPunctuation)
        GetPunctuation(c);
    else if (handler == GetKeywordOrLabel)
        GetKeywordOrLabel(c);
    else
        Dispatch(c);
}

void SkipBlanks(int) {
    Dispatch(GetCharacter());
}

void SkipComment(int) {
    if (ReadComment())
        Dispatch(GetCharacter());
    else
        Token().kind = kTokSlash;
}

void GetDirective(int c) {
    Dispatch(c);  // the '#' itself leads on to the token after it
}

// typedef, enum and include, which no table holds: true, the token set, when the word is one.
bool ReadReservedWord(const char* word, int length) {
    if (length != 4 && length != 7) return false;  // most words are none of the three
    if (NamesMatchNoCase(word, "typedef")) {
        // Of the character-constant kind for the statement loop, but it carries no code: a
        // code read from it would be whatever constant came before.
        Token().kind = kTokCharConst;
        Token().shortText[0] = '\0';
        Token().fromWord = true;
        return true;
    }
    if (NamesMatchNoCase(word, "enum")) {
        Token().kind = kTokEnum;
        return true;
    }
    if (NamesMatchNoCase(word, "include")) {
        Token().kind = kTokInclude;
        Token().shortText[0] = '\0';
        return true;
    }
    return false;
}

// A defined name or an enum constant stands for its value; any other word stays an identifier.
// noCaseHash is the word's HashNameNoCase, which both lookups take.
void ReplaceDefinedName(const char* word, uint32_t noCaseHash) {
    if (const SymbolRecord* symbol = FindSymbol(word, noCaseHash)) {
        Token().fromWord = true;
        if (symbol->kind == 2) {
            const std::string& value = symbol->stringValue;  // copied without padding
            const size_t count = value.size() < size_t(MAXITEMSIZE) ? value.size() : MAXITEMSIZE;
            char* buffer = StringStore(count);
            std::memcpy(buffer, value.data(), count);
            buffer[count] = '\0';
            Token().stringText = buffer;
            Token().kind = kTokString;
        } else {
            Token().kind = kTokNumber;
            Token().number = uint32_t(symbol->numberValue);
        }
        return;
    }
    if (const EnumConstant* constant = FindEnumConstant(word, noCaseHash)) {
        Token().fromWord = true;
        Token().kind = kTokNumber;
        Token().number = uint32_t(constant->value);
    }
}

void GetKeywordOrLabel(int c) {
    uint32_t previous = Token().kind;
    const int length = GetIdentifier(c, Lex().identBuffer, kIdentMax);
    Token().identText = Lex().identBuffer;
    if (ReadReservedWord(Lex().identBuffer, length)) return;
    const uint32_t hash = HashNameNoCase(Lex().identBuffer, size_t(length));
    if (const KeywordRow* row = FindKeyword(Lex().identBuffer, hash)) {
        Token().kind = row->kind;
        return;
    }
    Token().kind = kTokIdentifier;
    if (previous == kTokDirective) return;  // the word after a directive is never replaced
    ReplaceDefinedName(Lex().identBuffer, hash);
}

void GetNumberToken(int c) {
    Token().number = GetNumber(c);
    Token().kind = kTokNumber;
}

void GetStringToken(int c) {
    StringScan scan = {StringStore(0), MAXITEMSIZE, 0, 0, c, false, true};
    ScanString(scan);
    Token().stringText = scan.dest;
    Token().kind = kTokString;
    Lex().stringEnded = true;
}

// A constant of a UTF-8 source: its text in the target code page, the first four bytes kept.
void GetUtf8CharConstant() {
    std::string text;
    for (int c = GetCharacter(); c != '\''; c = GetCharacter()) {
        if (c == kEndMark) {
            UngetCharacter();
            break;
        }
        text += char(c);
    }
    RecodeSourceText(text, kCharConstant);
    const size_t count = text.size() < 4 ? text.size() : 4;
    std::memcpy(Token().shortText, text.data(), count);
    Token().shortText[count] = '\0';
    Token().kind = kTokCharConst;
}

void GetCharConstant(int) {
    if (ReadingUtf8()) return GetUtf8CharConstant();
    int count = 0;
    for (;;) {
        int c = GetCharacter();
        if (c == '\'') break;
        if (c == kEndMark) {
            UngetCharacter();
            break;
        }
        if (count < 4) Token().shortText[count++] = char(c);
    }
    Token().shortText[count] = '\0';
    Token().kind = kTokCharConst;
}

void GetPunctuation(int c) {
    Token().kind = kPunctuationKinds.of[c & 0xFF];
}

void GetDollar(int) {
    Token().kind = kTokDollar;
}

void SetEndOfFile(int) {
    Token().kind = kTokEnd;
}

}  // namespace

// The one division of both evaluators, number literals and token expressions.
uint32_t DivideSigned(uint32_t a, uint32_t b) {
    if (b == 0) FatalError("Division by zero");
    if (b == 0xFFFFFFFFu) return 0u - a;
    return uint32_t(int32_t(a) / int32_t(b));
}

void GetToken() {
    if (Lex().pushedBack) {
        Lex().pushedBack = false;  // the record still holds the token, its line included
        return;
    }
    Token().fromWord = false;
    Lex().stringEnded = false;
    StartToken();
    // A string belongs to the line on which its last literal ended, even when the look-ahead
    // for a further literal has moved on to a later line.
    Token().line = Token().kind == kTokString && Lex().stringEnded ? Lex().lastStringEndLine
                                                            : CurrentLineNumber();
}

void UngetToken() {
    if (Lex().pushedBack) FatalError("UngetToken: Can only unget one token at a time");
    Lex().pushedBack = true;
}

bool TokenPushedBack() {
    return Lex().pushedBack;
}

void ClearPushedBackToken() {
    Lex().pushedBack = false;
}

int GetIdentifier(int first, char* dest, int maxCount) {
    int count = 0;
    int c = first;
    if (IsWordChar(c) && count < maxCount) {
        dest[count++] = char(c);
        count = TakeWordRun(dest, count, maxCount);
        if (ReadAndStepBack()) {  // the run ended before the line did: the word is whole
            dest[count] = '\0';
            return count;
        }
        c = GetCharacter();
    }
    while (IsWordChar(c) && count < maxCount) {
        dest[count++] = char(c);
        c = GetCharacter();
    }
    dest[count] = '\0';
    UngetCharacter();
    return count;
}

const SourcePlace& LastStringPlace() {
    return Lex().stringPlace;
}

int GetString(int delimiter, char* dest, bool escapes, int capacity) {
    if (capacity <= 0 || capacity > MAXITEMSIZE) capacity = MAXITEMSIZE;
    StringScan scan = {dest, capacity, 0, 0, delimiter, escapes, false};
    return ScanString(scan);
}


// A number that is one decimal or hex literal with no operator after it (blanks may follow),
// read in place; false, nothing taken, for anything else: the evaluator takes it then.
bool ReadPlainLiteral(int first, uint32_t& value) {
    int32_t available;
    const char* text = UnreadLine(available);
    int32_t n = 0;
    value = 0;
    if (first == '0' && available > 0 && text[0] == 'x') {
        uint32_t digit;
        for (n = 1; n < available && HexDigit((unsigned char)text[n], digit); ++n)
            value = value * 16u + digit;
    } else {
        if (first == '0' && available > 0 && (text[0] == 'b' || text[0] == 'o')) return false;
        value = uint32_t(first - '0');
        for (; n < available && IsDigit((unsigned char)text[n]); ++n)
            value = value * 10u + uint32_t(text[n] - '0');
    }
    while (n < available && (text[n] == ' ' || text[n] == '\t')) ++n;
    if (n >= available) return false;
    NumberOp op;
    if (OperatorOf((unsigned char)text[n], op)) return false;
    TakeCharacters(n);
    ReadAndStepBack();  // the character that ended the number, in the line as n < available
    return true;
}

uint32_t GetNumber(int first) {
    uint32_t plain;
    if (IsDigit(first) && ReadPlainLiteral(first, plain)) return plain;
    const size_t valueBase = Lex().numberValues.size();
    const size_t opBase = Lex().numberOps.size();
    int c = first;
    NumberStep step = kStepOperand;
    while (step != kStepEnd) {
        c = SkipSpaces(c);
        step = step == kStepOperand ? ReadOperand(c, valueBase, opBase) : ReadOperator(c, opBase);
        if (step == kStepNothing) {
            // Nothing to evaluate at all (only a line marker can start this way).
            ReportText(Severity::kWarning, false, "failed at '%c'\n", c);
            Lex().numberOps.resize(opBase);
            UngetCharacter();
            return 0;
        }
    }
    while (Lex().numberOps.size() > opBase) ReduceTop();
    uint32_t result = Lex().numberValues.back();
    Lex().numberValues.resize(valueBase);
    UngetCharacter();  // the character that ended the number
    return result;
}
