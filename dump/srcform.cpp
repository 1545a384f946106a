// Source forms of values (strings, codes, raw bytes) and the printer dispatch by resource form.
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

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five without a character stand for U+0081, U+008D,
// U+008F, U+0090 and U+009D, as Windows maps them. Bytes 0xA0 to 0xFF are U+00A0 to U+00FF.
const uint16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& text, uint16_t unit) {
    if (unit < 0x800) {
        text += char(0xC0 | (unit >> 6));
    } else {
        text += char(0xE0 | (unit >> 12));
        text += char(0x80 | ((unit >> 6) & 0x3F));
    }
    text += char(0x80 | (unit & 0x3F));
}

// The character of a Windows-1252 byte (a C1 control for the five bytes without one).
uint16_t UnitOf1252(uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? k1252High[byte - 0x80] : byte;
}

}  // namespace

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

// A character constant ends at the next quote, with no escapes (a backslash is a character like
// any other), and gives its bytes as they are; under -u its text is UTF-8, so a byte beyond
// ASCII needs a Windows-1252 character other than the C1 controls.
static bool ByteOfConstant(uint8_t c, bool utf8) {
    if (c >= 0x20 && c < 0x7F) return c != '\'';
    return c >= 0x80 && (!utf8 || UnitOf1252(c) != c || c >= 0xA0);
}

bool IsCharConstant(uint32_t code, bool utf8) {
    for (int shift = 24; shift >= 0; shift -= 8)
        if (!ByteOfConstant(uint8_t(code >> shift), utf8)) return false;
    return true;
}

std::string CharConstant(uint32_t code, bool utf8) {
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const uint8_t c = uint8_t(code >> shift);
        if (utf8 && c >= 0x80) AppendUtf8(text, UnitOf1252(c));
        else text += char(c);
    }
    return text + "'";
}

std::string CodeOrEnum(uint32_t code, DumpOutput& out) {
    if (IsCharConstant(code, out.utf8)) return CharConstant(code, out.utf8);
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

typedef void (*ResourcePrinter)(const ResEntry& entry, DumpOutput& out);

// The printer of each resource form, in the order of ResourceForm.
struct FormPrinter {
    ResourceForm form;
    ResourcePrinter print;
};

constexpr FormPrinter kFormPrinters[] = {
    {kPropertyListForm, PrintPropertyList}, {kAddInsForm, PrintAddIns},
    {kTerminologyForm, PrintTerminology},   {kTextForm, PrintTextResource},
    {kViewerForm, PrintTextResource},       {kStringTableForm, PrintStringTable},
    {kPathForm, PrintPath},
};

static_assert(IndexedInOrder(kFormPrinters, &FormPrinter::form, kResourceFormCount),
              "one printer per resource form, in the forms' order");

bool SameNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::toupper((unsigned char)a[i]) != std::toupper((unsigned char)b[i])) return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

const ResourceFormat* FindResourceFormat(const ResId& type) {
    const std::string shown = type.Display();
    for (int i = 0; i < kResourceFormatCount; ++i) {
        if (SameNoCase(shown, kResourceFormats[i].stored)) return &kResourceFormats[i];
    }
    return nullptr;
}

const char* SourceTypeName(const ResId& type) {
    const ResourceFormat* row = FindResourceFormat(type);
    return row ? row->source : nullptr;
}

std::string ResourceLabel(const ResEntry& entry) {
    const ResourceFormat* row = FindResourceFormat(entry.type);
    const std::string type = !row ? entry.type.Display()
                             : row->form == kStringTableForm ? std::string("STRINGTABLE")
                                                             : std::string(row->source);
    return type + " " +
           (entry.name.isOrdinal ? std::to_string(entry.name.ordinal) : entry.name.text);
}

void PrintEntry(const ResEntry& entry, DumpOutput& out) {
    const ResourceFormat* row = FindResourceFormat(entry.type);
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
    const ResourceWalker walker = FindWalker(entry.type);
    if (walker && row->form != kPropertyListForm) {
        std::string summary, why;
        if (!walker(entry, summary, why)) {
            out.problems.push_back(ResourceLabel(entry) + ": " + why);
            out.text += "/* " + CommentText(ResourceLabel(entry) + ": " + why) + " */\n" +
                        RawBytesComment(entry.data.data(), entry.data.size()) + "\n\n";
            return;
        }
    }
    kFormPrinters[row->form].print(entry, out);
}

bool ByteIn1252(uint16_t unit, uint8_t& byte) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        byte = uint8_t(unit);
        return true;
    }
    for (uint8_t i = 0; i < 32; ++i) {
        if (k1252High[i] != unit) continue;
        byte = uint8_t(0x80 + i);
        return true;
    }
    return false;
}

std::string QuotedUnits(const std::vector<uint16_t>& units, bool utf8) {
    std::string text = "\"";
    for (uint16_t unit : units) {
        uint8_t byte = 0;
        ByteIn1252(unit, byte);
        if (utf8 && unit >= 0xA0) {
            AppendUtf8(text, unit);
        } else {
            const std::string quoted = QuotedBytes(&byte, 1);
            text.append(quoted, 1, quoted.size() - 2);
        }
    }
    return text + "\"";
}

std::string QuotedText(const uint8_t* bytes, size_t count, bool utf8) {
    if (!utf8) return QuotedBytes(bytes, count);
    std::vector<uint16_t> units;
    for (size_t i = 0; i < count; ++i) units.push_back(UnitOf1252(bytes[i]));
    return QuotedUnits(units, true);
}
