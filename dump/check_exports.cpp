// Why an entry point is not among the image's exports: the export that explains it (letter
// case, x86 decoration, a C++ decorated name) and its cure, or an export table without names.
#include "dump/decode.h"

#include <cctype>

namespace {

bool AllDigits(const std::string& text, size_t from) {
    if (from >= text.size()) return false;
    for (size_t i = from; i < text.size(); ++i)
        if (!std::isdigit((unsigned char)text[i])) return false;
    return true;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// ?Name@... : a C++ function, in the global namespace or another scope.
bool IsCppName(const std::string& exported, const std::string& wanted) {
    return StartsWith(exported, "?" + wanted + "@");
}

// _Name@N (Microsoft compilers) or Name@N (MinGW): __stdcall with its argument bytes.
bool IsStdcallName(const std::string& exported, const std::string& wanted) {
    for (const std::string& start : {wanted + "@", "_" + wanted + "@"})
        if (StartsWith(exported, start) && AllDigits(exported, start.size())) return true;
    return false;
}

// _Name: the x86 C symbol, exported as it stands by a module-definition file.
bool IsUnderscoreName(const std::string& exported, const std::string& wanted) {
    return exported == "_" + wanted;
}

bool IsOtherCase(const std::string& exported, const std::string& wanted) {
    if (exported.size() != wanted.size() || exported == wanted) return false;
    for (size_t i = 0; i < wanted.size(); ++i)
        if (std::tolower((unsigned char)exported[i]) != std::tolower((unsigned char)wanted[i]))
            return false;
    return true;
}

struct HintRow {
    bool (*matches)(const std::string& exported, const std::string& wanted);
    const char* why;   // what the export is, after its name
    const char* cure;
};

const HintRow kHints[] = {
    {IsCppName, "the C++ decorated name of that function",
     "declare it extern \"C\", or export the plain name from a module-definition (.def) file"},
    {IsStdcallName, "that name with x86 __stdcall decoration",
     "export the plain name from a module-definition (.def) file (MinGW: link with "
     "-Wl,--kill-at)"},
    {IsUnderscoreName, "that name with the x86 C decoration (a leading underscore)",
     "export the plain name from a module-definition (.def) file"},
    {IsOtherCase, "that name in other letter case",
     "spell the function and the property's text alike (a host matches names exactly)"},
};

}  // namespace

std::string ExplainMissingExport(const std::string& wanted, const PeExports& image) {
    for (const HintRow& hint : kHints)
        for (const std::string& exported : image.names)
            if (hint.matches(exported, wanted))
                return "; it exports '" + exported + "', " + hint.why + ": " + hint.cure;
    if (!image.names.empty()) return "";
    if (image.ordinalOnly > 0)
        return "; the image exports " + std::to_string(image.ordinalOnly) +
               (image.ordinalOnly == 1 ? " function" : " functions") +
               " by ordinal only, and a host looks entry points up by name";
    return "; the image exports no functions: mark it __declspec(dllexport) or list it in a "
           "module-definition (.def) file";
}
