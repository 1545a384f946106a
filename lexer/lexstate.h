// The state of the file being read: its buffered line, read position and source block.
#pragma once
#include <cstdint>
#include <vector>

class SourceReader;

constexpr int MAXITEMSIZE = 512000;
constexpr int kLinePieceMax = MAXITEMSIZE - 1;  // 511 999 characters per buffered piece
constexpr int kFileNameMax = 255;
constexpr char kEndMark = 127;
constexpr uint32_t kSourceBlockSize = 65536;  // bytes read from the source at a time

struct LexState {
    int32_t pushBackCount = 0;
    int32_t lineLength = 0;
    int32_t lineNumber = 0;
    int32_t readIndex = 0;
    char fileName[kFileNameMax + 1] = {};
    SourceReader* reader = nullptr;  // the file's bytes; null before the run's source is set
    uint32_t blockNext = 0;  // the next unread byte of block
    uint32_t blockEnd = 0;   // the bytes of block read from the stream
    // The current line: its bytes in block when it lies whole there with a plain line end,
    // else copied into line. Only [0, lineLength) is in use; no terminating zero.
    const char* text = "";
    char* block = nullptr;  // kSourceBlockSize bytes; each include depth reads into its own
    bool blockRead = false;  // the file's first block has been read (and its byte order mark seen)
    bool utf8 = false;       // the file's text is UTF-8 (-u, or its own byte order mark)
    // The line when it had to be copied (joined, folded or cut): at most kLinePieceMax
    // characters, a line end and a zero; it grows to what the longest such line needs.
    std::vector<char> line;
};

