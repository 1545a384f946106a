// PE images: the resource directory found through the data directory, walked level by level.
#include "dump/decode.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

struct Section {
    uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

struct Image {
    const std::vector<uint8_t>& bytes;
    std::vector<Section> sections;
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
bool RvaToOffset(const Image& image, uint32_t rva, uint32_t count, size_t& offset) {
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

}  // namespace

bool LooksLikePeImage(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

bool ParsePeResources(const std::vector<uint8_t>& bytes, std::vector<ResEntry>& entries,
                      std::string& error) {
    entries.clear();
    Image image{bytes, {}, 0, 0, {}, {}};
    if (!image.Has(0, 64)) {
        error = "file of " + std::to_string(bytes.size()) + " bytes is too short for a PE image";
        return false;
    }
    const size_t pe = ReadU32(&bytes[0x3C]);
    if (!image.Has(pe, 24) || bytes[pe] != 'P' || bytes[pe + 1] != 'E' || bytes[pe + 2] != 0 ||
        bytes[pe + 3] != 0) {
        error = "offset 60: no PE signature where the header points (" + std::to_string(pe) + ")";
        return false;
    }
    const size_t sectionCount = ReadU16(&bytes[pe + 6]);
    const size_t optionalSize = ReadU16(&bytes[pe + 20]);
    const size_t optional = pe + 24;
    if (!image.Has(optional, optionalSize) || optionalSize < 2) {
        error = "offset " + std::to_string(optional) + ": optional header runs past the file";
        return false;
    }
    const uint16_t magic = ReadU16(&bytes[optional]);
    size_t countField = 0;
    if (magic == 0x10B) {
        countField = 92;   // PE32
    } else if (magic == 0x20B) {
        countField = 108;  // PE32+
    } else {
        error = "offset " + std::to_string(optional) + ": optional header magic " +
                Hex32(magic) + " is neither PE32 nor PE32+";
        return false;
    }
    if (optionalSize < countField + 4) {
        error = "offset " + std::to_string(optional) + ": optional header too short";
        return false;
    }
    const uint32_t directories = ReadU32(&bytes[optional + countField]);
    const size_t sectionTable = optional + optionalSize;
    if (!image.Has(sectionTable, 40 * sectionCount)) {
        error = "offset " + std::to_string(sectionTable) + ": " + std::to_string(sectionCount) +
                " section headers run past the file";
        return false;
    }
    for (size_t i = 0; i < sectionCount; ++i) {
        const uint8_t* s = &bytes[sectionTable + 40 * i];
        image.sections.push_back({ReadU32(s + 12), ReadU32(s + 8), ReadU32(s + 16), ReadU32(s + 20)});
    }
    const size_t entry = optional + countField + 4 + 8 * 2;  // data directory 2: resources
    if (directories < 3 || entry + 8 > optional + optionalSize) return true;  // no resources
    const uint32_t rva = ReadU32(&bytes[entry]);
    const uint32_t size = ReadU32(&bytes[entry + 4]);
    if (rva == 0 || size == 0) return true;
    // The directory's own bytes run to the end of its section's data (names and data entries
    // may lie anywhere in it), bounded by the file.
    bool found = false;
    for (const Section& s : image.sections) {
        if (rva < s.virtualAddress || uint64_t(rva) - s.virtualAddress >= s.rawSize) continue;
        image.rsrcOffset = size_t(s.rawOffset) + (rva - s.virtualAddress);
        if (image.rsrcOffset > bytes.size()) break;
        image.rsrcSize = std::min<size_t>(s.rawSize - (rva - s.virtualAddress),
                                          bytes.size() - image.rsrcOffset);
        found = true;
        break;
    }
    if (!found) {
        error = "offset " + std::to_string(entry) + ": resource directory RVA " + Hex32(rva) +
                " lies in no section's data";
        return false;
    }
    ResEntry walking;
    if (!WalkDirectory(image, 0, 0, walking, entries)) {
        error = image.error;
        return false;
    }
    return true;
}
