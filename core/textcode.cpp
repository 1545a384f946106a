// UTF-8 decoding, and the text rewritten in a Windows code page through the platform layer.
#include "core/textcode.h"

#include <cstring>

#include "core/platform.h"

namespace {

// Per lead byte: the sequence length and the range of the byte after it (the narrower first
// ranges rule out overlong forms, surrogates and characters above U+10FFFF).
struct LeadRow {
    uint8_t first, last;  // lead bytes
    size_t length;
    uint8_t low, high;    // the second byte
};
const LeadRow kLeads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

const LeadRow* FindLead(unsigned char c) {
    for (const LeadRow& row : kLeads)
        if (c >= row.first && c <= row.last) return &row;
    return nullptr;
}

}  // namespace

size_t DecodeUtf8(const unsigned char* text, size_t size, uint32_t& character) {
    if (size == 0) return 0;
    character = text[0];
    if (text[0] < 0x80) return 1;
    const LeadRow* row = FindLead(text[0]);
    if (!row || size < row->length || text[1] < row->low || text[1] > row->high) return 0;
    character &= 0x3Fu >> (row->length - 1);
    for (size_t i = 1; i < row->length; ++i) {
        if ((text[i] & 0xC0) != 0x80) return 0;
        character = character << 6 | (text[i] & 0x3Fu);
    }
    return row->length;
}

bool LooksLikeUtf8(const char* text, size_t size) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    bool multiByte = false;
    // Most texts are ASCII throughout: eight bytes at a time up to the first byte beyond it.
    size_t start = 0;
    for (uint64_t word; start + 8 <= size; start += 8) {
        std::memcpy(&word, bytes + start, 8);
        if (word & 0x8080808080808080u) break;
    }
    for (size_t i = start; i < size; ++i) {
        if (bytes[i] < 0x80) continue;
        uint32_t character;
        const size_t length = DecodeUtf8(bytes + i, size - i, character);
        if (length == 0) return false;
        multiByte = true;
        i += length - 1;
    }
    return multiByte;
}

bool RecodeUtf8(std::string& text, int codePage, bool escapeBackslash, TextFaultAt& at) {
    size_t i = 0;
    while (i < text.size() && (unsigned char)text[i] < 0x80) ++i;
    if (i == text.size()) return true;
    std::string out(text, 0, i);
    CodePageWriter writer(codePage);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
    while (i < text.size()) {
        uint32_t character;
        const size_t length = DecodeUtf8(bytes + i, text.size() - i, character);
        if (length == 0) {
            at.fault = TextFault::kMalformed;
            at.byte = bytes[i];
            return false;
        }
        char written[4];
        const int count = length == 1 ? 1 : writer.Write(character, written);
        if (count <= 0) {
            at.fault = count < 0 ? TextFault::kNoConverter : TextFault::kUnwritable;
            at.character = character;
            return false;
        }
        if (length == 1) {
            out += text[i];
        } else {
            for (int b = 0; b < count; ++b) {
                if (written[b] == '\\' && escapeBackslash) out += '\\';
                out += written[b];
            }
        }
        i += length;
    }
    text.swap(out);
    return true;
}
