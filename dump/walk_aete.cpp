// Terminology walker ('aete'): suites, events, parameters, classes, properties, elements and
// enumerations laid out without gaps; every counter must consume exactly the data.
#include "dump/decode.h"

namespace {

struct Walk {
    ByteReader in;
    std::string error;

    bool Fail(const std::string& what) {
        error = what + " (at byte " + std::to_string(in.Offset()) + ")";
        return false;
    }
    bool Word(uint16_t& value, const char* field) {
        return in.U16(value) || Fail(std::string("data ends in ") + field);
    }
    bool Code(const char* field, std::string* text = nullptr) {
        uint32_t code = 0;
        if (!in.U32(code)) return Fail(std::string("data ends in ") + field);
        if (text) *text = FourCharText(code);
        return true;
    }
    // Length byte, then that many bytes; no terminator, no fill.
    bool Text(const char* field, std::string* text = nullptr) {
        if (in.Remaining() == 0) return Fail(std::string("data ends where ") + field + " begins");
        const size_t n = in.Here()[0];
        if (1 + n > in.Remaining())
            return Fail(std::string(field) + " of " + std::to_string(n) + " bytes runs past the data");
        if (text) text->assign(reinterpret_cast<const char*>(in.Here()) + 1, n);
        in.Skip(1 + n);
        return true;
    }
};

// Runs member count times, naming the failing member in the error.
template <typename Member>
bool Each(Walk& w, const char* kind, Member member) {
    uint16_t count = 0;
    if (!w.Word(count, (std::string(kind) + " count").c_str())) return false;
    for (uint16_t i = 0; i < count; ++i) {
        if (!member()) {
            w.error = std::string(kind) + " " + std::to_string(i + 1) + " of " +
                      std::to_string(count) + ": " + w.error;
            return false;
        }
    }
    return true;
}

bool Parameter(Walk& w) {
    uint16_t flags = 0;
    return w.Text("name") && w.Code("keyword") && w.Code("type") && w.Text("description") &&
           w.Word(flags, "flags");
}

bool Event(Walk& w) {
    uint16_t flags = 0;
    return w.Text("name") && w.Text("description") && w.Code("event class") &&
           w.Code("event ID") && w.Code("reply type") && w.Text("reply description") &&
           w.Word(flags, "event flags") && w.Code("direct parameter type") &&
           w.Text("direct parameter description") && w.Word(flags, "direct parameter flags") &&
           Each(w, "parameter", [&] { return Parameter(w); });
}

bool Property(Walk& w) {
    uint16_t flags = 0;
    return w.Text("name") && w.Code("property ID") && w.Code("property class") &&
           w.Text("description") && w.Word(flags, "flags");
}

bool Element(Walk& w) {
    return w.Code("element class") && Each(w, "key form", [&] { return w.Code("key form"); });
}

bool Class(Walk& w) {
    return w.Text("name") && w.Code("class ID") && w.Text("description") &&
           Each(w, "property", [&] { return Property(w); }) &&
           Each(w, "element", [&] { return Element(w); });
}

bool Enumerator(Walk& w) {
    return w.Text("name") && w.Code("enumerator ID") && w.Text("description");
}

bool Enumeration(Walk& w) {
    return w.Code("enumeration ID") && Each(w, "enumerator", [&] { return Enumerator(w); });
}

bool Suite(Walk& w, std::string& summary) {
    std::string name, id;
    uint16_t level = 0, version = 0, comparisons = 0;
    if (!w.Text("suite name", &name) || !w.Text("suite description") || !w.Code("suite ID", &id) ||
        !w.Word(level, "suite level") || !w.Word(version, "suite version"))
        return false;
    unsigned events = 0, classes = 0, enums = 0;
    if (!Each(w, "event", [&] { ++events; return Event(w); }) ||
        !Each(w, "class", [&] { ++classes; return Class(w); }) ||
        !w.Word(comparisons, "comparison operator count"))
        return false;
    if (comparisons != 0)
        return w.Fail("comparison operator count " + std::to_string(comparisons) + ", must be 0");
    if (!Each(w, "enumeration", [&] { ++enums; return Enumeration(w); })) return false;
    summary += " '" + id + "' " + name + "(" + std::to_string(events) + " events, " +
               std::to_string(classes) + " classes, " + std::to_string(enums) + " enumerations)";
    return true;
}

}  // namespace

bool WalkTerminology(const ResEntry& entry, std::string& summary, std::string& error) {
    Walk w{ByteReader(entry.data.data(), entry.data.size()), std::string()};
    uint16_t first = 0, version = 0, language = 0, script = 0;
    if (!w.Word(first, "the header") || !w.Word(version, "the header") ||
        !w.Word(language, "the header") || !w.Word(script, "the header")) {
        error = w.error;
        return false;
    }
    if (first != 1) {
        error = "first word is " + std::to_string(first) + ", must be 1";
        return false;
    }
    summary = "version " + std::to_string(version & 0xFF) + "." + std::to_string(version >> 8);
    if (!Each(w, "suite", [&] { return Suite(w, summary); })) {
        error = w.error;
        return false;
    }
    if (w.in.Remaining() != 0) {
        error = std::to_string(w.in.Remaining()) +
                " bytes after the last suite (a counter smaller than the members present)";
        return false;
    }
    return true;
}
