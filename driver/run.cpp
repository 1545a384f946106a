// The run: argument rules, the source and output files, and the conversion itself.
#include "driver/run.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "convert/convert.h"
#include "core/diagnostics.h"
#include "core/platform.h"
#include "core/settings.h"
#include "emit/output.h"
#include "help/help.h"
#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/fatal.h"
#include "lexer/sourcetext.h"
#include "lexer/suggest.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

static const char kUsage[] =
    "Use: Propwright <source_file> { <target_file> } { -j | -c | -k | -x }";
constexpr size_t kPartMax = 255;
constexpr size_t kDerivedPathMax = 259;

// The output name derived from the source: extension .rc, or .txt for a source ending in .rc.
static std::string DeriveOutputPath(const std::string& source) {
    SplitPath parts = SplitPathParts(source);
    if (parts.drive.size() > 2 || parts.dir.size() > kPartMax || parts.base.size() > kPartMax ||
        parts.ext.size() > kPartMax)
        FailPath("Path too long: \"%s\"", source);
    parts.ext = NamesMatchNoCase(parts.ext.c_str(), ".rc") ? ".txt" : ".rc";
    std::string derived = JoinPathParts(parts);
    if (derived.size() > kDerivedPathMax) FailPath("Path too long: \"%s\"", derived);
    return derived;
}

static bool IsUtf8Option(const char* option) {
    return NamesMatchNoCase(option, "-u");
}

static void ReadOption(const char* option) {
    if (NamesMatchNoCase(option, "-j")) LanguageOption = 1;
    else if (NamesMatchNoCase(option, "-k")) LanguageOption = 3;
    else if (NamesMatchNoCase(option, "-c")) LanguageOption = 2;
    else if (NamesMatchNoCase(option, "-x")) BuildQkPn = true;
}

// The option after the target, and -u before or after it.
static void ReadOptions(int argc, const char* const* argv) {
    if (argc <= 3) return;
    if (IsUtf8Option(argv[3])) {
        SourceUtf8 = true;
        if (argc > 4) ReadOption(argv[4]);
    } else {
        ReadOption(argv[3]);
        if (argc > 4 && IsUtf8Option(argv[4])) SourceUtf8 = true;
    }
}

// Alone, and only when no file bears the name, --help and --version are options: true when
// the argument was one of them and is answered.
static bool AnswerInfoOption(int argc, const char* const* argv) {
    if (argc != 2 || FileExists(argv[1])) return false;
    if (strcmp(argv[1], "--help") == 0) {
        ShowBanner();
        WriteConsole("%s\n", kUsage);
        ShowCommandLineHelp();
        return true;
    }
    if (strcmp(argv[1], "--version") == 0) {
        ShowBanner();
        return true;
    }
    return false;
}

// A source that cannot be opened ends the run with the usage.
static FILE* OpenSource(const std::string& source) {
    FILE* input = OpenForReading(source, "rb");
    if (!input) {
        std::string message(MAXITEMSIZE, '\0');
        FormatBounded(&message[0], message.size() - 1, "File \"%.511978s\" not found",
                      source.c_str());
        WriteConsole("\nError: Argument mismatch or not enough arguments.\n%s\n", kUsage);
        FatalError(message.c_str());
    }
    return input;
}

// The named output file, or one derived from the source when none is named (a name of two
// characters or fewer counts as none).
static std::string ChooseTarget(int argc, const char* const* argv, const std::string& source) {
    if (argc > 2 && strlen(argv[2]) > 2) return argv[2];
    std::string target = DeriveOutputPath(source);
    WriteConsole("WARNING: Output file not specified. Using \"%s\".\n", target.c_str());
    return target;
}

static int Convert(int argc, const char* const* argv) {
    if (AnswerInfoOption(argc, argv)) return 0;
    if (argc >= 2 && strcmp(argv[1], "-v") == 0) {
        VerboseIds = true;
        --argc;
        ++argv;
    }
    ShowBanner();
    if (argc < 2) return ShowHelpMenu();

    const std::string source = argv[1];
    StartLexFile(OpenSource(source), source.c_str());
    const std::string target = ChooseTarget(argc, argv, source);
    if (SameFile(source, target)) FailPath("Output file \"%s\" is the source file", target);
    OpenOutputFile(target);
    ReadOptions(argc, argv);

    InstallCharHandlers();
    ConvertStatements();
    CloseOutputFile();
    // The script is written all the same, but a run that found nothing to convert says so.
    if (ConvertedResourceCount() == 0)
        WriteError("WARNING: No resource converted from \"%s\".\n", source.c_str());
    return 0;
}

// Any other exception ends the run like a fatal error. The symbol lists are released first,
// so that an exhausted heap has room for the report.
static int ReportException(const char* message) {
    ResetSymbols();
    try {
        FatalError(message);
    } catch (const FatalExit& failure) {
        return failure.status;
    } catch (...) {
    }
    return 1;
}

int RunPropwright(int argc, const char* const* argv) {
    ResetSettings();
    ResetOutput();
    ResetCharSource();
    ResetTokenizer();
    ResetSuggestion();
    ResetSymbols();
    ResetDirectives();
    ResetSourceText();
    ResetConvertedResourceCount();
    int status;
    try {
        status = Convert(argc, argv);
    } catch (const FatalExit& failure) {
        status = failure.status;
    } catch (const std::bad_alloc&) {
        status = ReportException("Out of memory");
    } catch (const std::exception& failure) {
        status = ReportException(failure.what());
    } catch (...) {
        status = ReportException("Unexpected failure");
    }
    DiscardOutput();  // left open only when even the report failed
    if (gLex && gLex->stream) {
        fclose(gLex->stream);
        gLex->stream = nullptr;
    }
    fflush(stdout);
    fflush(stderr);
    return status;
}
