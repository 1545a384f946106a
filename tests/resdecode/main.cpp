// resdecode: reads .res files and walks every resource by its type; non-zero exit on any
// disagreement between the declared counts or lengths and the bytes.
#include "tests/resdecode/resdecode.h"

#include <cstdio>
#include <fstream>
#include <iterator>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: resdecode FILE.res...\n");
        return 2;
    }
    for (int a = 1; a < argc; ++a) {
        std::ifstream file(argv[a], std::ios::binary);
        if (!file) {
            fprintf(stderr, "resdecode: %s: cannot open\n", argv[a]);
            return 1;
        }
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
        std::vector<ResEntry> entries;
        std::string error;
        if (!ParseResFile(bytes, entries, error)) {
            fflush(stdout);
            fprintf(stderr, "resdecode: %s: %s\n", argv[a], error.c_str());
            return 1;
        }
        printf("%s: %zu resource%s\n", argv[a], entries.size(), entries.size() == 1 ? "" : "s");
        for (const ResEntry& entry : entries) {
            std::string line;
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
