// The output file: the script's target and its safe replacement.
#include "driver/outputfile.h"

#include "core/platform.h"

void OutputFile::Write(const char* data, size_t size) {
    if (fwrite(data, 1, size, stream) != size) failed = true;
}

bool OpenOutputFile(OutputFile& output, const std::string& path) {
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
    if (!stream) return false;
    output.path = path;
    output.finalPath = device ? std::string() : target.file;
    output.tempPath = temp;
    output.device = device;
    output.stream = stream;
    // The script comes in large blocks; the stream adds no buffer.
    setvbuf(stream, nullptr, _IONBF, 0);
    return true;
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

bool CloseOutputFile(OutputFile& output) {
    bool failed = output.failed || ferror(output.stream) != 0;
    if (output.device) {
        fflush(stdout);  // console text so far comes first when both share a terminal or file
        failed = !CopyScript(output.stream, output.device) || failed;
        failed = (fclose(output.device) != 0) || failed;
        output.device = nullptr;
    }
    failed = (fclose(output.stream) != 0) || failed;
    output.stream = nullptr;
    if (output.tempPath.empty()) return !failed;
    if (failed || !ReplaceTarget(output.tempPath, output.finalPath)) {
        RemoveTempFile(output.tempPath);
        remove(output.finalPath.c_str());
        return false;
    }
    return true;
}

void DiscardOutput(OutputFile& output) {
    if (!output.stream) return;
    fclose(output.stream);
    output.stream = nullptr;
    if (output.device) {
        // A device is never removed; nothing of the script has reached it yet.
        fclose(output.device);
        output.device = nullptr;
        return;
    }
    if (!output.tempPath.empty()) RemoveTempFile(output.tempPath);
    if (!output.finalPath.empty()) remove(output.finalPath.c_str());
}
