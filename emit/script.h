// The script being assembled, for the emit layer only: every other layer writes through the
// item writers and the block framing of output.h.
#pragma once
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

// A growable run of characters made for appending: a writer claims room for the most it may
// write, writes through the pointer and sets the new end, so one item costs one size check.
struct TScriptBuffer {
    char* begin = nullptr;
    size_t length = 0;
    size_t capacity = 0;

    TScriptBuffer() = default;
    ~TScriptBuffer() { free(begin); }
    TScriptBuffer(const TScriptBuffer&) = delete;
    TScriptBuffer& operator=(const TScriptBuffer&) = delete;

    // Room for at least n more characters after the end; pointers from an earlier claim are
    // void afterwards.
    char* Claim(size_t n) {
        if (capacity - length < n) Grow(n);
        return begin + length;
    }
    // Ends the text at end, a pointer into the room of the last claim.
    void SetEnd(const char* end) { length = size_t(end - begin); }

    void append(const char* text, size_t n) {
        memcpy(Claim(n), text, n);
        length += n;
    }
    void append(const char* text) { append(text, strlen(text)); }
    void push_back(char c) {
        *Claim(1) = c;
        ++length;
    }
    size_t size() const { return length; }
    bool empty() const { return length == 0; }
    const char* data() const { return begin; }
    void clear() { length = 0; }

private:
    void Grow(size_t n);   // capacity grows geometrically, at least to length + n
};

// Writes a literal's characters, without its terminating zero, and returns their end.
template <size_t N>
inline char* PutLiteral(char* at, const char (&text)[N]) {
    memcpy(at, text, N - 1);
    return at + N - 1;
}

// Writes ScriptText of text and returns the end; it takes at most twice the text's length of
// room (a line end or an escape of one letter doubles, nothing grows more).
char* PutScriptText(char* at, const std::string& text);
// The same for a quoted item's text as a C string: a zero byte in it ends it there.
char* PutQuotedText(char* at, const std::string& text);
