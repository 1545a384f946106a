// Defined symbols, enum constants, token-level expressions and enum declarations.
#include "lexer/symbols.h"

#include <cstring>
#include <deque>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "core/diagnostics.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/names.h"
#include "lexer/tokenizer.h"

namespace {

// Both lists grow at the back. Each index maps a name's key to the newest record of that key,
// so the newest definition of a name hides the older ones. A deque keeps the record AddSymbol
// hands out in place.
std::deque<SymbolRecord> gSymbols;
std::vector<EnumConstant> gConstants;
constexpr size_t kEnumNameMax = 255;

std::string CopyText(const char* text, size_t limit) {
    return std::string(text, strnlen(text, limit));
}

// How each index hashes and compares its names, and where it finds a record's name.
struct SymbolNames {
    static uint32_t Hash(const char* name) { return HashNameNoCase(name); }
    static bool Same(const char* a, const char* b) { return NamesMatchNoCase(a, b); }
    static const char* NameOf(size_t i) { return gSymbols[i].name.c_str(); }
};
struct ConstantNames {
    static uint32_t Hash(const char* name) { return HashNameNoCase(name); }
    static bool Same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }
    static const char* NameOf(size_t i) { return gConstants[i].name.c_str(); }
};

// An open-addressed index from a name to the newest record of that name: a record added under
// a name already there takes its slot, so it hides the older one. Each slot keeps its name's
// hash, compared before the name. Lookups allocate nothing.
template <typename Names>
struct NameIndex {
    struct Slot {
        uint32_t entry;  // record number + 1; 0 is a free slot (eight bytes a slot)
        uint32_t hash;
    };
    std::vector<Slot> slots;
    size_t used = 0;

    size_t SlotOf(const char* name, uint32_t h) const {
        size_t mask = slots.size() - 1;
        size_t slot = h & mask;
        while (slots[slot].entry != 0 &&
               (slots[slot].hash != h || !Names::Same(name, Names::NameOf(slots[slot].entry - 1))))
            slot = (slot + 1) & mask;
        return slot;
    }
    // Null-safe: an empty index finds nothing.
    const uint32_t* Find(const char* name, uint32_t h) const {
        if (slots.empty()) return nullptr;
        size_t slot = SlotOf(name, h);
        return slots[slot].entry != 0 ? &slots[slot].entry : nullptr;
    }
    void Grow() {
        std::vector<Slot> old(slots.empty() ? 64 : slots.size() * 2, Slot{0, 0});
        old.swap(slots);
        for (const Slot& s : old)
            if (s.entry != 0) slots[SlotOf(Names::NameOf(s.entry - 1), s.hash)] = s;
    }
    void Add(size_t record) {
        if (record >= UINT32_MAX) throw std::bad_alloc();  // no slot holds such a number
        if (2 * (used + 1) > slots.size()) Grow();
        const char* name = Names::NameOf(record);
        const uint32_t h = Names::Hash(name);
        size_t slot = SlotOf(name, h);
        if (slots[slot].entry == 0) ++used;
        slots[slot] = Slot{uint32_t(record + 1), h};
    }
    void Clear() {
        slots.clear();
        used = 0;
    }
};

NameIndex<SymbolNames> gSymbolIndex;
NameIndex<ConstantNames> gConstantIndex;

[[noreturn]] void EnumFailure(int line, const char* message) {
    WriteConsole("Line #%d ", line);
    FatalError(message);
}

// A value cut to 16 bits and sign-extended.
int32_t Cut16(uint32_t value) {
    int32_t low = int32_t(value & 0xFFFFu);
    return low >= 0x8000 ? low - 0x10000 : low;
}

// The member name for a token that is not a plain word: the word it was read from (a keyword,
// or a name replaced by its value), else an empty name that no lookup finds.
const char* MemberName() {
    uint32_t kind = gToken.kind;
    bool fromWord = kind == kTokIdentifier || gToken.fromWord || kind == kTokData ||
                    kind == kTokInclude || kind == kTokEnum || kind == kTokRead ||
                    kind == kTokResource || kind >= kKwFilter;
    return fromWord ? gToken.identText : "";
}

// Expression evaluation: each operator takes the whole rest of the expression as its right
// operand. Pending operators are kept on a stack instead of the call stack.
enum ExprOp { kExprRoot, kExprParen, kExprAdd, kExprSubtract, kExprMultiply, kExprDivide,
              kExprOr, kExprShift };
struct ExprFrame {
    ExprOp op;
    uint32_t value;
};

uint32_t Combine(ExprOp op, uint32_t left, uint32_t right) {
    switch (op) {
        case kExprAdd: return left + right;
        case kExprSubtract: return left - right;
        case kExprMultiply: return left * right;
        case kExprDivide: return DivideSigned(left, right);
        case kExprOr: return left | right;
        case kExprShift: return left << (right & 31u);
        default: return right;  // parentheses: the inner value
    }
}

std::vector<ExprFrame> gExprFrames;  // the open expressions, the whole one at the bottom

struct TokenOperator {
    uint32_t kind;
    ExprOp op;
};
// The tokens that open an expression by themselves ('<' opens one only as "<<").
const TokenOperator kTokenOperators[] = {
    {kTokPlus, kExprAdd},     {kTokMinus, kExprSubtract}, {kTokStar, kExprMultiply},
    {kTokSlash, kExprDivide}, {kTokBar, kExprOr},         {kTokOpenParen, kExprParen},
};

bool OperatorOfToken(uint32_t kind, ExprOp& op) {
    for (const TokenOperator& row : kTokenOperators) {
        if (row.kind == kind) {
            op = row.op;
            return true;
        }
    }
    return false;
}

// Ends the innermost open expression, folding its value into the one around it. False, the
// value in result, when it was the whole expression.
bool EndInnermost(int32_t& result, ExprOp& ended) {
    ExprFrame done = gExprFrames.back();
    gExprFrames.pop_back();
    ended = done.op;
    if (gExprFrames.empty()) {
        result = int32_t(done.value);
        return false;
    }
    gExprFrames.back().value = Combine(done.op, gExprFrames.back().value, done.value);
    return true;
}

// Check that the current token is ')' and skip it.
void SkipCloseParen() {
    if (gToken.kind != kTokCloseParen)
        FatalError("GetExpression: Matching parantheses expected!\n");
    GetToken();
}

// An undefined word ends the innermost expression and is consumed; false when that was the
// whole expression.
bool EndByWord(int32_t& result) {
    ExprOp ended;
    if (!EndInnermost(result, ended)) return false;
    GetToken();
    if (ended == kExprParen) SkipCloseParen();
    return true;
}

// Any other token ends every open expression up to a parenthesis, which it must then close;
// false, the token pushed back, when it ended the whole expression.
bool EndByOtherToken(int32_t& result) {
    for (;;) {
        ExprOp ended;
        if (!EndInnermost(result, ended)) {
            UngetToken();
            return false;
        }
        if (ended == kExprParen) {
            SkipCloseParen();
            return true;
        }
    }
}

// A member value given as a character constant of one or four characters.
uint32_t CharConstantValue() {
    // The word typedef has this kind but no characters: the length error below.
    size_t length = std::strlen(gToken.shortText);
    const unsigned char* text = (const unsigned char*)gToken.shortText;
    if (length == 1) return text[0];
    if (length == 4)
        return (uint32_t(text[0]) << 24) | (uint32_t(text[1]) << 16) | (uint32_t(text[2]) << 8) |
               uint32_t(text[3]);
    char message[256] = {0};
    FormatBounded(message, sizeof message - 1,
                  "(enum) Wrong number of characters expected at \"%s\"", gToken.identText);
    EnumFailure(CurrentLineNumber(), message);
}

// On the token after a member's name: takes the member's value, if one is given, into
// running, and returns on the token after it (a comma or a close brace when no value).
void ReadMemberValue(uint32_t& running) {
    switch (gToken.kind) {
        case kTokComma:
        case kTokCloseBrace:
            return;
        case kTokNumber:
            running = gToken.number;
            break;
        case kTokCharConst:
            running = CharConstantValue();
            break;
        default:
            UngetToken();
            running = uint32_t(Cut16(uint32_t(GetExpression())));
            // The token that ended the expression becomes the current one.
            if (TokenPushedBack()) GetToken();
            return;
    }
    GetToken();
}

// A failed allocation ends the run with the enum's own messages, and leaves the list as it was.
void AddEnumConstant(const char* name, const char* enumName, uint32_t value) {
    try {
        gConstants.emplace_back();
    } catch (const std::bad_alloc&) {
        EnumFailure(CurrentLineNumber(), "(enum) Struct allocation failure.");
    }
    EnumConstant& constant = gConstants.back();
    try {
        constant.name = CopyText(name, kEnumNameMax);
        constant.enumName = CopyText(enumName, kEnumNameMax);
    } catch (const std::bad_alloc&) {
        gConstants.pop_back();
        EnumFailure(CurrentLineNumber(), "(enum) String allocation failure.");
    }
    constant.value = int32_t(value);
    try {
        gConstantIndex.Add(gConstants.size() - 1);
    } catch (const std::bad_alloc&) {
        gConstants.pop_back();
        EnumFailure(CurrentLineNumber(), "(enum) Struct allocation failure.");
    }
}

}  // namespace

bool NamesMatchNoCase(const char* a, const char* b) {
    if (std::strcmp(a, b) == 0) return true;  // mostly written in the same letter case
    for (int i = 0; i < kIdentMax; ++i) {
        const unsigned char x = (unsigned char)a[i];
        const unsigned char y = (unsigned char)b[i];
        if (x == y) {
            if (x == 0) return true;
        } else if (LowerAsciiByte(x) != LowerAsciiByte(y)) {
            return false;
        }
    }
    return true;
}

void ResetSymbols() {
    gSymbols.clear();
    gConstants.clear();
    gSymbolIndex.Clear();
    gConstantIndex.Clear();
}

SymbolRecord* AddSymbol(const char* name) {
    SymbolRecord symbol;
    symbol.name = CopyText(name, kIdentMax);
    gSymbols.push_back(std::move(symbol));
    try {
        gSymbolIndex.Add(gSymbols.size() - 1);
    } catch (...) {
        gSymbols.pop_back();  // the lists stay as they were
        throw;
    }
    return &gSymbols.back();
}

const SymbolRecord* FindSymbol(const char* name) {
    return FindSymbol(name, HashNameNoCase(name));
}

const SymbolRecord* FindSymbol(const char* name, uint32_t hash) {
    const uint32_t* found = gSymbolIndex.Find(name, hash);
    return found ? &gSymbols[*found - 1] : nullptr;
}

const EnumConstant* FindEnumConstant(const char* name) {
    return FindEnumConstant(name, HashNameNoCase(name));
}

const EnumConstant* FindEnumConstant(const char* name, uint32_t hash) {
    const uint32_t* found = gConstantIndex.Find(name, hash);
    return found ? &gConstants[*found - 1] : nullptr;
}

int32_t GetExpression() {
    gExprFrames.clear();  // left over only when a fatal error ended the last evaluation
    gExprFrames.push_back({kExprRoot, 0});
    GetToken();
    int32_t result = 0;
    for (;;) {
        ExprOp op;
        if (gToken.kind == kTokNumber) {
            gExprFrames.back().value = gToken.number;
        } else if (gToken.kind == kTokLess) {
            GetToken();
            if (gToken.kind != kTokLess) FatalError("Expression Too Complex!");
            gExprFrames.push_back({kExprShift, 0});
        } else if (OperatorOfToken(gToken.kind, op)) {
            gExprFrames.push_back({op, 0});
        } else if (gToken.kind == kTokIdentifier) {
            if (!EndByWord(result)) return result;
            continue;
        } else {
            if (!EndByOtherToken(result)) return result;
            continue;
        }
        GetToken();
    }
}

bool ConvertEnum() {
    char enumName[kEnumNameMax + 1] = "anonymous";
    GetToken();
    if (gToken.kind == kTokIdentifier) {
        std::strncpy(enumName, gToken.identText, kEnumNameMax);
        enumName[kEnumNameMax] = '\0';
        GetToken();
    }
    if (gToken.kind != kTokOpenBrace) {
        UngetToken();  // the caller skips the statement from this token on
        return false;
    }
    GetToken();
    ParseEnum(enumName);
    if (gToken.kind != kTokCloseBrace)
        EnumFailure(gToken.line, "(enum) Close brace expected after the members");
    SkipToCharacter(';');
    return true;
}

void ParseEnum(const char* enumName) {
    uint32_t running = 0;
    if (gToken.kind == kTokCloseBrace) return;
    for (;;) {
        if (gToken.kind == kTokEnd) return;
        char name[kEnumNameMax + 1];
        std::strncpy(name, MemberName(), kEnumNameMax);
        name[kEnumNameMax] = '\0';
        GetToken();
        ReadMemberValue(running);
        AddEnumConstant(name, enumName, running);
        if (gToken.kind == kTokCloseBrace) return;
        running = running + 1u;
        GetToken();
        if (gToken.kind == kTokCloseBrace) return;
    }
}
