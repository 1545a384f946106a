// Source text read as UTF-8 and written in a Windows code page.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Why a text could not be written: a byte that starts no well-formed UTF-8 sequence, or a
// character the code page has no bytes for, or no converter for the code page at all.
enum class TextFault { kNone, kMalformed, kUnwritable, kNoConverter };
struct TextFaultAt {
    TextFault fault = TextFault::kNone;
    uint8_t byte = 0;        // kMalformed: the byte that starts the bad sequence
    uint32_t character = 0;  // kUnwritable: the character
};

// The length of the well-formed UTF-8 sequence at text[0, size) (1 for an ASCII byte), with
// its character; 0 when the bytes there start none (overlong forms and surrogates included).
size_t DecodeUtf8(const unsigned char* text, size_t size, uint32_t& character);
// Whether text looks like UTF-8: well-formed throughout, with a sequence of more than one
// byte (Mac Roman text can hold such a pair, seldom only well-formed ones).
bool LooksLikeUtf8(const char* text, size_t size);
// Rewrites UTF-8 text in codePage; ASCII bytes (escapes among them) stay as they are. With
// escapeBackslash a written byte 0x5C of a non-ASCII character (the second byte of some double-
// byte characters) becomes two backslashes, the script's escape for it. On a fault text is
// left as it was and the fault described.
bool RecodeUtf8(std::string& text, int codePage, bool escapeBackslash, TextFaultAt& at);
