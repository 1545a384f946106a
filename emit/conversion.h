// One conversion's state, the lexer's and the script's, and the sink its script goes to.
#pragma once
#include <cstddef>

#include "emit/script.h"
#include "lexer/context.h"

// Where the finished blocks of a script go as the conversion writes it.
class ScriptSink {
public:
    virtual ~ScriptSink() = default;
    virtual void Write(const char* data, size_t size) = 0;
};

// One conversion: the lexer's state, and the script being assembled.
struct Conversion : LexContext {
    // The script not yet handed to the sink: the block being written and the blocks after the
    // last hand-over. Lengths and counts are patched here, so a block is handed over whole.
    // Without a sink the whole script stays here.
    TScriptBuffer script;
    ScriptSink* out = nullptr;
    long written = 0;                       // bytes handed to the sink so far
    unsigned long compiledBytes = 0;        // bytes the resource compiler makes of the items
    unsigned long convertedResources = 0;   // resources written, included files' among them
};
// The conversion being run, as the emit layer and the converters above it see it.
inline Conversion& Run() {
    return static_cast<Conversion&>(Lex());
}
