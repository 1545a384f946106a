// resdecode: reads .res files and walks every resource by its type; non-zero exit on any
// disagreement between the declared counts or lengths and the bytes. With --compare A B, tells
// whether two .res files hold the same resources (type, name, language, data), in any order.
#include "dump/decode.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <tuple>

namespace {

bool Load(const char* path, std::vector<ResEntry>& entries) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        fprintf(stderr, "resdecode: %s: cannot open\n", path);
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    std::string error;
    if (!ParseResFile(bytes, entries, error)) {
        fflush(stdout);
        fprintf(stderr, "resdecode: %s: %s\n", path, error.c_str());
        return false;
    }
    return true;
}

std::string Describe(const ResEntry& e) {
    char language[16];
    snprintf(language, sizeof language, "0x%04X", e.languageId);
    return e.type.Display() + " " + e.name.Display() + " language " + language + " (" +
           std::to_string(e.data.size()) + " bytes)";
}

bool Before(const ResEntry& a, const ResEntry& b) {
    return std::make_tuple(a.type.Display(), a.name.Display(), a.languageId, a.data) <
           std::make_tuple(b.type.Display(), b.name.Display(), b.languageId, b.data);
}

int Compare(const char* first, const char* second) {
    std::vector<ResEntry> a, b;
    if (!Load(first, a) || !Load(second, b)) return 2;
    std::sort(a.begin(), a.end(), Before);
    std::sort(b.begin(), b.end(), Before);
    int differences = 0;
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (j == b.size() || (i < a.size() && Before(a[i], b[j]))) {
            printf("only in %s: %s\n", first, Describe(a[i++]).c_str());
            ++differences;
        } else if (i == a.size() || Before(b[j], a[i])) {
            printf("only in %s: %s\n", second, Describe(b[j++]).c_str());
            ++differences;
        } else {
            ++i;
            ++j;
        }
    }
    if (differences == 0) printf("same %zu resources\n", a.size());
    return differences ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "--compare") == 0) return Compare(argv[2], argv[3]);
    if (argc < 2) {
        fprintf(stderr, "usage: resdecode FILE.res...\n       resdecode --compare A.res B.res\n");
        return 2;
    }
    for (int a = 1; a < argc; ++a) {
        std::vector<ResEntry> entries;
        if (!Load(argv[a], entries)) return 1;
        printf("%s: %zu resource%s\n", argv[a], entries.size(), entries.size() == 1 ? "" : "s");
        for (const ResEntry& entry : entries) {
            std::string line, error;
            if (!WalkEntry(entry, line, error)) {
                fflush(stdout);
                fprintf(stderr, "resdecode: %s: %s\n", argv[a], error.c_str());
                return 1;
            }
            printf("  %s\n", line.c_str());
        }
    }
    return 0;
}
