// The run: argument rules, the source and output files, the conversion, and the report of
// its diagnostics.
#include "driver/run.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "convert/convert.h"
#include "core/diagnostics.h"
#include "core/platform.h"
#include "core/settings.h"
#include "driver/outputfile.h"
#include "driver/sources.h"
#include "help/help.h"
#include "lexer/fatal.h"
#include "lexer/lexstate.h"
#include "lexer/symbols.h"

static const char kUsage[] =
    "Use: Propwright <source_file> { <target_file> } { -j | -c | -k | -x }";
constexpr size_t kPartMax = 255;
constexpr size_t kDerivedPathMax = 259;
constexpr size_t kContextJoinMax = 255;  // an error's "context: message" is cut to this

std::string FormatDiagnostic(const Diagnostic& d) {
    if (d.severity == Severity::kNote) return "note: " + d.message + "\n";
    if (d.severity != Severity::kError) return d.message;
    std::string message = d.message;
    if (!d.context.empty()) {
        message = d.context + ": " + d.message;
        if (message.size() > kContextJoinMax) message.resize(kContextJoinMax);
    }
    // The texts end at a zero byte, as they did when they were C strings.
    return std::string(d.file.c_str()) + "(" + std::to_string(d.line) + ") : error: " +
           message.c_str() + " ('" + d.lineText.c_str() + "' : " + std::to_string(d.column) +
           ")\n\n";
}

bool PrintedOnStdout(const Diagnostic& d) {
    return d.severity == Severity::kError || (d.severity != Severity::kNote && d.toStdout);
}

void PrintDiagnostic(const Diagnostic& d) {
    const std::string text = FormatDiagnostic(d);
    if (PrintedOnStdout(d)) {
        fflush(stderr);
        fwrite(text.data(), 1, text.size(), stdout);
        if (d.severity == Severity::kError) fflush(stdout);
    } else {
        fwrite(text.data(), 1, text.size(), stderr);
    }
}

// The run's state outside the conversion: where errors of the run itself are reported, and
// the output file.
struct CommandRun {
    SourcePlace place;  // the source once it is open, line 0; after the conversion, its end
    OutputFile output;
};

// An error of the run itself (arguments, files) ends it like an error of the conversion.
[[noreturn]] static void Fail(const CommandRun& run, const std::string& message) {
    Diagnostic error;
    error.severity = Severity::kError;
    error.file = run.place.file;
    error.line = run.place.line;
    error.lineText = run.place.text;
    error.column = run.place.column;
    error.message = message;
    PrintDiagnostic(error);
    throw FatalExit{1};
}

// A message naming a path, cut to the longest path plus the message text.
[[noreturn]] static void FailPath(const CommandRun& run, const char* format,
                                  const std::string& path) {
    std::string message(kOutputPathMax + 64, '\0');
    FormatBounded(&message[0], kOutputPathMax + 63, format, path.c_str());
    Fail(run, message.c_str());
}

// The output name derived from the source: extension .rc, or .txt for a source ending in .rc.
static std::string DeriveOutputPath(const CommandRun& run, const std::string& source) {
    SplitPath parts = SplitPathParts(source);
    if (parts.drive.size() > 2 || parts.dir.size() > kPartMax || parts.base.size() > kPartMax ||
        parts.ext.size() > kPartMax)
        FailPath(run, "Path too long: \"%s\"", source);
    parts.ext = NamesMatchNoCase(parts.ext.c_str(), ".rc") ? ".txt" : ".rc";
    std::string derived = JoinPathParts(parts);
    if (derived.size() > kDerivedPathMax) FailPath(run, "Path too long: \"%s\"", derived);
    return derived;
}

static bool IsUtf8Option(const char* option) {
    return NamesMatchNoCase(option, "-u");
}

static void ReadOption(Settings& settings, const char* option) {
    if (NamesMatchNoCase(option, "-j")) settings.languageOption = 1;
    else if (NamesMatchNoCase(option, "-k")) settings.languageOption = 3;
    else if (NamesMatchNoCase(option, "-c")) settings.languageOption = 2;
    else if (NamesMatchNoCase(option, "-x")) settings.buildQkPn = true;
}

// The option after the target, and -u before or after it.
static void ReadOptions(Settings& settings, int argc, const char* const* argv) {
    if (argc <= 3) return;
    if (IsUtf8Option(argv[3])) {
        settings.sourceUtf8 = true;
        if (argc > 4) ReadOption(settings, argv[4]);
    } else {
        ReadOption(settings, argv[3]);
        if (argc > 4 && IsUtf8Option(argv[4])) settings.sourceUtf8 = true;
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
static FILE* OpenSource(CommandRun& run, const std::string& source) {
    FILE* input = OpenForReading(source, "rb");
    if (!input) {
        std::string message(MAXITEMSIZE, '\0');
        FormatBounded(&message[0], message.size() - 1, "File \"%.511978s\" not found",
                      source.c_str());
        WriteConsole("\nError: Argument mismatch or not enough arguments.\n%s\n", kUsage);
        Fail(run, message.c_str());
    }
    run.place.file = source.substr(0, kFileNameMax);
    return input;
}

// The named output file, or one derived from the source when none is named (a name of two
// characters or fewer counts as none).
static std::string ChooseTarget(const CommandRun& run, int argc, const char* const* argv,
                                const std::string& source) {
    if (argc > 2 && strlen(argv[2]) > 2) return argv[2];
    std::string target = DeriveOutputPath(run, source);
    WriteConsole("WARNING: Output file not specified. Using \"%s\".\n", target.c_str());
    return target;
}

static int ConvertFiles(CommandRun& run, int argc, const char* const* argv) {
    if (AnswerInfoOption(argc, argv)) return 0;
    Settings settings;
    if (argc >= 2 && strcmp(argv[1], "-v") == 0) {
        settings.verboseIds = true;
        --argc;
        ++argv;
    }
    ShowBanner();
    if (argc < 2) return ShowHelpMenu();

    const std::string source = argv[1];
    FileReader reader(OpenSource(run, source));
    const std::string target = ChooseTarget(run, argc, argv, source);
    if (SameFile(source, target)) FailPath(run, "Output file \"%s\" is the source file", target);
    if (target.size() > kOutputPathMax) FailPath(run, "Path too long: \"%s\"", target);
    if (!OpenOutputFile(run.output, target))
        FailPath(run, "Unable to open output file \"%s\"", target);
    ReadOptions(settings, argc, argv);

    FileResolver includes;
    ConvertResult result =
        ConvertStream(reader, source, settings, includes, &run.output, PrintDiagnostic);
    run.place = result.end;
    if (result.status != 0) return result.status;
    if (!CloseOutputFile(run.output))
        FailPath(run, "Unable to write output file \"%s\"", run.output.path);
    // The script is written all the same, but a run that found nothing to convert says so.
    if (result.converted == 0)
        WriteError("WARNING: No resource converted from \"%s\".\n", source.c_str());
    return 0;
}

// Any other exception ends the run like a fatal error.
static int ReportException(const CommandRun& run, const char* message) {
    try {
        Fail(run, message);
    } catch (const FatalExit& failure) {
        return failure.status;
    } catch (...) {
    }
    return 1;
}

int RunPropwright(int argc, const char* const* argv) {
    CommandRun run;
    int status;
    try {
        status = ConvertFiles(run, argc, argv);
    } catch (const FatalExit& failure) {
        status = failure.status;
    } catch (const std::bad_alloc&) {
        status = ReportException(run, "Out of memory");
    } catch (const std::exception& failure) {
        status = ReportException(run, failure.what());
    } catch (...) {
        status = ReportException(run, "Unexpected failure");
    }
    DiscardOutput(run.output);  // open only when the run failed
    fflush(stdout);
    fflush(stderr);
    return status;
}
