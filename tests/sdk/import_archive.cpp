#include "import_archive.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace sdkcheck {

namespace {

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t(u16(p)) | uint32_t(u16(p + 2)) << 16; }

std::string boundedString(const uint8_t* p, size_t available) {
    const void* end = std::memchr(p, 0, available);
    if (!end) throw std::runtime_error("unterminated name in a short import");
    return std::string(reinterpret_cast<const char*>(p), static_cast<const uint8_t*>(end) - p);
}

}  // namespace

std::string ShortImport::importName() const {
    std::string name = symbol;
    if (nameType == 2 || nameType == 3) {
        if (!name.empty() && (name[0] == '?' || name[0] == '@' || name[0] == '_')) name.erase(0, 1);
        if (nameType == 3) name = name.substr(0, name.find('@'));
    }
    return name;
}

std::vector<ShortImport> readShortImports(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < 8 || std::memcmp(bytes.data(), "!<arch>\n", 8) != 0)
        throw std::runtime_error(path + " is not an archive");

    std::vector<ShortImport> imports;
    size_t at = 8;
    while (at + 60 <= bytes.size()) {
        const std::string sizeField(reinterpret_cast<const char*>(&bytes[at + 48]), 10);
        const size_t size = std::stoul(sizeField);
        const size_t data = at + 60;
        if (size > bytes.size() - data) throw std::runtime_error(path + ": a member runs off the file");
        const uint8_t* p = &bytes[data];
        // IMPORT_OBJECT_HEADER: Sig1 0, Sig2 0xFFFF, Version, Machine,
        // TimeDateStamp, SizeOfData, OrdinalOrHint, then the type bits.
        if (size >= 20 && u16(p) == 0 && u16(p + 2) == 0xFFFF) {
            const uint32_t sizeOfData = u32(p + 12);
            if (sizeOfData > size - 20) throw std::runtime_error(path + ": a short import claims more than it holds");
            ShortImport entry;
            entry.machine = u16(p + 6);
            const uint16_t bits = u16(p + 18);
            entry.type = bits & 3u;
            entry.nameType = (bits >> 2) & 7u;
            entry.symbol = boundedString(p + 20, sizeOfData);
            const size_t dllAt = entry.symbol.size() + 1;
            entry.dll = boundedString(p + 20 + dllAt, sizeOfData - dllAt);
            imports.push_back(entry);
        }
        at = data + size + (size & 1);  // members are 2-byte aligned
    }
    return imports;
}

}  // namespace sdkcheck
