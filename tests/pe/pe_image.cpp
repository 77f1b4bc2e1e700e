#include "pe_image.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>

namespace pecheck {

PeImage::PeImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail("cannot open " + path);
        return;
    }
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!readHeaders()) return;
    readExports();
    readImports();
    readSymbols();
    readResources();
    readTls();
}

bool PeImage::fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
}

bool PeImage::u16(uint64_t offset, uint16_t& v) const {
    if (offset + 2 > bytes_.size()) return false;
    v = uint16_t(bytes_[offset] | bytes_[offset + 1] << 8);
    return true;
}

bool PeImage::u32(uint64_t offset, uint32_t& v) const {
    if (offset + 4 > bytes_.size()) return false;
    v = uint32_t(bytes_[offset]) | uint32_t(bytes_[offset + 1]) << 8 |
        uint32_t(bytes_[offset + 2]) << 16 | uint32_t(bytes_[offset + 3]) << 24;
    return true;
}

bool PeImage::u64(uint64_t offset, uint64_t& v) const {
    uint32_t lo, hi;
    if (!u32(offset, lo) || !u32(offset + 4, hi)) return false;
    v = uint64_t(hi) << 32 | lo;
    return true;
}

std::string PeImage::cstring(uint64_t offset, size_t maxLength) const {
    std::string s;
    while (offset < bytes_.size() && bytes_[offset] != 0 && s.size() < maxLength)
        s.push_back(char(bytes_[offset++]));
    return s;
}

bool PeImage::rvaToOffset(uint32_t rva, uint32_t& offset) const {
    for (const Section& s : sections_) {
        uint32_t extent = std::max(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && rva - s.virtualAddress < extent) {
            uint32_t delta = rva - s.virtualAddress;
            if (delta >= s.rawSize) return false;  // in the zero-filled tail
            offset = s.rawOffset + delta;
            return offset < bytes_.size();
        }
    }
    return false;
}

bool PeImage::readHeaders() {
    uint16_t mz;
    uint32_t peOffset, signature;
    if (!u16(0, mz) || mz != 0x5A4D) return fail("no MZ header");
    if (!u32(0x3C, peOffset) || !u32(peOffset, signature) || signature != 0x4550)
        return fail("no PE signature");
    uint64_t coff = uint64_t(peOffset) + 4;
    uint16_t sectionCount, optionalSize, magic;
    if (!u16(coff, machine_) || !u16(coff + 2, sectionCount) || !u32(coff + 8, symbolTable_) ||
        !u32(coff + 12, symbolCount_) || !u16(coff + 16, optionalSize))
        return fail("short COFF header");
    uint64_t optional = coff + 20;
    if (!u16(optional, magic)) return fail("short optional header");
    if (magic != 0x10B && magic != 0x20B) return fail("unknown optional header magic");
    is64_ = magic == 0x20B;
    uint64_t directories = optional + (is64_ ? 112 : 96);
    uint32_t directoryCount;
    if (!u32(directories - 4, directoryCount)) return fail("short optional header");
    uint32_t base32 = 0;
    if (is64_ ? !u64(optional + 24, imageBase_) : !u32(optional + 28, base32)) return fail("short optional header");
    if (!is64_) imageBase_ = base32;
    const struct {
        uint32_t index;
        Directory* directory;
    } wanted[] = {{0, &exportDir_}, {1, &importDir_}, {2, &resourceDir_}, {9, &tlsDir_}};
    for (const auto& w : wanted)
        if (w.index < directoryCount && (!u32(directories + 8 * w.index, w.directory->rva) ||
                                         !u32(directories + 8 * w.index + 4, w.directory->size)))
            return fail("short data directories");
    uint64_t table = optional + optionalSize;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        Section s;
        uint64_t at = table + 40ull * i;
        if (!u32(at + 8, s.virtualSize) || !u32(at + 12, s.virtualAddress) || !u32(at + 16, s.rawSize) ||
            !u32(at + 20, s.rawOffset))
            return fail("short section table");
        s.name = cstring(at, 8);
        if (s.name.size() > 1 && s.name[0] == '/' && s.name.find_first_not_of("0123456789", 1) == std::string::npos)
            s.name = cstring(uint64_t(symbolTable_) + 18ull * symbolCount_ + std::stoul(s.name.substr(1)));
        sections_.push_back(s);
    }
    return true;
}

std::vector<std::string> PeImage::sectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
}

std::vector<uint8_t> PeImage::sectionBytes(const std::string& name) const {
    for (const Section& s : sections_) {
        if (s.name != name) continue;
        uint64_t end = std::min<uint64_t>(uint64_t(s.rawOffset) + s.rawSize, bytes_.size());
        if (s.rawOffset >= end) return {};
        return std::vector<uint8_t>(bytes_.begin() + s.rawOffset, bytes_.begin() + end);
    }
    return {};
}

void PeImage::readExports() {
    uint32_t dir;
    if (exportDir_.rva == 0 || !rvaToOffset(exportDir_.rva, dir)) return;
    uint32_t nameCount, functions, names, ordinals, functionCount;
    if (!u32(dir + 20, functionCount) || !u32(dir + 24, nameCount) || !u32(dir + 28, functions) ||
        !u32(dir + 32, names) || !u32(dir + 36, ordinals)) {
        fail("short export directory");
        return;
    }
    uint32_t namesAt, ordinalsAt, functionsAt;
    if (nameCount == 0) return;
    if (!rvaToOffset(names, namesAt) || !rvaToOffset(ordinals, ordinalsAt) || !rvaToOffset(functions, functionsAt)) {
        fail("export tables outside the image");
        return;
    }
    for (uint32_t i = 0; i < nameCount; ++i) {
        uint32_t nameRva, nameAt, rva;
        uint16_t ordinal;
        if (!u32(namesAt + 4ull * i, nameRva) || !rvaToOffset(nameRva, nameAt) ||
            !u16(ordinalsAt + 2ull * i, ordinal) || ordinal >= functionCount ||
            !u32(functionsAt + 4ull * ordinal, rva)) {
            fail("bad export entry");
            return;
        }
        exports_.push_back({cstring(nameAt), rva});
    }
}

void PeImage::readImports() {
    uint32_t dir;
    if (importDir_.rva == 0 || !rvaToOffset(importDir_.rva, dir)) return;
    for (uint64_t at = dir;; at += 20) {
        uint32_t lookup, nameRva, thunks, nameAt;
        if (!u32(at, lookup) || !u32(at + 12, nameRva) || !u32(at + 16, thunks)) {
            fail("import table runs off the image");
            return;
        }
        if (nameRva == 0 && thunks == 0) break;
        if (!rvaToOffset(nameRva, nameAt)) {
            fail("import name outside the image");
            return;
        }
        std::string dll = cstring(nameAt);
        std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        importedDlls_.push_back(dll);
        std::vector<std::string>& functions = imports_[dll];
        uint32_t table;
        if (!rvaToOffset(lookup ? lookup : thunks, table)) continue;
        const unsigned width = is64_ ? 8 : 4;
        for (uint64_t entryAt = table;; entryAt += width) {
            uint64_t entry;
            uint32_t entry32;
            if (is64_ ? !u64(entryAt, entry) : !u32(entryAt, entry32)) break;
            if (!is64_) entry = entry32;
            if (entry == 0) break;
            const uint64_t byOrdinal = is64_ ? (1ull << 63) : (1ull << 31);
            uint32_t hintAt;
            if (entry & byOrdinal) continue;
            if (rvaToOffset(uint32_t(entry), hintAt)) functions.push_back(cstring(hintAt + 2ull));
        }
    }
}

void PeImage::readSymbols() {
    if (symbolTable_ == 0 || symbolCount_ == 0) return;
    uint64_t strings = uint64_t(symbolTable_) + 18ull * symbolCount_;
    for (uint32_t i = 0; i < symbolCount_; ++i) {
        uint64_t at = uint64_t(symbolTable_) + 18ull * i;
        uint32_t zeroes, nameOffset, value;
        uint16_t section;
        if (!u32(at, zeroes) || !u32(at + 4, nameOffset) || !u32(at + 8, value) || !u16(at + 12, section) ||
            at + 18 > bytes_.size()) {
            fail("symbol table runs off the image");
            return;
        }
        uint8_t auxCount = bytes_[at + 17];
        std::string name;
        if (zeroes == 0)
            name = cstring(strings + nameOffset);
        else
            name.assign(reinterpret_cast<const char*>(&bytes_[at]), strnlen(reinterpret_cast<const char*>(&bytes_[at]), 8));
        int16_t sectionNumber = int16_t(section);
        if (sectionNumber > 0 && size_t(sectionNumber) <= sections_.size())
            symbols_.push_back({name, sections_[sectionNumber - 1].virtualAddress + value});
        i += auxCount;
    }
}

void PeImage::readResources() {
    uint32_t root;
    if (resourceDir_.rva == 0 || !rvaToOffset(resourceDir_.rva, root)) return;
    uint32_t ids[3] = {0, 0, 0};
    readResourceLevel(0, 0, ids);
}

// Resource directories are three levels deep: type, name, language. Offsets
// inside the tree are relative to its root; named entries are skipped.
void PeImage::readResourceLevel(uint32_t dirOffset, int depth, uint32_t ids[3]) {
    uint32_t root;
    if (!rvaToOffset(resourceDir_.rva, root)) return;
    uint16_t named, numbered;
    uint64_t dir = uint64_t(root) + dirOffset;
    if (!u16(dir + 12, named) || !u16(dir + 14, numbered)) return fail("short resource directory"), void();
    for (uint32_t i = 0; i < uint32_t(named) + numbered; ++i) {
        uint32_t id, target;
        if (!u32(dir + 16 + 8ull * i, id) || !u32(dir + 20 + 8ull * i, target)) return fail("bad resource entry"), void();
        if (id & 0x80000000u) continue;
        ids[depth] = id;
        if (target & 0x80000000u) {
            if (depth < 2) readResourceLevel(target & 0x7FFFFFFFu, depth + 1, ids);
            continue;
        }
        uint32_t dataRva, dataSize, dataAt;
        if (!u32(uint64_t(root) + target, dataRva) || !u32(uint64_t(root) + target + 4, dataSize) ||
            !rvaToOffset(dataRva, dataAt) || uint64_t(dataAt) + dataSize > bytes_.size())
            return fail("resource data outside the image"), void();
        resources_.push_back({ids[0], ids[1], ids[2],
                              std::vector<uint8_t>(bytes_.begin() + dataAt, bytes_.begin() + dataAt + dataSize)});
    }
}

// An address-sized field: 8 bytes in a 64-bit image, 4 in a 32-bit one.
bool PeImage::address(uint64_t offset, uint64_t& v) const {
    uint32_t narrow;
    if (is64_) return u64(offset, v);
    if (!u32(offset, narrow)) return false;
    v = narrow;
    return true;
}

// IMAGE_TLS_DIRECTORY: AddressOfCallBacks is its fourth address-sized field,
// the virtual address of a null-terminated array of callback addresses.
void PeImage::readTls() {
    uint32_t dir, at;
    uint64_t callbacksVa = 0;
    if (!hasTlsDirectory()) return;
    const unsigned width = is64_ ? 8 : 4;
    if (!rvaToOffset(tlsDir_.rva, dir) || !address(dir + 3 * width, callbacksVa)) {
        fail("TLS directory outside the image");
        return;
    }
    if (callbacksVa == 0) return;
    if (callbacksVa < imageBase_ || !rvaToOffset(uint32_t(callbacksVa - imageBase_), at)) {
        fail("TLS callbacks outside the image");
        return;
    }
    for (uint64_t callback;; ++tlsCallbacks_) {
        if (!address(at + uint64_t(width) * tlsCallbacks_, callback)) {
            fail("TLS callback array runs off the image");
            return;
        }
        if (callback == 0) return;
    }
}

}  // namespace pecheck
