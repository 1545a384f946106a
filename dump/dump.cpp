// The propwright-dump command: reads a .res file or a PE image and prints its resources as
// source for the converter, problems one line each on the error stream.
#include "dump/decode.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

const char kVersion[] = PROPWRIGHT_VERSION;
const char kUsage[] =
    "usage: propwright-dump [--utf8] FILE   (FILE: a .res file, or a DLL or EXE)\n"
    "       propwright-dump --check [-v] FILE...";

void ShowHelp() {
    printf("propwright-dump %s: prints the resources of a compiled .res file or of a plug-in\n"
           "(a DLL or EXE, 32- or 64-bit) as source that propwright converts back.\n\n"
           "%s\n\n"
           "Standard output gets the source: one resource statement per property list,\n"
           "add-in, terminology, Pate, viewer, path and string resource, and a comment line\n"
           "for every other resource (type, id, language, size). Bytes that no source can\n"
           "give are kept in a comment at their place.\n"
           "The error stream gets one line per problem found in the bytes.\n\n"
           "String-table text is printed in code page 1252 bytes, as the script that\n"
           "converts back is read (windres's default; -c 1252 for llvm-rc, /c1252 for rc).\n"
           "  --utf8      print it, and the other texts, as UTF-8 instead, to be converted\n"
           "              back with -u\n\n"
           "Exit status: 0 clean, 1 problems found, 2 unreadable input.\n\n"
           "--check FILE... prints nothing but what keeps a host from listing or loading\n"
           "each plug-in, one line each: \"FILE: error: ...\" or \"FILE: warning: ...\".\n"
           "Checked: the property lists (Kind, Name, repeated properties, the bytes), and in\n"
           "a DLL the code property of its machine, which must name an exported function.\n"
           "-v adds a note per file that says what was checked.\n"
           "Exit status: 0 no error, 1 an error, 2 a file that cannot be read.\n\n"
           "  --help      this text (only as the sole argument)\n"
           "  --version   the version\n",
           kVersion, kUsage);
}

bool FileExists(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return bool(file);
}

// The name without its folder and extension, for the suggested command line.
std::string BaseName(const std::string& path) {
    size_t start = path.find_last_of("/\\");
    start = start == std::string::npos ? 0 : start + 1;
    std::string base = path.substr(start);
    const size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0) base.erase(dot);
    return base.empty() ? "out" : base;
}

}  // namespace

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes, std::string& why) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        why = "cannot open";
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        why = "cannot read";
        return false;
    }
    return true;
}

// The command line of a --utf8 dump, and what it needs to know.
static void PrintUtf8Command(const std::string& base, bool usesViewer) {
    printf("/* Convert back with: propwright %s.rr %s.rc -u%s\n"
           "   (-u: the text is UTF-8, converted into code page 1252; the viewer's text and the\n"
           "   C1 controls are printed as octal escapes, which the conversion leaves alone) */\n",
           base.c_str(), base.c_str(), usesViewer ? " -x" : "");
}

// The opening comments: where the data came from and the command that converts it back.
static void PrintPreamble(const char* path, size_t count, bool pe, const DumpOutput& out) {
    const std::string base = BaseName(path);
    const bool usesViewer = out.usesViewer;
    printf("/* propwright-dump %s: %zu resource%s from \"%s\" (%s) */\n", kVersion, count,
           count == 1 ? "" : "s", CommentText(path).c_str(), pe ? "PE image" : ".res file");
    if (out.utf8) {
        PrintUtf8Command(base, usesViewer);
    } else if (usesViewer) {
        printf("/* Convert back with: propwright %s.rr %s.rc -x\n"
               "   (-x for the viewer resources; every byte a character conversion would\n"
               "   change is printed as an octal escape, which the conversion leaves alone) */\n",
               base.c_str(), base.c_str());
    } else {
        printf("/* Convert back with: propwright %s.rr %s.rc -j\n"
               "   (-j: no character conversion; the bytes are printed as they are) */\n",
               base.c_str(), base.c_str());
    }
    if (out.usesCodePage) {
        printf("/* String tables: the round trip assumes code page 1252 for the script (windres's\n"
               "   default; -c 1252 for llvm-rc, /c1252 for rc) */\n");
    }
    printf("\n");
}

int RunDump(int argc, char** argv) {
    if (argc == 2 && !FileExists(argv[1])) {
        if (strcmp(argv[1], "--help") == 0) {
            ShowHelp();
            return 0;
        }
        if (strcmp(argv[1], "--version") == 0) {
            printf("propwright-dump %s\n", kVersion);
            return 0;
        }
    }
    const bool check = argc >= 2 && strcmp(argv[1], "--check") == 0;
    if (check && argc >= 3) return RunCheck(argc - 2, argv + 2);
    const bool utf8 = argc == 3 && strcmp(argv[1], "--utf8") == 0;
    if ((argc != 2 && !utf8) || (check && !FileExists(argv[1]))) {
        fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    const char* path = argv[argc - 1];
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadWholeFile(path, bytes, why)) {
        fprintf(stderr, "%s: %s\n", path, why.c_str());
        return 2;
    }
    std::vector<ResEntry> entries;
    std::string error;
    const bool pe = LooksLikePeImage(bytes);
    if (!(pe ? ParsePeResources(bytes, entries, error) : ParseResFile(bytes, entries, error))) {
        fprintf(stderr, "%s: %s%s\n", path, pe ? "" : "not a readable .res file: ",
                error.c_str());
        return 2;
    }
    DumpOutput out;
    out.utf8 = utf8;
    for (const ResEntry& entry : entries) PrintEntry(entry, out);
    PrintPreamble(path, entries.size(), pe, out);
    fputs(out.declarations.c_str(), stdout);
    if (!out.declarations.empty()) fputs("\n", stdout);
    fputs(out.text.c_str(), stdout);
    fflush(stdout);
    for (const std::string& problem : out.problems)
        fprintf(stderr, "%s: %s\n", path, problem.c_str());
    return out.problems.empty() ? 0 : 1;
}
