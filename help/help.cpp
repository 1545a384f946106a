// The interactive help: a menu of help pages and a paged, searchable keyword list.
#include "help/help.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "core/diagnostics.h"
#include "core/platform.h"
#include "lexer/keywords.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

static const char kVersion[] = PROPWRIGHT_VERSION;

void ShowBanner() {
    // __DATE__ is "Mmm dd yyyy" with the day padded by a blank; __TIME__ is "hh:mm:ss".
    WriteConsole("Propwright. %s Version %s, %s.\n", "Release", kVersion, __DATE__ " " __TIME__);
}

namespace {

const int kEnterCR = 13;
const int kEnterLF = 10;
const int kEndOfInput = -1;
const int kNamesPerPage = 40;

bool IsEnter(int key) {
    return key == kEnterCR || key == kEnterLF;
}

// End of input counts as a quit key, so a closed input always leaves the help.
bool IsQuitKey(int key) {
    return key == 'Q' || key == 'X' || key == 127 || key == 0 || key == kEndOfInput;
}

int ReadUpperKey() {
    int key = ReadKeyEcho();
    return key >= 0 ? std::toupper(key) : key;
}

void ShowMenuPage() {
    WriteConsole("%s",
        "Propwright menu\n"
        "-------------\n"
        "\n"
        "Select a topic to get information on, or a command to perform:\n"
        "\n"
        "    ? = This menu\n"
        "    1 = Propwright Syntax\n"
        "    2 = Custom Build Settings for Visual C++\n"
        "    3 = Optional Parameters\n"
        "    4 = Passing Only the <source_file> Parameter\n"
        "    5 = Supported Tokens\n"
        "    V = Program Version\n"
        "Enter = Next page\n"
        "    Q = Quit");
}

void ShowSyntaxPage() {
    WriteConsole("%s",
        "Propwright Syntax\n"
        "---------------\n"
        "\n"
        "Syntax: Propwright <source_file> { <target_file> } { -j | -c | -k | -x }");
}

void ShowBuildSettingsPage() {
    WriteConsole("%s",
        "Sample custom build settings for Visual C++\n"
        "-------------------------------------------\n"
        "\n"
        "1. Precompile .r file into .rr (.tmp, etc.) file.\n"
        "2. Pipe .rr file through Propwright to make .rc file.\n"
        "3. Include .rc file in project via compile-time include.\n"
        "\n"
        "1+2. To Precompile .r and pipe through Propwright:\n"
        "\n"
        "  In the .r file's custom build settings, enter the commands:\n"
        "    cl /I ..\\Include\\Path /EP /DMSWindows=1 /Tc$(InputPath) > $(InputName).rr\n"
        "    propwright $(InputName).rr $(InputName).rc\n"
        "  and the output:\n"
        "    $(InputName).rc\n"
        "\n"
        "3. To include .rc file in project:\n"
        "\n"
        "  Under Resource Includes, add to the compile-time directives:\n"
        "    #include \"myvtag.rc\"\n"
        "\n"
        "Or whatever is the name of your <target_file>.");
}

void ShowOptionsPage() {
    WriteConsole("%s",
        "Optional parameters\n"
        "-------------------\n"
        "\n"
        "propwright invtag.rr outvtag.rc -j -- Japanese res script\n"
        "propwright invtag.rr outvtag.rc -c -- Chinese res script\n"
        "propwright invtag.rr outvtag.rc -k -- Korean res script\n"
        "propwright invtag.rr outvtag.rc -x -- build Quickpane\n");
}

void ShowSourceOnlyPage() {
    WriteConsole("%s",
        "Calling Propwright with only <source_file> parameter\n"
        "--------------------------------------------------\n"
        "\n"
        "If you specify only a <source_file> parameter, Propwright will create\n"
        "the output file:\n"
        "    <source_file>.rc\n"
        "\n"
        "If your source_file is an .rc file, it will create the output file:\n"
        "    <source_file>.txt\n"
        "\n"
        "If \"<source_file>.txt\" exists in the target folder, it will be replaced.\n"
        "If that's a problem, specify the output file name in the parameter\n"
        "list.");
}

}  // namespace

void ShowCommandLineHelp() {
    WriteConsole("%s",
        "\n"
        "Converts a resource description (a .r file, usually preprocessed into a .rr\n"
        "file) into a Windows resource script.\n"
        "\n"
        "  -v             as first argument: echo each resource identifier on stderr\n"
        "  <source_file>  the resource description to convert\n"
        "  <target_file>  the script to write (more than two characters); by default the\n"
        "                 source's name with the extension .rc, or .txt for a .rc source\n"
        "  -j | -c | -k   after <target_file>: Japanese, Chinese or Korean script;\n"
        "                 string bytes are kept as written\n"
        "  -x             after <target_file>: also convert viewer resources ('QkPn')\n"
        "  -u             after <target_file>, beside one of the above: the source is\n"
        "                 UTF-8; strings and character constants are written in code\n"
        "                 page 1252 (932, 936, 949 with -j, -c, -k); a character it cannot\n"
        "                 hold is an error. A source that starts with the UTF-8 byte order\n"
        "                 mark is read as with -u; without either, a string that looks like\n"
        "                 UTF-8 gives a warning\n"
        "  --help         alone: this text\n"
        "  --version      alone: the version line\n"
        "\n"
        "Without arguments an interactive help menu opens.\n"
        "Full description: man propwright\n");
}

namespace {

struct HelpTopic {
    int key;
    void (*show)();
};

// Enter walks these rows in order and wraps from the last to the first.
const HelpTopic kHelpTopics[] = {
    {'?', ShowMenuPage},
    {'1', ShowSyntaxPage},
    {'2', ShowBuildSettingsPage},
    {'3', ShowOptionsPage},
    {'4', ShowSourceOnlyPage},
    {'5', BrowseKeywords},
    {'V', ShowBanner},
};
const int kTopicCount = sizeof(kHelpTopics) / sizeof(kHelpTopics[0]);

int TopicForKey(int key, int current) {
    if (IsEnter(key)) return (current + 1) % kTopicCount;
    for (int row = 0; row < kTopicCount; ++row)
        if (kHelpTopics[row].key == key) return row;
    return 0;
}

int PageCount() {
    return (kKeywordCount + kNamesPerPage - 1) / kNamesPerPage;
}

void ShowKeywordPage(int page) {
    int first = kNamesPerPage * (page - 1);
    int end = kNamesPerPage * page < kKeywordCount ? kNamesPerPage * page : kKeywordCount;
    WriteConsole("Supported Tokens (%d to %d of %d tokens, page %d of %d.)\n----------------\n",
                 first + 1, end, kKeywordCount, page, PageCount());
    for (int i = first; i < end; ++i) {
        WriteConsole("%-30s\t", kKeywordTable[i].name);
        if (i % 2 == 1) WriteConsole("\n");
    }
}

// The word typed after "Find token: ", read through the same echoing key reader. It ends at
// the first white-space character, which is consumed (it is the key that completes the word).
std::string ReadFindWord() {
    std::string word;
    for (;;) {
        int key = ReadKeyEcho();
        if (key == kEndOfInput || std::isspace(key)) break;
        word += char(key);
    }
    return word;
}

void FindKeyword() {
    WriteConsole("\nFind token: ");
    std::string word = ReadFindWord();
    for (int i = 0; i < kKeywordCount; ++i) {
        if (NamesMatchNoCase(word.c_str(), kKeywordTable[i].name)) {
            WriteConsole("Found \"%s\". Token %d, page %d.", kKeywordTable[i].name, i + 1,
                         i / kNamesPerPage + 1);
            return;
        }
    }
    WriteConsole("\"%s\" not found.", word.c_str());
}

// Restores the console however the menu is left.
struct ConsoleGuard {
    ~ConsoleGuard() { RestoreConsole(); }
};

}  // namespace

void BrowseKeywords() {
    int page = 1;
    bool showPage = true;
    for (;;) {
        if (showPage) ShowKeywordPage(page);
        showPage = true;
        WriteConsole("\n? = Same page, Enter = Next, - = Back, F = Find, Q = Quit tokens: ");
        int key = ReadUpperKey();
        if (IsQuitKey(key)) return;
        if (key == '-') {
            if (page > 1) --page;
        } else if (key == 'F') {
            FindKeyword();
            showPage = false;
        } else if (key != '?') {
            if (page == PageCount()) return;
            ++page;
        }
        WriteConsole("\n\n");
    }
}

int ShowHelpMenu() {
    ConsoleGuard guard;
    WriteConsole("\n\n");
    int row = 0;
    int pending = '?';
    for (;;) {
        row = TopicForKey(pending, row);
        kHelpTopics[row].show();
        WriteConsole("\n\nPlease choose (%s): ", "?, 1, 2, 3, 4, 5, V, Enter, Q");
        int key = ReadUpperKey();
        WriteConsole("\n\n\n");
        if (IsQuitKey(key)) return 0;
        pending = key;
    }
}
