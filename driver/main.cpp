// Process entry point: forwards to the in-process run.
#include "driver/run.h"

int main(int argc, char** argv) {
    return RunPropwright(argc, argv);
}
