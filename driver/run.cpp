// The run: argument rules, banner, source and output files, and the conversion itself.
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
#include "help/help.h"
#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

static const char kVersion[] = "1.0.0";
static const char kUsage[] =
    "Use: Propwright <source_file> { <target_file> } { -j | -c | -k | -x }";
constexpr size_t kOutputPathMax = 2047;
constexpr size_t kPartMax = 255;
constexpr size_t kDerivedPathMax = 259;

void ShowBanner() {
    // __DATE__ is "Mmm dd yyyy" with the day padded by a blank; __TIME__ is "hh:mm:ss".
    WriteConsole("Propwright. %s Version %s, %s.\n", "Release", kVersion, __DATE__ " " __TIME__);
}

[[noreturn]] static void FailPath(const char* format, const std::string& path) {
    std::string message(kOutputPathMax + 64, '\0');
    FormatBounded(&message[0], message.size() - 1, format, path.c_str());
    FatalError(message.c_str());
}

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

// Opens the output. A regular target (a new file, or the file a chain of links leads to) is
// written to a temporary file beside it and replaced only when the run succeeds. A device,
// FIFO or console is opened now and written straight at the end: its script waits in a
// scratch stream, since counts are back-patched and a device cannot be rewound.
static void OpenOutputFile(const std::string& path) {
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
    WriteOutput(OutputStream, "%s", kScriptOpening);
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
static void CloseOutputFile() {
    bool failed = ferror(OutputStream) != 0;
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

static void ReadOption(const char* option) {
    if (NamesMatchNoCase(option, "-j")) LanguageOption = 1;
    else if (NamesMatchNoCase(option, "-k")) LanguageOption = 3;
    else if (NamesMatchNoCase(option, "-c")) LanguageOption = 2;
    else if (NamesMatchNoCase(option, "-x")) BuildQkPn = true;
}

static int Convert(int argc, const char* const* argv) {
    // Alone, and only when no file bears the name, --help and --version are options.
    if (argc == 2 && !FileExists(argv[1])) {
        if (strcmp(argv[1], "--help") == 0) {
            ShowBanner();
            WriteConsole("%s\n", kUsage);
            ShowCommandLineHelp();
            return 0;
        }
        if (strcmp(argv[1], "--version") == 0) {
            ShowBanner();
            return 0;
        }
    }
    if (argc >= 2 && strcmp(argv[1], "-v") == 0) {
        VerboseIds = true;
        --argc;
        ++argv;
    }
    ShowBanner();
    if (argc < 2) return ShowHelpMenu();

    const std::string source = argv[1];
    FILE* input = OpenForReading(source, "rb");
    if (!input) {
        std::string message(MAXITEMSIZE, '\0');
        FormatBounded(&message[0], message.size() - 1, "File \"%.511978s\" not found",
                      source.c_str());
        WriteConsole("\nError: Argument mismatch or not enough arguments.\n%s\n", kUsage);
        FatalError(message.c_str());
    }
    StartLexFile(input, source.c_str());

    std::string target;
    if (argc > 2 && strlen(argv[2]) > 2) {
        target = argv[2];
    } else {
        target = DeriveOutputPath(source);
        WriteConsole("WARNING: Output file not specified. Using \"%s\".\n", target.c_str());
    }
    if (SameFile(source, target)) FailPath("Output file \"%s\" is the source file", target);
    OpenOutputFile(target);
    if (argc > 3) ReadOption(argv[3]);

    InstallCharHandlers();
    ConvertStatements();
    CloseOutputFile();
    // The script is written all the same, but a run that found nothing to convert says so.
    if (ConvertedResourceCount() == 0)
        WriteOutput(stderr, "WARNING: No resource converted from \"%s\".\n", source.c_str());
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
    ResetCharSource();
    ResetTokenizer();
    ResetSymbols();
    ResetDirectives();
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
