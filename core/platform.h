// The small platform layer: console keys, path splitting, file identity and safe output.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

struct SplitPath {
    std::string drive, dir, base, ext;
};

SplitPath SplitPathParts(const std::string& path);
std::string JoinPathParts(const SplitPath& parts);
bool FileExists(const std::string& path);
// Opens a file for reading; one that opens but cannot be read (a directory) gives null too.
FILE* OpenForReading(const std::string& path, const char* mode);
bool SameFile(const std::string& a, const std::string& b);
std::string DirectoryOf(const std::string& path);

// What an output path names, symbolic links (reparse points) followed.
enum class TargetKind {
    Missing,    // nothing there yet: a new regular file is made
    Regular,    // an existing regular file, replaced as a whole
    Unusable,   // a directory, a loop of links, a path that cannot be examined: refused
    Device      // a device, FIFO, socket or console: written straight, never replaced or removed
};
struct OutputTarget {
    TargetKind kind;
    std::string file;  // Missing and Regular: the file that is finally written, links followed
};
OutputTarget ExamineTarget(const std::string& path);

// Creates a fresh temporary file "<name>.propwright-XXXXXX" beside file and opens it for
// writing as text. It gets the permission bits (and owner and group, where allowed) of the
// file it will replace, or the mode of a new file. Until ReplaceTarget or RemoveTempFile, a
// signal or console event that ends the process removes it. Null on failure.
FILE* MakeTempBeside(const std::string& file, std::string* tempPath);
// Moves the closed temporary file over file.
bool ReplaceTarget(const std::string& tempPath, const std::string& file);
void RemoveTempFile(const std::string& tempPath);

// Opens an existing device, FIFO or console for writing, without creating anything.
FILE* OpenDevice(const std::string& path);
// An anonymous read-write stream that the system removes when it is closed or the process
// ends; holds a script bound for a device, which cannot be back-patched in place.
FILE* OpenScratchStream();

// Writes Unicode characters in a Windows code page (1252, 932, 936, 949) through the system's
// converter, for one text: the converter is opened on first use and closed with the writer.
class CodePageWriter {
public:
    explicit CodePageWriter(int codePage) : codePage_(codePage) {}
    ~CodePageWriter();
    // The bytes of character: their count (1 or 2), 0 when the code page has no bytes for it,
    // -1 when the system has no converter for the code page.
    int Write(uint32_t character, char bytes[4]);
private:
    CodePageWriter(const CodePageWriter&) = delete;
    CodePageWriter& operator=(const CodePageWriter&) = delete;
    int codePage_;
    void* converter_ = nullptr;  // the open converter, where the system has one to open
    bool opened_ = false;
};

// Reads one key for the help menu and echoes it. Returns -1 at end of input.
int ReadKeyEcho();
// Restores the terminal if a key read changed its mode.
void RestoreConsole();
