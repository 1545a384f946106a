// The command line's sources: files read in blocks, and includes found as paths from the
// working directory.
#pragma once
#include <cstdio>
#include <memory>
#include <string>

#include "lexer/resolver.h"

// Reads an open file; closes it when destroyed.
class FileReader : public SourceReader {
public:
    explicit FileReader(FILE* stream) : stream_(stream) {}
    ~FileReader() override { std::fclose(stream_); }
    bool Read(char* into, size_t room, size_t& count) override;
private:
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    FILE* stream_;
};

// An include names a file by its path (from the working directory); two names are the same
// file when they lead to the same file on disk.
class FileResolver : public IncludeResolver {
public:
    std::unique_ptr<SourceReader> Open(const std::string& path) override;
    bool SameFile(const std::string& a, const std::string& b) override;
};
