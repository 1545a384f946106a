// Defined symbols, enum constants, token-level expressions and enum declarations.
#include "lexer/symbols.h"

#include <cstring>
#include <deque>
#include <new>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/diagnostics.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/tokenizer.h"

namespace {

// Both lists grow at the back. Each index maps a name's key to the newest record of that key,
// so the newest definition of a name hides the older ones. A deque keeps the record AddSymbol
// hands out in place.
std::deque<SymbolRecord> gSymbols;
std::vector<EnumConstant> gConstants;
std::unordered_map<std::string, size_t> gSymbolIndex;    // key: SymbolKey of the name
std::unordered_map<std::string, size_t> gConstantIndex;  // key: the exact name
constexpr size_t kEnumNameMax = 255;

int LowerAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

std::string CopyText(const char* text, size_t limit) {
    return std::string(text, strnlen(text, limit));
}

// Symbol names match in any letter case over at most 80 characters: the key is that much of
// the name in lower case.
std::string SymbolKey(const char* name) {
    std::string key = CopyText(name, kIdentMax);
    for (char& c : key) c = char(LowerAscii((unsigned char)c));
    return key;
}

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
        gConstantIndex[constant.name] = gConstants.size() - 1;
    } catch (const std::bad_alloc&) {
        gConstants.pop_back();
        EnumFailure(CurrentLineNumber(), "(enum) Struct allocation failure.");
    }
}

}  // namespace

bool NamesMatchNoCase(const char* a, const char* b) {
    for (int i = 0; i < kIdentMax; ++i) {
        int x = LowerAscii((unsigned char)a[i]);
        int y = LowerAscii((unsigned char)b[i]);
        if (x != y) return false;
        if (x == 0) return true;
    }
    return true;
}

void ResetSymbols() {
    gSymbols.clear();
    gConstants.clear();
    gSymbolIndex.clear();
    gConstantIndex.clear();
}

SymbolRecord* AddSymbol(const char* name) {
    SymbolRecord symbol;
    symbol.name = CopyText(name, kIdentMax);
    gSymbols.push_back(std::move(symbol));
    try {
        gSymbolIndex[SymbolKey(name)] = gSymbols.size() - 1;
    } catch (...) {
        gSymbols.pop_back();  // the lists stay as they were
        throw;
    }
    return &gSymbols.back();
}

const SymbolRecord* FindSymbol(const char* name) {
    auto found = gSymbolIndex.find(SymbolKey(name));
    return found == gSymbolIndex.end() ? nullptr : &gSymbols[found->second];
}

const EnumConstant* FindEnumConstant(const char* name) {
    auto found = gConstantIndex.find(name);
    return found == gConstantIndex.end() ? nullptr : &gConstants[found->second];
}

int32_t GetExpression() {
    static std::vector<ExprFrame> frames;
    frames.clear();  // left over only when a fatal error ended the last evaluation
    frames.push_back({kExprRoot, 0});
    GetToken();
    for (;;) {
        switch (gToken.kind) {
            case kTokNumber:
                frames.back().value = gToken.number;
                GetToken();
                continue;
            case kTokPlus: frames.push_back({kExprAdd, 0}); GetToken(); continue;
            case kTokMinus: frames.push_back({kExprSubtract, 0}); GetToken(); continue;
            case kTokStar: frames.push_back({kExprMultiply, 0}); GetToken(); continue;
            case kTokSlash: frames.push_back({kExprDivide, 0}); GetToken(); continue;
            case kTokBar: frames.push_back({kExprOr, 0}); GetToken(); continue;
            case kTokLess:
                GetToken();
                if (gToken.kind != kTokLess) FatalError("Expression Too Complex!");
                frames.push_back({kExprShift, 0});
                GetToken();
                continue;
            case kTokOpenParen: frames.push_back({kExprParen, 0}); GetToken(); continue;
            case kTokIdentifier: {
                // An undefined word ends the innermost expression and is consumed.
                ExprFrame done = frames.back();
                frames.pop_back();
                if (frames.empty()) return int32_t(done.value);
                frames.back().value = Combine(done.op, frames.back().value, done.value);
                GetToken();
                if (done.op == kExprParen) {
                    if (gToken.kind != kTokCloseParen)
                        FatalError("GetExpression: Matching parantheses expected!\n");
                    GetToken();
                }
                continue;
            }
            default: {
                // Any other token ends every open expression up to a parenthesis, which it
                // must then close.
                for (;;) {
                    ExprFrame done = frames.back();
                    frames.pop_back();
                    if (frames.empty()) {
                        UngetToken();
                        return int32_t(done.value);
                    }
                    frames.back().value = Combine(done.op, frames.back().value, done.value);
                    if (done.op == kExprParen) {
                        if (gToken.kind != kTokCloseParen)
                            FatalError("GetExpression: Matching parantheses expected!\n");
                        GetToken();
                        break;
                    }
                }
                continue;
            }
        }
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
        switch (gToken.kind) {
            case kTokComma:
            case kTokCloseBrace:
                break;
            case kTokNumber:
                running = gToken.number;
                GetToken();
                break;
            case kTokCharConst: {
                // The word typedef has this kind but no characters: the length error below.
                size_t length = std::strlen(gToken.shortText);
                const unsigned char* text = (const unsigned char*)gToken.shortText;
                if (length == 1) {
                    running = text[0];
                } else if (length == 4) {
                    running = (uint32_t(text[0]) << 24) | (uint32_t(text[1]) << 16) |
                              (uint32_t(text[2]) << 8) | uint32_t(text[3]);
                } else {
                    char message[256] = {0};
                    FormatBounded(message, sizeof message - 1,
                                  "(enum) Wrong number of characters expected at \"%s\"",
                                  gToken.identText);
                    EnumFailure(CurrentLineNumber(), message);
                }
                GetToken();
                break;
            }
            default:
                UngetToken();
                running = uint32_t(Cut16(uint32_t(GetExpression())));
                // The token that ended the expression becomes the current one.
                if (TokenPushedBack()) GetToken();
                break;
        }
        AddEnumConstant(name, enumName, running);
        if (gToken.kind == kTokCloseBrace) return;
        running = running + 1u;
        GetToken();
        if (gToken.kind == kTokCloseBrace) return;
    }
}
