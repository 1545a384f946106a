// The small platform layer: console keys, path splitting and file identity.
#pragma once
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
// Creates a fresh temporary file beside target; returns an empty string on failure.
std::string MakeTempBeside(const std::string& target);
bool ReplaceTarget(const std::string& from, const std::string& to);

// Reads one key for the help menu and echoes it. Returns -1 at end of input.
int ReadKeyEcho();
// Restores the terminal if a key read changed its mode.
void RestoreConsole();
