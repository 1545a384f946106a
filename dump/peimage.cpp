// PE images: the machine, the export table, and the resource directory walked level by level.
#include "dump/decode.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

namespace {

struct Section {
    uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

struct Image {
    explicit Image(const std::vector<uint8_t>& image) : bytes(image) {}
    const std::vector<uint8_t>& bytes;
    std::vector<Section> sections;
    uint16_t machine = 0;
    size_t directoryTable = 0;  // file offset of the data directories
    uint32_t directoryCount = 0;
    size_t rsrcOffset = 0;  // file offset of the resource directory
    size_t rsrcSize = 0;    // bytes of the resource section available from there
    std::set<size_t> visited;
    std::string error;

    bool Fail(size_t offset, const std::string& what) {
        error = "offset " + std::to_string(offset) + ": " + what;
        return false;
    }
    bool Has(size_t offset, size_t count) const {
        return offset <= bytes.size() && count <= bytes.size() - offset;
    }
};

// File offset of count bytes at rva; false when they are not all inside one section's data.
bool RvaToOffset(const Image& image, uint32_t rva, uint64_t count, size_t& offset) {
    for (const Section& s : image.sections) {
        if (rva < s.virtualAddress) continue;
        const uint64_t into = uint64_t(rva) - s.virtualAddress;
        if (into + count > s.rawSize) continue;
        offset = size_t(s.rawOffset + into);
        if (!image.Has(offset, count)) return false;
        return true;
    }
    return false;
}

// A name of the directory: an ordinal, or (high bit) a counted UTF-16 string inside the section.
bool ReadName(Image& image, uint32_t field, ResId& id) {
    if (!(field & 0x80000000u)) {
        if (field > 0xFFFF) return image.Fail(image.rsrcOffset, "entry id " + std::to_string(field) +
                                                                    " does not fit 16 bits");
        id.isOrdinal = true;
        id.ordinal = uint16_t(field);
        return true;
    }
    const size_t at = field & 0x7FFFFFFFu;
    if (at + 2 > image.rsrcSize)
        return image.Fail(image.rsrcOffset + at, "name string lies past the resource section");
    const size_t units = ReadU16(&image.bytes[image.rsrcOffset + at]);
    if (at + 2 + 2 * units > image.rsrcSize)
        return image.Fail(image.rsrcOffset + at, "name string of " + std::to_string(units) +
                                                     " units runs past the resource section");
    id.isOrdinal = false;
    id.text.clear();
    for (size_t i = 0; i < units; ++i) {
        const uint16_t unit = ReadU16(&image.bytes[image.rsrcOffset + at + 2 + 2 * i]);
        id.AppendUnit(unit);
    }
    return true;
}

// One directory at dirOffset (relative to the section) of level 0 (types), 1 (names) or
// 2 (languages); entries below level 2 are data entries.
bool WalkDirectory(Image& image, size_t dirOffset, int level, ResEntry& entry,
                   std::vector<ResEntry>& entries) {
    const size_t at = image.rsrcOffset + dirOffset;
    if (dirOffset + 16 > image.rsrcSize)
        return image.Fail(at, "resource directory lies past the resource section");
    if (!image.visited.insert(dirOffset).second)
        return image.Fail(at, "resource directory loop: this directory is reached twice");
    const size_t count = size_t(ReadU16(&image.bytes[at + 12])) + ReadU16(&image.bytes[at + 14]);
    if (dirOffset + 16 + 8 * count > image.rsrcSize)
        return image.Fail(at, std::to_string(count) + " directory entries run past the "
                                                        "resource section");
    for (size_t i = 0; i < count; ++i) {
        const size_t e = at + 16 + 8 * i;
        const uint32_t nameField = ReadU32(&image.bytes[e]);
        const uint32_t target = ReadU32(&image.bytes[e + 4]);
        const bool isDirectory = (target & 0x80000000u) != 0;
        if (level == 0 && !ReadName(image, nameField, entry.type)) return false;
        if (level == 1 && !ReadName(image, nameField, entry.name)) return false;
        if (level == 2) {
            if (nameField & 0x80000000u) return image.Fail(e, "language given as a string");
            if (nameField > 0xFFFF) return image.Fail(e, "language id does not fit 16 bits");
            entry.languageId = uint16_t(nameField);
        }
        if (level < 2) {
            if (!isDirectory) return image.Fail(e, "data entry where a directory must be");
            if (!WalkDirectory(image, target & 0x7FFFFFFFu, level + 1, entry, entries))
                return false;
            continue;
        }
        if (isDirectory) return image.Fail(e, "a fourth directory level");
        if (size_t(target) + 16 > image.rsrcSize)
            return image.Fail(e, "data entry lies past the resource section");
        const size_t d = image.rsrcOffset + target;
        const uint32_t rva = ReadU32(&image.bytes[d]);
        const uint32_t size = ReadU32(&image.bytes[d + 4]);
        size_t dataOffset = 0;
        if (!RvaToOffset(image, rva, size, dataOffset))
            return image.Fail(d, "data of " + std::to_string(size) + " bytes at RVA " +
                                     Hex32(rva) + " lies outside the image's sections");
        ResEntry leaf = entry;
        leaf.data.assign(image.bytes.begin() + long(dataOffset),
                         image.bytes.begin() + long(dataOffset + size));
        entries.push_back(std::move(leaf));
    }
    return true;
}

// The file header, the optional header and the section table; machine, sections and the place
// of the data directories into image. False with a message naming the offset on any fault.
bool ReadHeaders(Image& image) {
    const std::vector<uint8_t>& bytes = image.bytes;
    if (!image.Has(0, 64)) {
        image.error = "file of " + std::to_string(bytes.size()) + " bytes is too short for a PE image";
        return false;
    }
    const size_t pe = ReadU32(&bytes[0x3C]);
    if (!image.Has(pe, 24) || bytes[pe] != 'P' || bytes[pe + 1] != 'E' || bytes[pe + 2] != 0 ||
        bytes[pe + 3] != 0) {
        image.error = "offset 60: no PE signature where the header points (" + std::to_string(pe) + ")";
        return false;
    }
    image.machine = ReadU16(&bytes[pe + 4]);
    const size_t sectionCount = ReadU16(&bytes[pe + 6]);
    const size_t optionalSize = ReadU16(&bytes[pe + 20]);
    const size_t optional = pe + 24;
    if (!image.Has(optional, optionalSize) || optionalSize < 2)
        return image.Fail(optional, "optional header runs past the file");
    const uint16_t magic = ReadU16(&bytes[optional]);
    if (magic != 0x10B && magic != 0x20B)
        return image.Fail(optional, "optional header magic " + Hex32(magic) +
                                        " is neither PE32 nor PE32+");
    const size_t countField = magic == 0x10B ? 92 : 108;  // PE32 : PE32+
    if (optionalSize < countField + 4) return image.Fail(optional, "optional header too short");
    image.directoryCount = ReadU32(&bytes[optional + countField]);
    image.directoryTable = optional + countField + 4;
    // Only the directories the optional header really holds count.
    const size_t room = (optional + optionalSize - image.directoryTable) / 8;
    if (image.directoryCount > room) image.directoryCount = uint32_t(room);
    const size_t sectionTable = optional + optionalSize;
    if (!image.Has(sectionTable, 40 * sectionCount))
        return image.Fail(sectionTable, std::to_string(sectionCount) +
                                            " section headers run past the file");
    for (size_t i = 0; i < sectionCount; ++i) {
        const uint8_t* s = &bytes[sectionTable + 40 * i];
        image.sections.push_back({ReadU32(s + 12), ReadU32(s + 8), ReadU32(s + 16), ReadU32(s + 20)});
    }
    return true;
}

// Data directory number index: its RVA and size, both 0 when the image has none.
void Directory(const Image& image, uint32_t index, uint32_t& rva, uint32_t& size) {
    rva = size = 0;
    if (index >= image.directoryCount) return;
    rva = ReadU32(&image.bytes[image.directoryTable + 8 * index]);
    size = ReadU32(&image.bytes[image.directoryTable + 8 * index + 4]);
}

// File offset of rva and the bytes of its section's data from there, bounded by the file.
bool RvaSpan(const Image& image, uint32_t rva, size_t& offset, size_t& available) {
    for (const Section& s : image.sections) {
        if (rva < s.virtualAddress || uint64_t(rva) - s.virtualAddress >= s.rawSize) continue;
        const uint64_t into = uint64_t(rva) - s.virtualAddress;
        if (s.rawOffset + into >= image.bytes.size()) return false;
        offset = size_t(s.rawOffset + into);
        available = size_t(std::min<uint64_t>(s.rawSize - into, image.bytes.size() - offset));
        return true;
    }
    return false;
}

// Places the resource directory: its names and data entries may lie anywhere in the rest of
// its section's data.
bool FindResourceSection(Image& image, uint32_t rva) {
    if (RvaSpan(image, rva, image.rsrcOffset, image.rsrcSize)) return true;
    return image.Fail(image.directoryTable + 16,
                      "resource directory RVA " + Hex32(rva) + " lies in no section's data");
}

// Longer export names are taken for damage: no linker writes them, and the bound keeps a
// damaged table of many names pointing at one long run of bytes from taking long.
constexpr size_t kMaxExportName = 1024;

bool ReadExportName(Image& image, uint32_t rva, std::string& name) {
    size_t offset = 0, available = 0;
    if (!RvaSpan(image, rva, offset, available))
        return image.Fail(image.directoryTable, "export name at RVA " + Hex32(rva) +
                                                    " lies outside the image's sections");
    const uint8_t* start = &image.bytes[offset];
    const void* end = memchr(start, 0, std::min(available, kMaxExportName));
    if (!end)
        return image.Fail(offset, "export name not ended by a zero byte within " +
                                      std::to_string(kMaxExportName) + " bytes");
    name.assign(reinterpret_cast<const char*>(start), static_cast<const char*>(end));
    return true;
}

// The export directory (data directory 0): every name, and the functions without one.
bool ReadExports(Image& image, PeExports& exports) {
    const std::vector<uint8_t>& b = image.bytes;
    uint32_t rva = 0, size = 0;
    Directory(image, 0, rva, size);
    if (rva == 0 || size == 0) return true;  // exports nothing
    size_t dir = 0, functions = 0, names = 0, ordinals = 0;
    if (!RvaToOffset(image, rva, 40, dir))
        return image.Fail(image.directoryTable, "export directory RVA " + Hex32(rva) +
                                                    " lies outside the image's sections");
    const uint32_t functionCount = ReadU32(&b[dir + 20]), nameCount = ReadU32(&b[dir + 24]);
    if (functionCount && !RvaToOffset(image, ReadU32(&b[dir + 28]), 4ull * functionCount, functions))
        return image.Fail(dir + 28, std::to_string(functionCount) +
                                        " export addresses run outside the image's sections");
    if (nameCount && (!RvaToOffset(image, ReadU32(&b[dir + 32]), 4ull * nameCount, names) ||
                      !RvaToOffset(image, ReadU32(&b[dir + 36]), 2ull * nameCount, ordinals)))
        return image.Fail(dir + 24, std::to_string(nameCount) +
                                        " export names run outside the image's sections");
    std::vector<bool> named(functionCount);
    for (size_t i = 0; i < nameCount; ++i) {
        std::string name;
        if (!ReadExportName(image, ReadU32(&b[names + 4 * i]), name)) return false;
        exports.names.push_back(name);
        const uint16_t index = ReadU16(&b[ordinals + 2 * i]);
        if (index < functionCount) named[index] = true;
    }
    for (size_t i = 0; i < functionCount; ++i)
        if (!named[i] && ReadU32(&b[functions + 4 * i]) != 0) ++exports.ordinalOnly;
    return true;
}

}  // namespace

bool LooksLikePeImage(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

bool ParsePeResources(const std::vector<uint8_t>& bytes, std::vector<ResEntry>& entries,
                      std::string& error) {
    entries.clear();
    Image image{bytes};
    uint32_t rva = 0, size = 0;
    if (!ReadHeaders(image)) {
        error = image.error;
        return false;
    }
    Directory(image, 2, rva, size);  // directory 2: resources
    if (rva == 0 || size == 0) return true;
    ResEntry walking;
    if (FindResourceSection(image, rva) && WalkDirectory(image, 0, 0, walking, entries)) return true;
    error = image.error;
    return false;
}

bool ParsePeExports(const std::vector<uint8_t>& bytes, PeExports& exports, std::string& error) {
    exports = PeExports();
    Image image{bytes};
    if (ReadHeaders(image)) {
        exports.machine = image.machine;
        if (ReadExports(image, exports)) return true;
    }
    error = image.error;
    return false;
}
