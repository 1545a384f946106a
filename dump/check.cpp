// The plug-in check: what keeps a host from listing or loading a built plug-in, found in its
// property lists, its machine and its export table.
#include "dump/decode.h"

#include "formats/codes.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {

// The code property that serves each machine a host runs on; its keyword is its key's row's.
struct MachineRow {
    uint16_t machine;
    const char* name;
    uint32_t key;
};

const MachineRow kMachines[] = {
    {0x014C, "x86", FourCC("wx86")},
    {0x8664, "x64", FourCC("8664")},
    {0xAA64, "ARM64", FourCC("wa64")},
};

const char* CodeKeyword(const MachineRow& row) {
    return FindPropertyFormat(row.key)->keyword;
}

std::string Hex16(uint16_t value) {
    char text[8];
    snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

const MachineRow* FindMachine(uint16_t machine) {
    for (const MachineRow& row : kMachines)
        if (row.machine == machine) return &row;
    return nullptr;
}

struct Record {
    uint32_t vendor, key, index;
    const uint8_t* value;
    uint32_t length;
};

// One property list under check and what the checks report about it.
struct ListContext {
    const ResEntry& entry;
    std::vector<Record> records;
    std::string label;          // Vtag 16000 "Edge Tint"
    const PeExports* image;     // null for a .res file
    std::vector<CheckFinding>& findings;

    void Add(const char* severity, const std::string& text) const {
        findings.push_back({severity, label + ": " + text});
    }
    const Record* Find(uint32_t key) const {
        for (const Record& r : records)
            if (r.key == key) return &r;
        return nullptr;
    }
    bool IsVtag() const { return std::string(SourceTypeName(entry.type)) == "Vtag"; }
};

// The records of a list up to the first one that does not fit the data (the dump's own
// findings report that one).
std::vector<Record> ListRecords(const std::vector<uint8_t>& d) {
    std::vector<Record> records;
    if (d.size() < 10) return records;
    const uint32_t count = ReadU32(&d[6]);
    size_t offset = 10;
    for (uint32_t i = 0; i < count && d.size() - offset >= 16; ++i) {
        const uint8_t* r = &d[offset];
        const uint32_t length = ReadU32(r + 12);
        if (length > d.size() - offset - 16) break;
        records.push_back({ReadU32(r), ReadU32(r + 4), ReadU32(r + 8), r + 16, length});
        offset += 16 + size_t(length);
    }
    return records;
}

// The resource in findings: type and id, and the plug-in's name when its Name property reads.
std::string ListLabel(const ListContext& list) {
    std::string label = ResourceLabel(list.entry);
    const Record* name = list.Find(FourCC("name"));
    if (name && name->length > 0 && name->value[0] < name->length)
        label += " " + QuotedBytes(name->value + 1, name->value[0]);
    return label;
}

// The text of a C-string property: up to its first zero byte.
std::string CStringText(const Record& r) {
    size_t n = 0;
    while (n < r.length && r.value[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(r.value), n);
}

void CheckKind(const ListContext& list) {
    if (list.IsVtag() && !list.Find(FourCC("kind")))
        list.Add("error", "no Kind property: a host cannot tell what kind of plug-in this is and "
                          "does not list it");
}

void CheckName(const ListContext& list) {
    if (list.IsVtag() && !list.Find(FourCC("name")))
        list.Add("warning", "no Name property: a host has no name to list the plug-in under");
}

// Every vendor, key and index that occurs more than once, in the order of first occurrence.
void CheckDuplicates(const ListContext& list) {
    typedef std::tuple<uint32_t, uint32_t, uint32_t, size_t> Key;  // vendor, key, index, place
    std::vector<Key> keys;
    for (size_t i = 0; i < list.records.size(); ++i) {
        const Record& r = list.records[i];
        keys.emplace_back(r.vendor, r.key, r.index, i);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::pair<size_t, size_t>> repeated;  // first place, occurrences
    for (size_t i = 0, j = 0; i < keys.size(); i = j) {
        for (j = i + 1; j < keys.size() && std::get<0>(keys[j]) == std::get<0>(keys[i]) &&
                        std::get<1>(keys[j]) == std::get<1>(keys[i]) &&
                        std::get<2>(keys[j]) == std::get<2>(keys[i]);)
            ++j;
        if (j - i > 1) repeated.emplace_back(std::get<3>(keys[i]), j - i);
    }
    std::sort(repeated.begin(), repeated.end());
    for (const auto& [place, times] : repeated) {
        const Record& r = list.records[place];
        const PropertyFormat* row = FindPropertyFormat(r.key);
        list.Add("warning", (row ? std::string(row->keyword) : "property") + " (vendor '" +
                                FourCharText(r.vendor) + "', key '" + FourCharText(r.key) +
                                "', index " + std::to_string(r.index) + ") appears " +
                                std::to_string(times) + " times; a host reads only one of them");
    }
}

bool CarriesCode(const ListContext& list) {
    for (const MachineRow& row : kMachines)
        if (list.Find(row.key)) return true;
    return false;
}

// A Vtag, and an AdPr that carries any code property, needs the one of the image's machine,
// naming an exported function.
void CheckEntryPoint(const ListContext& list) {
    if (!list.image || !(list.IsVtag() || CarriesCode(list))) return;
    const MachineRow* machine = FindMachine(list.image->machine);
    if (!machine) return;  // reported once for the file
    const Record* code = list.Find(machine->key);
    if (!code) {
        list.Add("error", std::string("no ") + CodeKeyword(*machine) + " property for the image's "
                          "machine, " + machine->name + " (" + Hex16(machine->machine) +
                          "): a host on " + machine->name + " finds no entry point");
        return;
    }
    const std::string wanted = CStringText(*code);
    const std::vector<std::string>& names = list.image->names;
    if (std::find(names.begin(), names.end(), wanted) != names.end()) return;
    list.Add("error", std::string(CodeKeyword(*machine)) + " names the entry point '" + wanted +
                          "', which the image does not export" +
                          ExplainMissingExport(wanted, *list.image));
}

typedef void (*ListCheck)(const ListContext& list);
const ListCheck kListChecks[] = {CheckKind, CheckName, CheckDuplicates, CheckEntryPoint};

bool IsPropertyList(const ResEntry& entry) {
    const ResourceFormat* format = FindResourceFormat(entry.type);
    return format && format->form == kPropertyListForm;
}

// The dump's own findings in the list's bytes, as errors under the list's label.
void CheckBytes(const ListContext& list) {
    DumpOutput out;
    PrintEntry(list.entry, out);
    const std::string prefix = ResourceLabel(list.entry) + ": ";
    for (const std::string& problem : out.problems) {
        const bool labelled = problem.compare(0, prefix.size(), prefix) == 0;
        list.Add("error", labelled ? problem.substr(prefix.size()) : problem);
    }
}

// Every property list of the file; returns their number.
size_t CheckLists(const std::vector<ResEntry>& entries, const PeExports* image,
                  std::vector<CheckFinding>& findings) {
    size_t lists = 0;
    for (const ResEntry& entry : entries) {
        if (!IsPropertyList(entry)) continue;
        ++lists;
        ListContext list{entry, ListRecords(entry.data), "", image, findings};
        list.label = ListLabel(list);
        CheckBytes(list);
        for (ListCheck check : kListChecks) check(list);
    }
    return lists;
}

std::string MachineList() {
    std::string text;
    for (const MachineRow& row : kMachines)
        text += std::string(text.empty() ? "" : ", ") + CodeKeyword(row) + " serves " + row.name +
                " (" + Hex16(row.machine) + ")";
    return text;
}

std::string Count(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// What was checked, for the note that --check -v adds.
std::string Described(const PeExports* image, size_t lists) {
    std::string what = "checked as a .res file";
    if (image) {
        const MachineRow* machine = FindMachine(image->machine);
        what = "checked as an image for " +
               (machine ? std::string(machine->name) + " (" + Hex16(image->machine) + ")"
                        : "machine " + Hex16(image->machine)) +
               " exporting " + Count(image->names.size(), "name", "names");
    }
    return what + ": " + Count(lists, "property list", "property lists");
}

}  // namespace

bool CheckPlugin(const std::vector<uint8_t>& bytes, std::vector<CheckFinding>& findings,
                 std::string& error, bool describe) {
    const bool pe = LooksLikePeImage(bytes);
    std::vector<ResEntry> entries;
    PeExports image;
    if (pe ? !ParsePeResources(bytes, entries, error) || !ParsePeExports(bytes, image, error)
           : !ParseResFile(bytes, entries, error)) {
        error = (pe ? "cannot be read as a PE image: " : "cannot be read as a PE image or a .res "
                                                          "file: ") + error;
        return false;
    }
    if (pe && !FindMachine(image.machine))
        findings.push_back({"error", "the image's machine " + Hex16(image.machine) +
                                         " is served by no code property (" + MachineList() + ")"});
    const size_t lists = CheckLists(entries, pe ? &image : nullptr, findings);
    if (lists == 0)
        findings.push_back({"error", "no property list (Vtag or AdPr resource): a host finds no "
                                     "plug-in in this file"});
    if (!pe)
        findings.push_back({"note", "entry points not checked: a .res file has no machine and no "
                                    "export table; check the linked image"});
    if (describe) findings.push_back({"note", Described(pe ? &image : nullptr, lists)});
    return true;
}

// Bytes outside printable ASCII as \xHH, so that a name read from the image keeps its finding on
// one line.
static std::string Printable(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += c;
            continue;
        }
        char hex[8];
        snprintf(hex, sizeof hex, "\\x%02X", (unsigned char)c);
        out += hex;
    }
    return out;
}

int RunCheck(int count, char** paths) {
    int status = 0;
    const bool describe = count > 1 && std::string(paths[0]) == "-v";
    for (int i = describe ? 1 : 0; i < count; ++i) {
        std::vector<uint8_t> bytes;
        std::vector<CheckFinding> findings;
        std::string why;
        if (!ReadWholeFile(paths[i], bytes, why) || !CheckPlugin(bytes, findings, why, describe)) {
            printf("%s: error: %s\n", paths[i], why.c_str());
            status = 2;
            continue;
        }
        for (const CheckFinding& finding : findings) {
            printf("%s: %s: %s\n", paths[i], finding.severity, Printable(finding.text).c_str());
            if (status == 0 && std::string(finding.severity) == "error") status = 1;
        }
    }
    fflush(stdout);
    return status;
}
