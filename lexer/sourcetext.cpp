// Text of a UTF-8 source in the target's code page; the notice for text that looks like UTF-8.
#include "lexer/sourcetext.h"

#include "core/diagnostics.h"
#include "core/textcode.h"
#include "lexer/charsource.h"
#include "lexer/context.h"
#include "lexer/fatal.h"
#include "lexer/tokenizer.h"

namespace {

// By the language option: none, -j, -c, -k.
const int kCodePages[] = {1252, 932, 936, 949};

}  // namespace

int TargetCodePage() {
    const int option = Lex().settings.languageOption;
    return option >= 0 && option <= 3 ? kCodePages[option] : 1252;
}

void RecodeSourceText(std::string& text, SourceTextUse use) {
    TextFaultAt at;
    const int codePage = TargetCodePage();
    if (RecodeUtf8(text, codePage, use == kScriptString, at)) return;
    char message[96];
    if (at.fault == TextFault::kMalformed)
        FormatBounded(message, sizeof message - 1,
                      "Malformed UTF-8: byte 0x%02X starts no valid sequence", at.byte);
    else if (at.fault == TextFault::kUnwritable)
        FormatBounded(message, sizeof message - 1,
                      "Character U+%04X cannot be written in code page %d",
                      (unsigned)at.character, codePage);
    else
        FormatBounded(message, sizeof message - 1, "No converter for code page %d", codePage);
    if (use == kScriptString) FatalErrorAt(LastStringPlace(), message);
    FatalError(message);
}

void NoticeUtf8Lookalike(const std::string& text, int32_t line) {
    LexContext& run = Lex();
    if (run.lookalikeNoticeGiven || run.settings.languageOption != 0) return;
    if (!LooksLikeUtf8(text.data(), text.size())) return;
    run.lookalikeNoticeGiven = true;
    ReportText(Severity::kWarning, false,
               "WARNING: Text looks like UTF-8 but is converted as Mac Roman bytes!  Line %d "
               "in file %s.  With -u the source is read as UTF-8.\n",
               (int)line, CurrentFileName());
}
