// A reader for the parts of a PE image that the static checks look at: the
// export, import and resource tables and the COFF symbol table the linker
// left in the image. Every read is bounded by the file's size; a malformed
// image makes `error()` non-empty instead of reading out of bounds.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pecheck {

struct Export {
    std::string name;
    uint32_t rva = 0;
};

struct Symbol {
    std::string name;
    uint32_t rva = 0;
};

struct ResourceEntry {
    uint32_t type = 0;
    uint32_t id = 0;
    uint32_t language = 0;
    std::vector<uint8_t> data;
};

class PeImage {
public:
    explicit PeImage(const std::string& path);

    const std::string& error() const { return error_; }
    uint16_t machine() const { return machine_; }
    bool is64() const { return is64_; }
    const std::vector<Export>& exports() const { return exports_; }
    const std::vector<std::string>& importedDlls() const { return importedDlls_; }
    // Functions imported by name, keyed by lower-case DLL name.
    const std::map<std::string, std::vector<std::string>>& imports() const { return imports_; }
    const std::vector<Symbol>& symbols() const { return symbols_; }
    const std::vector<ResourceEntry>& resources() const { return resources_; }
    // The TLS directory: whether the image has one, and the callbacks the
    // loader would run in every thread of a process that loads it.
    bool hasTlsDirectory() const { return tlsDir_.rva != 0 || tlsDir_.size != 0; }
    size_t tlsCallbackCount() const { return tlsCallbacks_; }
    // Section names in table order; a long name (/offset) is read from the
    // COFF string table, which outlives a stripped symbol table.
    std::vector<std::string> sectionNames() const;
    // The raw bytes of the first section of that name; empty when none.
    std::vector<uint8_t> sectionBytes(const std::string& name) const;

private:
    bool fail(const std::string& why);
    bool readHeaders();
    void readExports();
    void readImports();
    void readSymbols();
    void readResources();
    void readTls();
    void readResourceLevel(uint32_t dirOffset, int depth, uint32_t ids[3]);
    bool rvaToOffset(uint32_t rva, uint32_t& offset) const;
    bool u16(uint64_t offset, uint16_t& v) const;
    bool u32(uint64_t offset, uint32_t& v) const;
    bool u64(uint64_t offset, uint64_t& v) const;
    bool address(uint64_t offset, uint64_t& v) const;
    std::string cstring(uint64_t offset, size_t maxLength = 512) const;

    struct Section {
        uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
        std::string name;
    };
    struct Directory {
        uint32_t rva = 0, size = 0;
    };

    std::vector<uint8_t> bytes_;
    std::string error_;
    uint16_t machine_ = 0;
    bool is64_ = false;
    uint32_t symbolTable_ = 0, symbolCount_ = 0;
    std::vector<Section> sections_;
    uint64_t imageBase_ = 0;
    Directory exportDir_, importDir_, resourceDir_, tlsDir_;
    size_t tlsCallbacks_ = 0;
    std::vector<Export> exports_;
    std::vector<std::string> importedDlls_;
    std::map<std::string, std::vector<std::string>> imports_;
    std::vector<Symbol> symbols_;
    std::vector<ResourceEntry> resources_;
};

}  // namespace pecheck
