// Compiled resource files (.res): the container reader and the per-type data walkers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A type or name field of a resource header: a 16-bit ordinal or a UTF-16 string.
struct ResId {
    bool isOrdinal = true;
    uint16_t ordinal = 0;
    std::string text;  // the string form, narrowed (non-ASCII units as \uXXXX)
    std::string Display() const;  // "#6" for an ordinal, the text otherwise
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

struct WalkerRow {
    const char* typeName;  // a string type (compared without regard to case) or "#n" for ordinal n
    ResourceWalker walker;
};

const WalkerRow* FindWalker(const ResId& type);

// Walks one entry with its type's walker (none: described as not walked). Fills line with
// "TYPE NAME SIZE bytes: summary".
bool WalkEntry(const ResEntry& entry, std::string& line, std::string& error);

// The walkers, one file each.
bool WalkPropertyList(const ResEntry& entry, std::string& summary, std::string& error);
bool WalkStringTable(const ResEntry& entry, std::string& summary, std::string& error);
bool WalkAddIns(const ResEntry& entry, std::string& summary, std::string& error);
bool WalkTerminology(const ResEntry& entry, std::string& summary, std::string& error);

// Property values: one check per property key over the value bytes.
typedef bool (*ValueCheck)(const uint8_t* value, size_t length, std::string& error);

struct KeyCheckRow {
    char key[5];  // the four-character key in natural order, e.g. "name"
    ValueCheck check;
};

const KeyCheckRow* FindKeyCheck(uint32_t key);

// Value forms shared by many keys.
bool CheckLengthPrefixedString(const uint8_t* value, size_t length, std::string& error);
bool CheckCString(const uint8_t* value, size_t length, std::string& error);
bool CheckLongPair(const uint8_t* value, size_t length, std::string& error);
bool CheckPresenceFlag(const uint8_t* value, size_t length, std::string& error);
bool CheckComponent(const uint8_t* value, size_t length, std::string& error);

// Flag sets, filter case info, type and extension lists, format limits.
bool CheckHighFlag(const uint8_t* value, size_t length, std::string& error);
bool CheckFormatFlags(const uint8_t* value, size_t length, std::string& error);
bool CheckHiddenFlags(const uint8_t* value, size_t length, std::string& error);
bool CheckICCFlags(const uint8_t* value, size_t length, std::string& error);
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
