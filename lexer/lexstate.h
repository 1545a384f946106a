// The state of the file being read: its buffered line, read position and source block.
#pragma once
#include <cstdint>

class SourceReader;

constexpr int MAXITEMSIZE = 512000;
constexpr int kLinePieceMax = MAXITEMSIZE - 1;  // 511 999 characters per buffered piece
constexpr int kFileNameMax = 255;
constexpr char kEndMark = 127;
constexpr uint32_t kSourceBlockSize = 65536;  // bytes read from the source at a time

struct LexState {
    int32_t pushBackCount;
    int32_t lineLength;
    int32_t lineNumber;
    int32_t readIndex;
    char fileName[kFileNameMax + 1];
    SourceReader* reader;  // the file's bytes; null before the run's source is set
    uint32_t blockNext;  // the next unread byte of block
    uint32_t blockEnd;   // the bytes of block read from the stream
    // The current line: its bytes in block when it lies whole there with a plain line end,
    // else copied into line. Only [0, lineLength) is in use; no terminating zero.
    const char* text;
    char* block;  // kSourceBlockSize bytes; each include depth reads into a block of its own
    bool blockRead;  // the file's first block has been read (and its byte order mark seen)
    bool utf8;       // the file's text is UTF-8 (-u, or its own byte order mark)
    char line[MAXITEMSIZE + 1];  // the line when it had to be copied (joined, folded or cut)
};

