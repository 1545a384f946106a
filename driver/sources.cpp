// The command line's sources: files read in blocks, includes found from the working directory.
#include "driver/sources.h"

#include "core/platform.h"

bool FileReader::Read(char* into, size_t room, size_t& count) {
    count = std::fread(into, 1, room, stream_);
    // A read error is no end of the source: converting what came before would pass for a
    // success.
    return count > 0 || !std::ferror(stream_);
}

std::unique_ptr<SourceReader> FileResolver::Open(const std::string& path) {
    FILE* stream = FileExists(path) ? OpenForReading(path, "r") : nullptr;
    if (!stream) return nullptr;
    return std::unique_ptr<SourceReader>(new FileReader(stream));
}

bool FileResolver::SameFile(const std::string& a, const std::string& b) {
    return ::SameFile(a, b);
}
