// Source forms of values (strings, codes, raw bytes) and the per-type printer dispatch.
#include "dump/decode.h"

#include <cctype>
#include <cstdio>

uint16_t ReadU16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string Hex32(uint32_t value) {
    char text[16];
    snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// Every byte outside printable ASCII, the quote and the backslash as a three-digit octal
// escape: the converter counts such an escape as one byte and changes none of its characters.
std::string QuotedBytes(const uint8_t* bytes, size_t count) {
    std::string text = "\"";
    for (size_t i = 0; i < count; ++i) {
        const uint8_t c = bytes[i];
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            text += char(c);
        } else {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\%03o", c);
            text += escaped;
        }
    }
    return text + "\"";
}

// The lexer keeps a backslash and the character after it as they are, so a backslash is an
// ordinary character of a constant unless it comes last, where it would hide the closing quote.
bool IsCharConstant(uint32_t code) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned char c = (unsigned char)(code >> shift);
        if (c < 0x20 || c >= 0x7F || c == '\'') return false;
        if (c == '\\' && shift == 0) return false;
    }
    return true;
}

std::string CharConstant(uint32_t code) {
    return "'" + FourCharText(code) + "'";
}

std::string CodeOrEnum(uint32_t code, DumpOutput& out) {
    if (IsCharConstant(code)) return CharConstant(code);
    char name[32];
    snprintf(name, sizeof name, "kDumpCode%08X", code);
    const std::string line = std::string("enum { ") + name + " = " + Hex32(code) + " };\n";
    if (out.declarations.find(line) == std::string::npos) out.declarations += line;
    return name;
}

std::string RawBytesComment(const uint8_t* bytes, size_t count) {
    std::string text = "/* raw:";
    for (size_t i = 0; i < count; ++i) {
        char hex[8];
        snprintf(hex, sizeof hex, " %02X", bytes[i]);
        text += hex;
    }
    return text + " */";
}

std::string CommentText(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '*' && i + 1 < text.size() && text[i + 1] == '/') out += ' ';
    }
    return out;
}

namespace {

struct TypeRow {
    const char* stored;  // the type as a compiled resource holds it (compared without case)
    const char* source;  // the type as the converter reads it
    void (*print)(const ResEntry& entry, DumpOutput& out);
};

const TypeRow kTypes[] = {
    {"Vtag", "Vtag", PrintPropertyList}, {"AdPr", "AdPr", PrintPropertyList},
    {"AdIn", "AdIn", PrintAddIns},       {"aete", "aete", PrintTerminology},
    {"Pate", "Pate", PrintTextResource}, {"QkPn", "QkPn", PrintTextResource},
    {"PATH", "PATH", PrintPath},         {"#6", "STR ", PrintStringTable},
};

bool SameNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::toupper((unsigned char)a[i]) != std::toupper((unsigned char)b[i])) return false;
    }
    return i == a.size() && b[i] == '\0';
}

const TypeRow* FindType(const ResId& type) {
    const std::string shown = type.Display();
    for (const TypeRow& row : kTypes) {
        if (SameNoCase(shown, row.stored)) return &row;
    }
    return nullptr;
}

}  // namespace

const char* SourceTypeName(const ResId& type) {
    const TypeRow* row = FindType(type);
    return row ? row->source : nullptr;
}

std::string ResourceLabel(const ResEntry& entry) {
    const TypeRow* row = FindType(entry.type);
    const std::string type = !row ? entry.type.Display()
                             : row->print == PrintStringTable ? std::string("STRINGTABLE")
                                                              : std::string(row->source);
    return type + " " +
           (entry.name.isOrdinal ? std::to_string(entry.name.ordinal) : entry.name.text);
}

void PrintEntry(const ResEntry& entry, DumpOutput& out) {
    const TypeRow* row = FindType(entry.type);
    char language[16];
    snprintf(language, sizeof language, "0x%04X", entry.languageId);
    if (!row) {
        out.text += "/* not converted: type " + CommentText(entry.type.Display()) + ", id " +
                    CommentText(entry.name.Display()) + ", language " + language + ", " +
                    std::to_string(entry.data.size()) + " bytes */\n\n";
        return;
    }
    if (!entry.name.isOrdinal) {
        out.problems.push_back(ResourceLabel(entry) + ": a name that is a string; the converter "
                               "writes numeric identifiers only");
        out.text += "/* " + CommentText(ResourceLabel(entry)) + " (language " + language +
                    "): named, not convertible */\n" +
                    RawBytesComment(entry.data.data(), entry.data.size()) + "\n\n";
        return;
    }
    // A walker that finds the bytes inconsistent leaves them as a comment.
    const WalkerRow* walker = FindWalker(entry.type);
    if (walker && row->print != PrintPropertyList) {
        std::string summary, why;
        if (!walker->walker(entry, summary, why)) {
            out.problems.push_back(ResourceLabel(entry) + ": " + why);
            out.text += "/* " + CommentText(ResourceLabel(entry) + ": " + why) + " */\n" +
                        RawBytesComment(entry.data.data(), entry.data.size()) + "\n\n";
            return;
        }
    }
    row->print(entry, out);
}
