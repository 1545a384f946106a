// The zero-terminated text lines shared by the 'Pate' and 'QkPn' converters.
#pragma once
#include <string>

// Longest piece of text on one script line.
constexpr size_t kTextPieceMax = 70;

// Writes text as quoted lines of at most kTextPieceMax characters, the last one ending in the
// escape of the terminating zero byte. Backslashes at the end of a piece move on to the next
// piece so that no escape sequence is cut after its backslash.
void WriteTextPieces(const std::string& text);
