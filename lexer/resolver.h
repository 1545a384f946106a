// Where a conversion's source bytes come from: a reader per file, and the include resolver,
// the only part of a conversion that finds and opens files.
#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <string>

// Hands out one file's bytes in pieces.
class SourceReader {
public:
    virtual ~SourceReader() = default;
    // Puts up to room bytes into into and their number into count, 0 at the end; false when
    // the bytes cannot be read (an error, not the end).
    virtual bool Read(char* into, size_t room, size_t& count) = 0;
};

// A file held in memory.
class TextReader : public SourceReader {
public:
    explicit TextReader(const std::string& text) : text_(text) {}
    bool Read(char* into, size_t room, size_t& count) override;
private:
    const std::string& text_;
    size_t next_ = 0;
};

// Finds the file an #include names.
class IncludeResolver {
public:
    virtual ~IncludeResolver() = default;
    // A reader of the named file, or null when there is no such file or it cannot be opened.
    virtual std::unique_ptr<SourceReader> Open(const std::string& path) = 0;
    // Both names lead to the same file: an include of a file still being read is refused.
    virtual bool SameFile(const std::string& a, const std::string& b) = 0;
};

// Includes from a set of files in memory, found by their exact names.
class TextResolver : public IncludeResolver {
public:
    std::map<std::string, std::string> files;
    std::unique_ptr<SourceReader> Open(const std::string& path) override;
    bool SameFile(const std::string& a, const std::string& b) override { return a == b; }
};
