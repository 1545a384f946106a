// The conversion loop over top-level statements and the dispatch by resource type.
#include "convert/convert.h"

#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "emit/output.h"
#include "emit/conversion.h"
#include "formats/rows.h"
#include "lexer/charsource.h"
#include "lexer/resolver.h"
#include "lexer/directives.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/vtag.h"
#include "resources/converters.h"

static bool IsCharConst(const char* text) {
    return TokenIsCharConstant() && strcmp(Token().shortText, text) == 0;
}

// The converter of each resource form, in the order of ResourceForm; it gets the type the
// script names.
struct FormConverter {
    ResourceForm form;
    void (*convert)(const char* type);
};
static constexpr FormConverter kFormConverters[] = {
    {kPropertyListForm, ConvertVtag}, {kAddInsForm, ConvertAddIns},
    {kTerminologyForm, ConvertAETE},  {kTextForm, ConvertPate},
    {kViewerForm, ConvertQkPn},       {kStringTableForm, ConvertString},
    {kPathForm, ConvertPath},
};
static_assert(IndexedInOrder(kFormConverters, &FormConverter::form, kResourceFormCount),
              "one converter per resource form, in the forms' order");

// The row of the type the current token names after the statement's word, or null.
static const ResourceFormat* FindResourceType(ResourceStatement statement) {
    for (int i = 0; i < kResourceFormatCount; ++i) {
        const ResourceFormat& row = kResourceFormats[i];
        if (row.statement == statement && IsCharConst(row.source)) return &row;
    }
    return nullptr;
}

void ConvertDeclared(ResourceStatement statement) {
    GetToken();
    const ResourceFormat* row = FindResourceType(statement);
    if (!row) {
        SkipResource();
        return;
    }
    if (row->form == kViewerForm && !Lex().settings.buildQkPn) return;  // its tokens go back to the loop
    kFormConverters[row->form].convert(row->stored);
    ++Run().convertedResources;
}

void ConvertStatements() {
    GetToken();
    while (Token().kind != kTokEnd) {
        switch (Token().kind) {
            case kTokData: ConvertDeclared(kDataStatement); break;
            case kTokDirective: ProcessDirective(ConvertStatements); break;
            case kTokInclude: ProcessInclude(ConvertStatements); break;
            case kTokEnum:
                if (!ConvertEnum()) SkipResource();  // not a declaration after all
                break;
            case kTokRead: break;
            case kTokResource: ConvertDeclared(kResourceStatement); break;
            case kTokCharConst: SkipResource(); break;
            default: SkipToCharacter('\n'); break;
        }
        GetToken();
    }
}

// Ends the conversion like a fatal error at the current position; the symbol lists are
// released first, so that an exhausted heap has room for the report.
static int ReportException(const char* message) {
    ReleaseSymbols();
    try {
        FatalError(message);
    } catch (const FatalExit& failure) {
        return failure.status;
    } catch (...) {
    }
    return 1;
}

// Runs the conversion on run, which is set up: the status.
static int RunConversion(SourceReader& source, const std::string& name) {
    try {
        StartLexFile(&source, name.c_str());
        WriteScriptOpening();
        ConvertStatements();
        HandOverScript();
        return 0;
    } catch (const FatalExit& failure) {
        return failure.status;
    } catch (const std::bad_alloc&) {
        return ReportException("Out of memory");
    } catch (const std::exception& failure) {
        return ReportException(failure.what());
    } catch (...) {
        return ReportException("Unexpected failure");
    }
}

ConvertResult ConvertStream(SourceReader& source, const std::string& name,
                            const Settings& settings, IncludeResolver& includes, ScriptSink* out,
                            const DiagnosticSink& report) {
    std::unique_ptr<Conversion> run(new Conversion);
    run->settings = settings;
    run->resolver = &includes;
    run->sink = report;
    run->out = out;
    ActiveContext active(*run);
    ConvertResult result;
    result.status = RunConversion(source, name);
    result.end = CurrentSourcePlace();
    result.converted = run->convertedResources;
    if (!out && result.status == 0) result.script.assign(run->script.data(), run->script.size());
    result.diagnostics = std::move(run->diagnostics);
    return result;
}

ConvertResult Convert(const std::string& text, const std::string& name, const Settings& settings,
                      IncludeResolver& includes) {
    TextReader source(text);
    return ConvertStream(source, name, settings, includes, nullptr, DiagnosticSink());
}
