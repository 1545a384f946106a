// propwright-dump: compiled resources back to source.
#include "dump/decode.h"

int main(int argc, char** argv) {
    return RunDump(argc, argv);
}
