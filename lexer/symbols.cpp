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
#include "lexer/context.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/names.h"
#include "lexer/tokenizer.h"

namespace {

constexpr size_t kEnumNameMax = 255;

std::string CopyText(const char* text, size_t limit) {
    return std::string(text, strnlen(text, limit));
}

// How each index hashes and compares its names, and where it finds a record's name.
struct SymbolNames {
    const std::deque<SymbolRecord>* list;
    static uint32_t Hash(const char* name) { return HashNameNoCase(name); }
    static bool Same(const char* a, const char* b) { return NamesMatchNoCase(a, b); }
    const char* NameOf(size_t i) const { return (*list)[i].name.c_str(); }
};
struct ConstantNames {
    const std::vector<EnumConstant>* list;
    static uint32_t Hash(const char* name) { return HashNameNoCase(name); }
    static bool Same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }
    const char* NameOf(size_t i) const { return (*list)[i].name.c_str(); }
};

// An open-addressed index from a name to the newest record of that name: a record added under
// a name already there takes its slot, so it hides the older one. Each slot keeps its name's
// hash, compared before the name. Lookups allocate nothing.
template <typename Names>
struct NameIndex {
    Names names;  // the list whose records the index points to
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
               (slots[slot].hash != h || !Names::Same(name, names.NameOf(slots[slot].entry - 1))))
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
            if (s.entry != 0) slots[SlotOf(names.NameOf(s.entry - 1), s.hash)] = s;
    }
    void Add(size_t record) {
        if (record >= UINT32_MAX) throw std::bad_alloc();  // no slot holds such a number
        if (2 * (used + 1) > slots.size()) Grow();
        const char* name = names.NameOf(record);
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

// Expression evaluation: each operator takes the whole rest of the expression as its right
// operand. Pending operators are kept on a stack instead of the call stack.
enum ExprOp { kExprRoot, kExprParen, kExprAdd, kExprSubtract, kExprMultiply, kExprDivide,
              kExprOr, kExprShift };
struct ExprFrame {
    ExprOp op;
    uint32_t value;
};

}  // namespace

// Both lists grow at the back. Each index maps a name's key to the newest record of that key,
// so the newest definition of a name hides the older ones. A deque keeps the record AddSymbol
// hands out in place.
struct SymbolTable {
    std::deque<SymbolRecord> symbols;
    std::vector<EnumConstant> constants;
    NameIndex<SymbolNames> symbolIndex{{&symbols}, {}, 0};
    NameIndex<ConstantNames> constantIndex{{&constants}, {}, 0};
    std::vector<ExprFrame> exprFrames;  // the open expressions, the whole one at the bottom
};

void SymbolTableDelete::operator()(SymbolTable* table) const {
    delete table;
}

namespace {

// The run's lists, made on first use: a run without symbols allocates none.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
SymbolTable& NewTable() {
    Lex().symbols.reset(new SymbolTable);
    return *Lex().symbols;
}

inline SymbolTable& Table() {
    SymbolTable* table = Lex().symbols.get();
    return table ? *table : NewTable();
}


[[noreturn]] void EnumFailure(int line, const char* message) {
    ReportText(Severity::kText, true, "Line #%d ", line);
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
    uint32_t kind = Token().kind;
    bool fromWord = kind == kTokIdentifier || Token().fromWord || kind == kTokData ||
                    kind == kTokInclude || kind == kTokEnum || kind == kTokRead ||
                    kind == kTokResource || kind >= kKwFirstKind;
    return fromWord ? Token().identText : "";
}

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
    ExprFrame done = Table().exprFrames.back();
    Table().exprFrames.pop_back();
    ended = done.op;
    if (Table().exprFrames.empty()) {
        result = int32_t(done.value);
        return false;
    }
    Table().exprFrames.back().value = Combine(done.op, Table().exprFrames.back().value, done.value);
    return true;
}

// Check that the current token is ')' and skip it.
void SkipCloseParen() {
    if (Token().kind != kTokCloseParen)
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
    size_t length = std::strlen(Token().shortText);
    const unsigned char* text = (const unsigned char*)Token().shortText;
    if (length == 1) return text[0];
    if (length == 4)
        return (uint32_t(text[0]) << 24) | (uint32_t(text[1]) << 16) | (uint32_t(text[2]) << 8) |
               uint32_t(text[3]);
    char message[256] = {0};
    FormatBounded(message, sizeof message - 1,
                  "(enum) Wrong number of characters expected at \"%s\"", Token().identText);
    EnumFailure(CurrentLineNumber(), message);
}

// On the token after a member's name: takes the member's value, if one is given, into
// running, and returns on the token after it (a comma or a close brace when no value).
void ReadMemberValue(uint32_t& running) {
    switch (Token().kind) {
        case kTokComma:
        case kTokCloseBrace:
            return;
        case kTokNumber:
            running = Token().number;
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
        Table().constants.emplace_back();
    } catch (const std::bad_alloc&) {
        EnumFailure(CurrentLineNumber(), "(enum) Struct allocation failure.");
    }
    EnumConstant& constant = Table().constants.back();
    try {
        constant.name = CopyText(name, kEnumNameMax);
        constant.enumName = CopyText(enumName, kEnumNameMax);
    } catch (const std::bad_alloc&) {
        Table().constants.pop_back();
        EnumFailure(CurrentLineNumber(), "(enum) String allocation failure.");
    }
    constant.value = int32_t(value);
    try {
        Table().constantIndex.Add(Table().constants.size() - 1);
    } catch (const std::bad_alloc&) {
        Table().constants.pop_back();
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

void ReleaseSymbols() {
    Lex().symbols.reset();
}

SymbolRecord* AddSymbol(const char* name) {
    SymbolRecord symbol;
    symbol.name = CopyText(name, kIdentMax);
    Table().symbols.push_back(std::move(symbol));
    try {
        Table().symbolIndex.Add(Table().symbols.size() - 1);
    } catch (...) {
        Table().symbols.pop_back();  // the lists stay as they were
        throw;
    }
    return &Table().symbols.back();
}

const SymbolRecord* FindSymbol(const char* name) {
    return FindSymbol(name, HashNameNoCase(name));
}

const SymbolRecord* FindSymbol(const char* name, uint32_t hash) {
    SymbolTable& table = Table();
    const uint32_t* found = table.symbolIndex.Find(name, hash);
    return found ? &table.symbols[*found - 1] : nullptr;
}

const EnumConstant* FindEnumConstant(const char* name) {
    return FindEnumConstant(name, HashNameNoCase(name));
}

const EnumConstant* FindEnumConstant(const char* name, uint32_t hash) {
    SymbolTable& table = Table();
    const uint32_t* found = table.constantIndex.Find(name, hash);
    return found ? &table.constants[*found - 1] : nullptr;
}

int32_t GetExpression() {
    Table().exprFrames.clear();  // left over only when a fatal error ended the last evaluation
    Table().exprFrames.push_back({kExprRoot, 0});
    GetToken();
    int32_t result = 0;
    for (;;) {
        ExprOp op;
        if (Token().kind == kTokNumber) {
            Table().exprFrames.back().value = Token().number;
        } else if (Token().kind == kTokLess) {
            GetToken();
            if (Token().kind != kTokLess) FatalError("Expression Too Complex!");
            Table().exprFrames.push_back({kExprShift, 0});
        } else if (OperatorOfToken(Token().kind, op)) {
            Table().exprFrames.push_back({op, 0});
        } else if (Token().kind == kTokIdentifier) {
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
    if (Token().kind == kTokIdentifier) {
        std::strncpy(enumName, Token().identText, kEnumNameMax);
        enumName[kEnumNameMax] = '\0';
        GetToken();
    }
    if (Token().kind != kTokOpenBrace) {
        UngetToken();  // the caller skips the statement from this token on
        return false;
    }
    GetToken();
    ParseEnum(enumName);
    if (Token().kind != kTokCloseBrace)
        EnumFailure(Token().line, "(enum) Close brace expected after the members");
    SkipToCharacter(';');
    return true;
}

void ParseEnum(const char* enumName) {
    uint32_t running = 0;
    if (Token().kind == kTokCloseBrace) return;
    for (;;) {
        if (Token().kind == kTokEnd) return;
        char name[kEnumNameMax + 1];
        std::strncpy(name, MemberName(), kEnumNameMax);
        name[kEnumNameMax] = '\0';
        GetToken();
        ReadMemberValue(running);
        AddEnumConstant(name, enumName, running);
        if (Token().kind == kTokCloseBrace) return;
        running = running + 1u;
        GetToken();
        if (Token().kind == kTokCloseBrace) return;
    }
}
