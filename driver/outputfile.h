// The output file: the script's target and its safe replacement.
#pragma once
#include <cstdio>
#include <string>

#include "emit/conversion.h"

constexpr size_t kOutputPathMax = 2047;

// A regular target is written to a temporary file beside it and replaced only when the run
// succeeds. A device, FIFO or console gets the script at the end: until then it waits in a
// scratch stream, so that nothing reaches the device from a failed run.
struct OutputFile : ScriptSink {
    std::string path;       // the target as given
    std::string finalPath;  // the regular file finally written, links followed
    std::string tempPath;   // where the script is written until the run succeeds
    FILE* stream = nullptr;
    FILE* device = nullptr;
    bool failed = false;    // a write came up short

    void Write(const char* data, size_t size) override;
};

// Opens the output for path; false when it cannot be opened.
bool OpenOutputFile(OutputFile& output, const std::string& path);
// Moves the finished script into place or hands it to the device; false when a write failed
// (nothing is left behind then).
bool CloseOutputFile(OutputFile& output);
// Closes and removes the script being written (the file a link leads to, never the link; a
// device is only closed), so a failed run leaves no output behind. Nothing when none is open.
void DiscardOutput(OutputFile& output);
