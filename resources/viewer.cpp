// The 'QkPn' viewer resource (converted only with -x): a version marker and one raw text.
//
// QkPn: resource 'QkPn' ( id ... ) { version-word ... { string+ } [,] } ;
#include <cstdint>
#include <cstring>
#include <string>

#include "emit/items.h"
#include "emit/output.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "resources/converters.h"
#include "resources/pate.h"

static const char kContext[] = "ConvertQkPn";

// The joined text may hold one character less than a full item buffer.
static const size_t kTextMax = MAXITEMSIZE - 1;

struct ViewerVersionRow {
    const char* keyword;
    int version;
};

// Compared exactly; every other word is an unsupported version.
static const ViewerVersionRow kViewerVersions[] = {
    {"Version3", 3},
    {"Version3Clip", 3},
};

static const int kSupportedVersion = 3;

// The version the current token names, or 0 when it names none.
static int VersionOfToken() {
    bool word = Token().kind == kTokIdentifier || Token().fromWord;
    if (!word) return 0;
    for (const ViewerVersionRow& row : kViewerVersions)
        if (std::strcmp(Token().identText, row.keyword) == 0) return row.version;
    return 0;
}

void ConvertQkPn(const char* type) {
    // Resource identifiers are 16-bit; the block and its warning use the 16-bit value.
    int16_t id = (int16_t)(uint16_t)(uint32_t)GetResourceID();
    WriteBlockStart(id, type);
    SkipToCharacter('{');
    GetToken();
    int version = VersionOfToken();
    SkipToCharacter('{');

    Expect(kTokString, kContext, "String Expected (expression state)");
    WriteBareWord(-kSupportedVersion);

    // The text is taken as the lexer delivers it: no character conversion here.
    std::string text;
    while (Token().kind == kTokString) {
        size_t piece = std::strlen(Token().stringText);
        if (piece > kTextMax - text.size()) FatalErrorIn(kContext, "Buffer Overrun!");
        text.append(Token().stringText, piece);
        GetToken();
    }
    WriteTextPieces(text);

    // The version is checked only after the text is written; the failed run removes it.
    if (version != kSupportedVersion) FatalErrorIn(kContext, "Unsupported QkPn Version (!=3) !");
    ExpectCurrent(kTokCloseBrace, kContext, "CloseBrace Expected");
    ExpectResourceEnd(kContext, kContext);
    WriteBlockEnd();
}
