// The script assembled in memory: block framing, back-patching, and the hand-over of finished
// blocks to the sink.
#include "emit/output.h"
#include "emit/conversion.h"
#include "emit/script.h"

#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/diagnostics.h"
#include "emit/numbers.h"
#include "lexer/fatal.h"

// Finished blocks are handed to the sink once this much has gathered.
constexpr size_t kWriteBlock = 64 * 1024;
// The buffer's first size: a write block and the block that passes it, as a rule.
constexpr size_t kFirstCapacity = 2 * kWriteBlock;

void TScriptBuffer::Grow(size_t n) {
    size_t wanted = capacity < kFirstCapacity ? kFirstCapacity : capacity;
    while (wanted - length < n) {
        if (wanted > SIZE_MAX / 2) throw std::bad_alloc();
        wanted *= 2;
    }
    char* grown = static_cast<char*>(realloc(begin, wanted));
    if (!grown) throw std::bad_alloc();
    begin = grown;
    capacity = wanted;
}

const char kScriptOpening[] =
    "#define RSCL32(a,b,c,d)   0x ## c ## d, 0x ## a ## b\n"
    "#define LC(a,b,c,d)       #d, #c, #b, #a\n"
    "#define RSCS32(a)         a, 0\n"
    "\n";

void WriteScriptOpening() {
    Run().script.append(kScriptOpening, sizeof kScriptOpening - 1);
}

// Hands the assembled script to the sink.
void HandOverScript() {
    Conversion& run = Run();
    if (!run.out || run.script.empty()) return;
    run.out->Write(run.script.data(), run.script.size());
    run.written += long(run.script.size());
    run.script.clear();
}

static void WarnBelowOne(int id, const char* typeName) {
    if (id < 1)
        ReportText(Severity::kWarning, true, "WARNING: Writing %s resource with id of %d\n",
                   typeName, id);
}

void WriteBlockStart(int id, const char* typeName) {
    WarnBelowOne(id, typeName);
    static const char kAfterType[] = "  DISCARDABLE\nBEGIN\n";
    const size_t typeLength = strlen(typeName);
    char* at = Run().script.Claim(kNumberRoom + 2 + typeLength + sizeof kAfterType);
    at = PutDecimal(at, id);
    at = PutLiteral(at, "  ");
    memcpy(at, typeName, typeLength);
    at = PutLiteral(at + typeLength, kAfterType);
    Run().script.SetEnd(at);
}

void WriteStringTableStart(int32_t id) {
    WarnBelowOne(id, "STRINGTABLE");
    static const char kStart[] = "STRINGTABLE\tDISCARDABLE\nBEGIN\n\t";
    char* at = Run().script.Claim(sizeof kStart + kNumberRoom + 2);
    at = PutLiteral(at, kStart);
    at = PutDecimal(at, id);
    at = PutLiteral(at, ",\n");
    Run().script.SetEnd(at);
}

// A block ends the part of the script that may still be patched.
void WriteBlockEnd() {
    Run().script.append("END\n\n", 5);
    if (Run().script.size() >= kWriteBlock) HandOverScript();
}

long OutputPosition() {
    return Run().written + long(Run().script.size());
}

void CheckFieldLimit(const char* field, unsigned long value, unsigned long limit) {
    if (value <= limit) return;
    char message[256] = {0};
    FormatBounded(message, sizeof message - 1, "%s %lu does not fit (at most %lu)", field, value,
                  limit);
    FatalError(message);
}

void PatchField(long position, unsigned long value, const char* field) {
    CheckFieldLimit(field, value, 65535);
    // Fields are patched before their block ends, so they are still in memory.
    const long written = Run().written;
    const size_t at = size_t(position - written);
    assert(position >= written && at + 5 <= Run().script.size());
    // The value fits 65535, so its text is the five characters exactly.
    PutDecimalInWidth(Run().script.begin + at, (int)value, 5);
}
