// Compiled resources: the .res and PE readers, the per-type data walkers and the printers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/names.h"
#include "formats/properties.h"
#include "formats/resources.h"
#include "formats/rows.h"

// A type or name field of a resource header: a 16-bit ordinal or a UTF-16 string.
struct ResId {
    bool isOrdinal = true;
    uint16_t ordinal = 0;
    std::string text;  // the string form, narrowed (non-ASCII units as \uXXXX)
    std::string Display() const;  // "#6" for an ordinal, the text otherwise
    void AppendUnit(uint16_t unit);  // one UTF-16 unit of a string id, narrowed
};

struct ResEntry {
    ResId type;
    ResId name;
    uint32_t dataVersion = 0;
    uint16_t memoryFlags = 0;
    uint16_t languageId = 0;
    uint32_t version = 0;
    uint32_t characteristics = 0;
    std::vector<uint8_t> data;
};

// Parses a whole .res image: the empty leading entry, then every resource. Returns false
// with a message naming the byte offset on any structural fault.
bool ParseResFile(const std::vector<uint8_t>& bytes, std::vector<ResEntry>& entries,
                  std::string& error);

// Bounded little-endian reader over one resource's data.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool U16(uint16_t& value);
    bool U32(uint32_t& value);
    bool Skip(size_t count);
    size_t Offset() const { return offset_; }
    size_t Remaining() const { return size_ - offset_; }
    const uint8_t* Here() const { return data_ + offset_; }
private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

// A walker checks one resource's data; on success it describes the resource in summary,
// on a disagreement it explains it in error and returns false.
typedef bool (*ResourceWalker)(const ResEntry& entry, std::string& summary, std::string& error);

// The walker of a resource type's form, or null for a type without one.
ResourceWalker FindWalker(const ResId& type);

// Walks one entry with its type's walker (none: described as not walked). Fills line with
// "TYPE NAME SIZE bytes: summary".
bool WalkEntry(const ResEntry& entry, std::string& line, std::string& error);

// The walkers, one file each.
bool WalkPropertyList(const ResEntry& entry, std::string& summary, std::string& error);
bool WalkStringTable(const ResEntry& entry, std::string& summary, std::string& error);
bool WalkAddIns(const ResEntry& entry, std::string& summary, std::string& error);
bool WalkTerminology(const ResEntry& entry, std::string& summary, std::string& error);

// Property values: one check per value shape over the value bytes. Most shapes need only the
// bytes; a flag set takes its names and shift from its row's detail.
typedef bool (*ValueCheck)(const uint8_t* value, size_t length, std::string& error);
typedef bool (*ShapeCheck)(const ShapeDetail& detail, const uint8_t* value, size_t length,
                           std::string& error);

// Value forms shared by many keys.
bool CheckLengthPrefixedString(const uint8_t* value, size_t length, std::string& error);
bool CheckCString(const uint8_t* value, size_t length, std::string& error);
bool CheckLongPair(const uint8_t* value, size_t length, std::string& error);
bool CheckPresenceFlag(const uint8_t* value, size_t length, std::string& error);
bool CheckComponent(const uint8_t* value, size_t length, std::string& error);

// Flag sets, filter case info, type and extension lists, format limits.
bool CheckFlagSet(const ShapeDetail& detail, const uint8_t* value, size_t length,
                  std::string& error);
bool CheckSupportedModes(const uint8_t* value, size_t length, std::string& error);
bool CheckFilterCaseInfo(const uint8_t* value, size_t length, std::string& error);
bool CheckTypeCreator(const uint8_t* value, size_t length, std::string& error);
bool CheckTypeCreatorList(const uint8_t* value, size_t length, std::string& error);
bool CheckTypeList(const uint8_t* value, size_t length, std::string& error);
bool CheckExtensionList(const uint8_t* value, size_t length, std::string& error);
bool CheckMaxSize(const uint8_t* value, size_t length, std::string& error);
bool CheckMaxChannels(const uint8_t* value, size_t length, std::string& error);

// Suite-style and effect-host properties.
bool CheckTerminology(const uint8_t* value, size_t length, std::string& error);
bool CheckSuiteList(const uint8_t* value, size_t length, std::string& error);
bool CheckKeywordList(const uint8_t* value, size_t length, std::string& error);
bool CheckMessages(const uint8_t* value, size_t length, std::string& error);
bool CheckButtonIcon(const uint8_t* value, size_t length, std::string& error);
bool CheckImportClass(const uint8_t* value, size_t length, std::string& error);
bool CheckPreviewFile(const uint8_t* value, size_t length, std::string& error);
bool CheckFourBytes(const uint8_t* value, size_t length, std::string& error);
bool CheckGlobalOutFlags(const uint8_t* value, size_t length, std::string& error);
bool CheckFormatExtension(const uint8_t* value, size_t length, std::string& error);
bool CheckAnimFilterInfo(const uint8_t* value, size_t length, std::string& error);
bool CheckAnimParamAtom(const uint8_t* value, size_t length, std::string& error);
bool CheckRlEffectInfo(const uint8_t* value, size_t length, std::string& error);

// Four-character code as read from the data (little-endian 32 bits) in natural order.
std::string FourCharText(uint32_t code);


// PE images (DLL, EXE; PE32 and PE32+): true when bytes start like one.
bool LooksLikePeImage(const std::vector<uint8_t>& bytes);
// Finds the resource directory through the data directory and walks its three levels (type,
// name, language) with every offset checked against the image and every directory visited at
// most once. Returns false with a message naming the offset on any fault.
bool ParsePeResources(const std::vector<uint8_t>& bytes, std::vector<ResEntry>& entries,
                      std::string& error);

// What a host needs of an image besides its resources: the machine it runs on and the names
// it can look entry points up by (forwarded exports among them: the loader follows those).
struct PeExports {
    uint16_t machine = 0;            // the file header's machine field, e.g. 0x8664
    std::vector<std::string> names;  // every exported name, in the table's order
    uint32_t ordinalOnly = 0;        // functions exported by ordinal without a name
};
// Reads the headers and the export table with every offset checked against the image; false
// with a message naming the offset on any fault.
bool ParsePeExports(const std::vector<uint8_t>& bytes, PeExports& exports, std::string& error);

// The plug-in check (propwright-dump --check). A finding: "error", "warning" or "note", and its
// text, which names the resource it is about (none for the file as a whole).
struct CheckFinding {
    const char* severity;
    std::string text;
};
// Checks one file as a host reads it: the property lists (Vtag, AdPr) and, in a PE image, the
// entry point of the image's machine against the export table; with describe, a last note says
// what was checked. False, with why in error, when the bytes are neither a readable PE image nor
// a .res file.
bool CheckPlugin(const std::vector<uint8_t>& bytes, std::vector<CheckFinding>& findings,
                 std::string& error, bool describe = false);
// "; it exports '_Name@8', ...": why wanted is not among the exports, and the cure; empty when
// no export explains it.
std::string ExplainMissingExport(const std::string& wanted, const PeExports& image);
// propwright-dump --check [-v] FILE...: findings on standard output (-v: and what was checked);
// status 0 no error, 1 an error, 2 a file that cannot be read.
int RunCheck(int count, char** paths);
// The whole file; false with the reason in why.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes, std::string& why);

// Little-endian fields of a value.
uint16_t ReadU16(const uint8_t* p);
uint32_t ReadU32(const uint8_t* p);

// Source printing. Each printer appends source text to out and one line per problem to
// problems ("Vtag 16000: ..."); a value that no source can give is kept as a comment.
struct DumpOutput {
    std::string text;                   // the resource statements
    std::string declarations;           // enum constants the statements use, printed first
    std::vector<std::string> problems;  // without the file name
    bool usesViewer = false;            // a 'QkPn' resource needs the converter's -x
    bool utf8 = false;                  // --utf8: string-table text printed as UTF-8 (-u)
    bool usesCodePage = false;          // a string-table string beyond ASCII was printed
};

// The first resource format of a stored type (compared without regard to case), or null for a
// type not converted.
const ResourceFormat* FindResourceFormat(const ResId& type);
// The source name of a resource type ("Vtag", "aete", ...) or null for a type not converted.
const char* SourceTypeName(const ResId& type);
// "Vtag 16000": the resource in problem lines.
std::string ResourceLabel(const ResEntry& entry);
// Prints one resource: as source for the types the converter reads, else as a comment line.
void PrintEntry(const ResEntry& entry, DumpOutput& out);

void PrintPropertyList(const ResEntry& entry, DumpOutput& out);
void PrintAddIns(const ResEntry& entry, DumpOutput& out);
void PrintTerminology(const ResEntry& entry, DumpOutput& out);
void PrintStringTable(const ResEntry& entry, DumpOutput& out);
void PrintTextResource(const ResEntry& entry, DumpOutput& out);  // 'Pate' and 'QkPn'
void PrintPath(const ResEntry& entry, DumpOutput& out);

// Source forms of values.
std::string QuotedBytes(const uint8_t* bytes, size_t count);   // "..." with \ooo escapes
// The Windows-1252 byte of a UTF-16 unit; false when code page 1252 has none.
bool ByteIn1252(uint16_t unit, uint8_t& byte);
// A string-table string as source: its 1252 bytes quoted, or under --utf8 its characters
// beyond ASCII as UTF-8 (the C1 controls, which an editor hides, stay escapes).
std::string QuotedUnits(const std::vector<uint16_t>& units, bool utf8);
// The bytes of a string value as source: QuotedBytes, or under --utf8 read as Windows-1252
// and printed as QuotedUnits does (the converter's -u writes them back in 1252).
std::string QuotedText(const uint8_t* bytes, size_t count, bool utf8);
// Four bytes a character constant gives back (utf8: in a dump converted with -u), and the
// constant: 'abcd'.
bool IsCharConstant(uint32_t code, bool utf8);
std::string CharConstant(uint32_t code, bool utf8);
// A code where an enum constant may stand for it: 'abcd', or the name of an enum constant
// declared in out.declarations for a code no character constant can hold.
std::string CodeOrEnum(uint32_t code, DumpOutput& out);
std::string CommentText(const std::string& text);  // text safe inside a C comment
std::string RawBytesComment(const uint8_t* bytes, size_t count);  // /* raw: 01 02 ... */
std::string Hex32(uint32_t value);                               // 0x0001F000

// Property values as source: fills body with the text between the property's braces, or says
// in why what no source can give.
typedef bool (*ValuePrinter)(const ShapeDetail& detail, const uint8_t* value, size_t length,
                             DumpOutput& out, std::string& body, std::string& why);
// What the dump does with a value shape: its check, its printer, and whether the record's
// index is part of the value (printed first) rather than always 0.
struct ShapeFormat {
    ValueShape shape;
    ShapeCheck check;
    ValuePrinter print;
    bool indexed;
};
const ShapeFormat& FormatOfShape(ValueShape shape);

// The whole tool: propwright-dump's command line, output and exit status (0 clean, 1 problems,
// 2 unreadable input or bad usage). Keeps no state between calls.
int RunDump(int argc, char** argv);
