// Terminology printer ('aete'): suites, events, parameters, classes, properties, elements and
// enumerations in the converter's order; the walker has checked every count and length.
#include "dump/decode.h"
#include "formats/names.h"

namespace {

struct Reader {
    const std::vector<uint8_t>& data;
    DumpOutput& out;
    size_t at = 0;
    std::string problem;  // the first code no source can give

    uint16_t Word() {
        const uint16_t v = ReadU16(&data[at]);
        at += 2;
        return v;
    }
    std::string Number() {
        return std::to_string(int16_t(Word()));
    }
    std::string Text() {
        const size_t n = data[at];
        const std::string text = QuotedText(&data[at + 1], n, out.utf8);
        at += 1 + n;
        return text;
    }
    uint32_t Long() {
        const uint32_t v = ReadU32(&data[at]);
        at += 4;
        return v;
    }
    std::string Code() {
        return CodeOrEnum(Long(), out);
    }
    // A place that takes character constants only.
    std::string CharCode(const char* field) {
        const size_t offset = at;
        const uint32_t code = Long();
        if (IsCharConstant(code, out.utf8)) return CharConstant(code, out.utf8);
        if (problem.empty())
            problem = field + std::string(" at offset ") + std::to_string(offset) + " is '" +
                      FourCharText(code) + "', which no character constant holds";
        return "0";  // the resource is then kept as raw bytes
    }
    std::string Flags(const NameList& names) {  // a flag word, bit 15 first
        const uint16_t bits = Word();
        std::string text;
        for (int i = 0; i < names.count; ++i) {
            const bool set = (bits >> (names.count - 1 - i)) & 1;
            const char* name = names.names[i];
            text += std::string(i ? ", " : "") + (set ? (name[0] ? name : "1") : "0");
        }
        return text;
    }
};

std::string Parameter(Reader& r) {
    std::string t = r.Text() + ", ";
    t += r.Code() + ", ";
    t += r.Code() + ", ";
    t += r.Text() + ", ";
    return t + r.Flags(kAeteParameterFlagNames);
}

std::string Event(Reader& r, const std::string& indent) {
    std::string t = indent + r.Text() + ", ";
    t += r.Text() + ", ";
    t += r.Code() + ", ";
    t += r.Code() + ", ";
    t += r.CharCode("reply type") + ", ";
    t += r.Text() + ",\n" + indent;
    t += r.Flags(kAeteEventFlagNames) + ",\n" + indent;
    t += r.Code() + ", ";
    t += r.Text() + ",\n" + indent;
    t += r.Flags(kAeteDirectParameterFlagNames) + ",\n" + indent + "{";
    const uint16_t count = r.Word();
    for (uint16_t i = 0; i < count; ++i)
        t += std::string(i ? "," : "") + "\n" + indent + "\t" + Parameter(r);
    return t + (count ? "\n" + indent + "}" : " }");
}

std::string Class(Reader& r, const std::string& indent) {
    std::string t = indent + r.Text() + ", ";
    t += r.Code() + ", ";
    t += r.Text() + ",\n" + indent + "{";
    const uint16_t properties = r.Word();
    for (uint16_t i = 0; i < properties; ++i) {
        std::string p = r.Text() + ", ";
        p += r.Code() + ", ";
        p += r.Code() + ", ";
        p += r.Text() + ", ";
        t += std::string(i ? "," : "") + "\n" + indent + "\t" + p + r.Flags(kAeteClassFlagNames);
    }
    t += std::string(properties ? "\n" + indent + "}" : " }") + ",\n" + indent + "{";
    const uint16_t elements = r.Word();
    for (uint16_t i = 0; i < elements; ++i) {
        t += std::string(i ? ", " : " ") + r.CharCode("element class") + ", {";
        const uint16_t forms = r.Word();
        for (uint16_t k = 0; k < forms; ++k) t += std::string(k ? ", " : " ") + r.CharCode("key form");
        t += " }";
    }
    return t + " }";
}

std::string Enumeration(Reader& r, const std::string& indent) {
    std::string t = indent + r.Code() + ", {";
    const uint16_t count = r.Word();
    if (count == 0 && r.problem.empty())
        r.problem = "an enumeration without enumerators at offset " + std::to_string(r.at - 2) +
                    "; the converter needs at least one";
    for (uint16_t i = 0; i < count; ++i) {
        std::string e = r.Text() + ", ";
        e += r.Code() + ", ";
        t += std::string(i ? "," : "") + "\n" + indent + "\t" + e + r.Text();
    }
    return t + "\n" + indent + "}";
}

template <typename Member>
std::string List(Reader& r, const std::string& indent, Member member) {
    const uint16_t count = r.Word();
    if (count == 0) return "{ }";
    std::string t = "{\n";
    for (uint16_t i = 0; i < count; ++i)
        t += member(r, indent + "\t") + (i + 1 < count ? ",\n" : "\n");
    return t + indent + "}";
}

}  // namespace

void PrintTerminology(const ResEntry& entry, DumpOutput& out) {
    Reader r{entry.data, out, 0, std::string()};
    r.at = 2;
    const uint16_t version = r.Word();
    std::string text = "resource 'aete' (" + std::to_string(entry.name.ordinal) + ") {\n\t" +
                       std::to_string(version & 0xFF) + ", " + std::to_string(version >> 8) +
                       ", ";
    text += r.Number() + ", ";
    text += r.Number() + ",\n";
    const uint16_t suites = r.Word();
    if (suites == 0 && r.problem.empty())
        r.problem = "no suites; the converter needs at least one";
    const std::string in = "\t\t";
    for (uint16_t s = 0; s < suites; ++s) {
        std::string t = "\t{\n" + in + r.Text() + ", ";
        t += r.Text() + ", ";
        t += r.CharCode("suite ID") + ", ";
        t += r.Number() + ", ";
        t += r.Number() + ",\n" + in;
        t += List(r, in, Event) + ",\n" + in;
        t += List(r, in, Class) + ",\n" + in;
        r.Word();  // comparison operators: the walker has checked that there are none
        t += "{ },\n" + in + List(r, in, Enumeration) + "\n\t}";
        text += t + (s + 1 < suites ? ",\n" : "\n");
    }
    text += "};\n\n";
    if (!r.problem.empty()) {
        out.problems.push_back(ResourceLabel(entry) + ": " + r.problem);
        out.text += "/* " + CommentText(ResourceLabel(entry) + ": " + r.problem) + " */\n" +
                    RawBytesComment(entry.data.data(), entry.data.size()) + "\n\n";
        return;
    }
    out.text += text;
}
