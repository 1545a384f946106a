// The output: the script's target, its safe replacement, the script assembled in memory and
// its back-patching.
#include "emit/output.h"
#include "emit/script.h"

#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/diagnostics.h"
#include "core/platform.h"
#include "emit/numbers.h"
#include "lexer/fatal.h"

static FILE* OutputStream = nullptr;
TScriptBuffer ScriptBuffer;
static long WrittenLength = 0;    // bytes of the script handed to OutputStream so far
static bool WriteFailed = false;  // a write to OutputStream came up short

// Finished blocks are handed to the stream once this much has gathered.
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

void TScriptBuffer::Release() {
    free(begin);
    begin = nullptr;
    length = 0;
    capacity = 0;
}

void TScriptBuffer::Recycle() {
    if (capacity > kFirstCapacity)
        Release();
    else
        clear();
}
std::string OutputPath;
std::string OutputFinalPath;
std::string OutputTempPath;
FILE* OutputDevice = nullptr;

const char kScriptOpening[] =
    "#define RSCL32(a,b,c,d)   0x ## c ## d, 0x ## a ## b\n"
    "#define LC(a,b,c,d)       #d, #c, #b, #a\n"
    "#define RSCS32(a)         a, 0\n"
    "\n";

void ResetOutput() {
    OutputStream = nullptr;
    OutputPath.clear();
    OutputFinalPath.clear();
    OutputTempPath.clear();
    OutputDevice = nullptr;
    ScriptBuffer.Recycle();
    WrittenLength = 0;
    WriteFailed = false;
}

// Hands the assembled script to the stream in one write; a short write fails the run when
// the output is closed.
static void WriteScriptBuffer() {
    if (ScriptBuffer.empty()) return;
    if (fwrite(ScriptBuffer.data(), 1, ScriptBuffer.size(), OutputStream) != ScriptBuffer.size())
        WriteFailed = true;
    WrittenLength += long(ScriptBuffer.size());
    ScriptBuffer.clear();
}

void FailPath(const char* format, const std::string& path) {
    FatalErrorWithPath(format, path, kOutputPathMax + 63);
}

// Opens the output. A regular target (a new file, or the file a chain of links leads to) is
// written to a temporary file beside it and replaced only when the run succeeds. A device,
// FIFO or console is opened now and written straight at the end: its script waits in a
// scratch stream, since counts are back-patched and a device cannot be rewound.
void OpenOutputFile(const std::string& path) {
    if (path.size() > kOutputPathMax) FailPath("Path too long: \"%s\"", path);
    const OutputTarget target = ExamineTarget(path);
    FILE* stream = nullptr;
    FILE* device = nullptr;
    std::string temp;
    if (target.kind == TargetKind::Device) {
        device = OpenDevice(path);
        stream = device ? OpenScratchStream() : nullptr;
        if (device && !stream) {
            fclose(device);
            device = nullptr;
        }
    } else if (target.kind != TargetKind::Unusable) {
        // An existing target must be writable; a missing one is not created until the end.
        bool writable = true;
        if (target.kind == TargetKind::Regular) {
            FILE* probe = fopen(target.file.c_str(), "r+");
            writable = probe != nullptr;
            if (probe) fclose(probe);
        }
        if (writable) stream = MakeTempBeside(target.file, &temp);
    }
    if (!stream) FailPath("Unable to open output file \"%s\"", path);
    OutputPath = path;
    OutputFinalPath = device ? std::string() : target.file;
    OutputTempPath = temp;
    OutputDevice = device;
    OutputStream = stream;
    // The script is written in large blocks of its own; the stream adds no buffer.
    setvbuf(OutputStream, nullptr, _IONBF, 0);
    ScriptBuffer.clear();
    ScriptBuffer.append(kScriptOpening, sizeof kScriptOpening - 1);
}

// Copies the finished script from the scratch stream to the device.
static bool CopyScript(FILE* from, FILE* to) {
    if (fflush(from) != 0 || fseek(from, 0, SEEK_SET) != 0) return false;
    char block[8192];
    size_t count;
    while ((count = fread(block, 1, sizeof block, from)) > 0)
        if (fwrite(block, 1, count, to) != count) return false;
    return ferror(from) == 0 && fflush(to) == 0;
}

// Moves the finished script into place, or hands it to the device; a write failure is an
// error, not a success.
void CloseOutputFile() {
    WriteScriptBuffer();
    ScriptBuffer.Recycle();
    bool failed = WriteFailed || ferror(OutputStream) != 0;
    if (OutputDevice) {
        fflush(stdout);  // console text so far comes first when both share a terminal or file
        failed = !CopyScript(OutputStream, OutputDevice) || failed;
        failed = (fclose(OutputDevice) != 0) || failed;
        OutputDevice = nullptr;
    }
    failed = (fclose(OutputStream) != 0) || failed;
    OutputStream = nullptr;
    if (OutputTempPath.empty()) {
        if (failed) FailPath("Unable to write output file \"%s\"", OutputPath);
        return;
    }
    if (failed || !ReplaceTarget(OutputTempPath, OutputFinalPath)) {
        RemoveTempFile(OutputTempPath);
        remove(OutputFinalPath.c_str());
        FailPath("Unable to write output file \"%s\"", OutputPath);
    }
}

void DiscardOutput() {
    ScriptBuffer.Recycle();
    if (!OutputStream) return;
    fclose(OutputStream);
    OutputStream = nullptr;
    if (OutputDevice) {
        // A device is never removed; nothing of the script has reached it yet.
        fclose(OutputDevice);
        OutputDevice = nullptr;
        return;
    }
    if (!OutputTempPath.empty()) RemoveTempFile(OutputTempPath);
    if (!OutputFinalPath.empty()) remove(OutputFinalPath.c_str());
}

static void WarnBelowOne(int id, const char* typeName) {
    if (id < 1) WriteConsole("WARNING: Writing %s resource with id of %d\n", typeName, id);
}

void WriteBlockStart(int id, const char* typeName) {
    WarnBelowOne(id, typeName);
    static const char kAfterType[] = "  DISCARDABLE\nBEGIN\n";
    const size_t typeLength = strlen(typeName);
    char* at = ScriptBuffer.Claim(kNumberRoom + 2 + typeLength + sizeof kAfterType);
    at = PutDecimal(at, id);
    at = PutLiteral(at, "  ");
    memcpy(at, typeName, typeLength);
    at = PutLiteral(at + typeLength, kAfterType);
    ScriptBuffer.SetEnd(at);
}

void WriteStringTableStart(int32_t id) {
    WarnBelowOne(id, "STRINGTABLE");
    static const char kStart[] = "STRINGTABLE\tDISCARDABLE\nBEGIN\n\t";
    char* at = ScriptBuffer.Claim(sizeof kStart + kNumberRoom + 2);
    at = PutLiteral(at, kStart);
    at = PutDecimal(at, id);
    at = PutLiteral(at, ",\n");
    ScriptBuffer.SetEnd(at);
}

// A block ends the part of the script that may still be patched.
void WriteBlockEnd() {
    ScriptBuffer.append("END\n\n", 5);
    if (ScriptBuffer.size() >= kWriteBlock) WriteScriptBuffer();
}

long OutputPosition() {
    return WrittenLength + long(ScriptBuffer.size());
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
    const size_t at = size_t(position - WrittenLength);
    assert(position >= WrittenLength && at + 5 <= ScriptBuffer.size());
    // The value fits 65535, so its text is the five characters exactly.
    PutDecimalInWidth(ScriptBuffer.begin + at, (int)value, 5);
}
