// Static checks of what the SDK ships beside the DLLs: the Microsoft-format
// import libraries, the Visual Basic declarations and the stripped images.
// Each is held to the built DLLs themselves (their exports and, in the
// unstripped x86 image, the linker's decorated symbol of each export), and
// every export of api/exports/*.txt takes part.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <set>

#include "expected_exports.h"
#include "header_functions.h"
#include "import_archive.h"
#include "pe_image.h"
#include "vb_module.h"

using pecheck::ExpectedExport;
using pecheck::PeImage;

namespace {

struct Arch {
    const char* name;
    std::string buildDir;
    uint16_t machine;
};
const Arch kArchs[] = {{"x86", QLCLAPI_WIN32_DIR, 0x14C}, {"x64", QLCLAPI_WIN64_DIR, 0x8664}};

// The export lists, each alias taking the convention of its entry.
struct ListedExport {
    std::string name;
    bool stdcall = false;
};
std::vector<ListedExport> listedExports() {
    const std::vector<ExpectedExport> raw = pecheck::loadExpectedExports(QLCLAPI_EXPORT_LISTS_DIR);
    std::map<std::string, bool> stdcallByName;
    for (const auto& e : raw)
        if (e.kind != ExpectedExport::Alias) stdcallByName[e.name] = e.kind == ExpectedExport::Stdcall;
    std::vector<ListedExport> all;
    for (const auto& e : raw) all.push_back({e.name, stdcallByName[e.kind == ExpectedExport::Alias ? e.aliasOf : e.name]});
    return all;
}

const pecheck::Export* findExport(const PeImage& image, const std::string& name) {
    for (const auto& e : image.exports())
        if (e.name == name) return &e;
    return nullptr;
}

// The argument bytes of the __stdcall function the 32-bit DLL exports under
// this name: the linker's symbol _Name@bytes at the export's address.
std::optional<unsigned> x86Decoration(const PeImage& dll, const std::string& name) {
    const pecheck::Export* e = findExport(dll, name);
    if (!e) return std::nullopt;
    static const std::regex decorated(R"(_\w+@(\d+))");
    std::smatch m;
    for (const auto& s : dll.symbols())
        if (s.rva == e->rva && std::regex_match(s.name, m, decorated)) return unsigned(std::stoul(m[1]));
    return std::nullopt;
}

class BuiltDlls : public ::testing::Test {
protected:
    PeImage x86{kArchs[0].buildDir + "/qlclapi.dll"};
    PeImage x64{kArchs[1].buildDir + "/qlclapi.dll"};
    void SetUp() override {
        ASSERT_EQ(x86.error(), "") << "the win32 preset must be built first";
        ASSERT_EQ(x64.error(), "") << "the win64 preset must be built first";
        ASSERT_FALSE(x86.symbols().empty()) << "the x86 DLL lost the symbols that carry the decorations";
    }
    const PeImage& dllOf(const Arch& arch) const { return arch.machine == 0x14C ? x86 : x64; }
};

// ---- Microsoft-format import libraries ------------------------------------

// A caller compiled against the header references _Name@bytes (x86 twins),
// _Name (x86 plain) or Name (x64); the member for that symbol must send the
// loader to the name the DLL exports, in qlclapi.dll.
TEST_F(BuiltDlls, MicrosoftImportLibrariesImportEveryExportByItsExportedName) {
    for (const Arch& arch : kArchs) {
        SCOPED_TRACE(arch.name);
        const std::string path = arch.buildDir + "/sdk/qlclapi.lib";
        std::map<std::string, sdkcheck::ShortImport> bySymbol;
        for (const auto& entry : sdkcheck::readShortImports(path)) bySymbol[entry.symbol] = entry;

        const std::vector<ListedExport> exports = listedExports();
        EXPECT_EQ(bySymbol.size(), exports.size()) << path << " holds other imports than the listed exports";
        for (const ListedExport& e : exports) {
            std::string symbol = e.name;
            if (arch.machine == 0x14C) {
                const std::optional<unsigned> bytes = x86Decoration(x86, e.name);
                ASSERT_EQ(bytes.has_value(), e.stdcall) << e.name << ": the DLL's convention differs from the list";
                symbol = "_" + e.name + (bytes ? "@" + std::to_string(*bytes) : "");
            }
            const auto found = bySymbol.find(symbol);
            ASSERT_NE(found, bySymbol.end()) << path << " has no " << symbol;
            const sdkcheck::ShortImport& entry = found->second;
            EXPECT_EQ(entry.machine, arch.machine) << symbol;
            EXPECT_EQ(entry.dll, "qlclapi.dll") << symbol;
            EXPECT_EQ(entry.type, 0u) << symbol << " is not imported as code";
            EXPECT_EQ(entry.importName(), e.name) << symbol << " (name type " << entry.nameType << ")";
            EXPECT_NE(findExport(dllOf(arch), entry.importName()), nullptr)
                << symbol << " imports " << entry.importName() << ", which the DLL does not export";
        }
    }
}

// ---- Visual Basic declarations --------------------------------------------

// How a C type of the header is declared in Visual Basic. A pointer passed
// by value is a LongPtr in VBA7 (8 bytes in 64-bit Office) and a Long in VB6.
struct VbForm {
    bool byVal;
    const char* vb6;
    const char* vba7;
};
const std::map<std::string, VbForm> kVbForms = {
    {"QlUInt32", {true, "Long", "Long"}},           {"QlInt32", {true, "Long", "Long"}},
    {"QlUInt16", {true, "Integer", "Integer"}},     {"QlUInt32*", {false, "Long", "Long"}},
    {"QlInt32*", {false, "Long", "Long"}},          {"QlUInt16*", {false, "Integer", "Integer"}},
    {"QlUInt64*", {false, "Currency", "Currency"}}, {"QlBstr*", {false, "String", "String"}},
    {"const char*", {true, "String", "String"}},    {"const wchar_t*", {true, "Long", "LongPtr"}},
    {"wchar_t*", {true, "Long", "LongPtr"}},        {"void*", {true, "Long", "LongPtr"}},
    {"const void*", {true, "Long", "LongPtr"}},     {"struct _OVERLAPPED*", {true, "Long", "LongPtr"}},
};
const std::map<std::string, VbForm> kVbResults = {
    {"QlUInt32", {true, "Long", "Long"}},
    {"QlInt32", {true, "Long", "Long"}},
    {"void*", {true, "Long", "LongPtr"}},
};

class VisualBasicModule : public BuiltDlls {
protected:
    sdkcheck::VbModule module = sdkcheck::readVbModule(QLCLAPI_VB_MODULE);
    sdkcheck::PublicHeader header = sdkcheck::readPublicHeader(QLCLAPI_PUBLIC_HEADER);
};

TEST_F(VisualBasicModule, DeclaresEveryTwinOnceForVb6AndOnceForVba7) {
    for (const ListedExport& e : listedExports()) {
        if (!e.stdcall) continue;
        int vb6 = 0, vba7 = 0;
        for (const auto& d : module.declares)
            if (d.entry == e.name && !d.win64) ++(d.vba7 ? vba7 : vb6);
        EXPECT_EQ(vb6, 1) << e.name << " for VB6";
        EXPECT_EQ(vba7, 1) << e.name << " for VBA7";
    }
}

// The Declare makes the caller push these bytes; the twin removes what its
// decoration says. Any difference unbalances the caller's stack.
TEST_F(VisualBasicModule, ArgumentBytesMatchTheDecorationOfTheX86Dll) {
    for (const auto& d : module.declares) {
        if (d.win64) continue;  // 64-bit only: one calling convention there
        const std::optional<unsigned> bytes = x86Decoration(x86, d.entry);
        ASSERT_TRUE(bytes.has_value()) << "line " << d.line << ": " << d.entry
                                       << " is not a __stdcall export of the x86 DLL";
        EXPECT_EQ(sdkcheck::x86ArgumentBytes(d), *bytes) << "line " << d.line << ": " << d.entry;
    }
}

TEST_F(VisualBasicModule, ArgumentsAndResultsFollowTheHeader) {
    for (const auto& d : module.declares) {
        SCOPED_TRACE("line " + std::to_string(d.line) + ": " + d.entry);
        const auto function = header.functions.find(d.entry);
        ASSERT_NE(function, header.functions.end()) << "not declared in the header";
        ASSERT_EQ(d.parameters.size(), function->second.parameters.size());
        for (size_t i = 0; i < d.parameters.size(); ++i) {
            const std::string& cType = function->second.parameters[i];
            const auto form = kVbForms.find(cType);
            ASSERT_NE(form, kVbForms.end()) << "no Visual Basic form known for " << cType;
            EXPECT_EQ(d.parameters[i].byVal, form->second.byVal) << d.parameters[i].name << " (" << cType << ")";
            EXPECT_EQ(d.parameters[i].type, d.vba7 ? form->second.vba7 : form->second.vb6)
                << d.parameters[i].name << " (" << cType << ")";
        }
        const auto result = kVbResults.find(function->second.result);
        ASSERT_NE(result, kVbResults.end()) << "no Visual Basic form known for " << function->second.result;
        EXPECT_EQ(d.returnType, d.vba7 ? result->second.vba7 : result->second.vb6);
    }
}

// VB6 knows neither PtrSafe nor LongPtr; VBA7 refuses a Declare without
// PtrSafe. The plain exports take __cdecl, which only 64-bit Office can
// call: they belong under #If Win64 and nowhere else.
TEST_F(VisualBasicModule, EachDeclareSuitsItsBranch) {
    for (const auto& d : module.declares) {
        SCOPED_TRACE("line " + std::to_string(d.line) + ": " + d.entry);
        EXPECT_EQ(d.lib, "qlclapi.dll");
        EXPECT_EQ(d.ptrSafe, d.vba7);
        if (!d.vba7)
            for (const auto& p : d.parameters) EXPECT_NE(p.type, "LongPtr") << p.name;
        const bool twin = x86Decoration(x86, d.entry).has_value();
        if (!twin) {
            EXPECT_TRUE(d.vba7 && d.win64) << "a __cdecl export outside #If Win64";
            EXPECT_NE(findExport(x64, d.entry), nullptr) << "not exported by the x64 DLL";
        }
    }
}

TEST_F(VisualBasicModule, StateConstantsHaveTheHeadersValues) {
    std::set<std::string> declared;
    for (const auto& c : module.constants) {
        if (c.name.rfind("QL_STATE_", 0) != 0) continue;
        declared.insert(c.name);
        ASSERT_TRUE(header.enumerators.count(c.name)) << c.name << " is not in the header";
        EXPECT_EQ(c.value, header.enumerators.at(c.name)) << c.name;
        EXPECT_EQ(c.type, "Long") << c.name;
    }
    for (const auto& e : header.enumerators)
        if (e.first.rfind("QL_STATE_", 0) == 0) EXPECT_TRUE(declared.count(e.first)) << e.first << " has no Const";
}

// ---- Stripped images --------------------------------------------------------

uint32_t crc32(const std::vector<uint8_t>& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every image the SDK ships comes without symbols or debug sections, and
// links to its debug information by name and checksum; the DLL keeps the
// very exports of the image the tests ran.
TEST(StrippedImages, CarryNoDebugInformationButLinkToIt) {
    for (const Arch& arch : kArchs) {
        const std::string sdk = arch.buildDir + "/sdk/";
        std::vector<std::string> images;
        if (DIR* dir = opendir(sdk.c_str())) {
            while (dirent* entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name.size() > 6 && name.compare(name.size() - 6, 6, ".debug") == 0)
                    images.push_back(name.substr(0, name.size() - 6));
            }
            closedir(dir);
        }
        ASSERT_TRUE(std::count(images.begin(), images.end(), "qlclapi.dll")) << sdk << " lacks qlclapi.dll.debug";
        for (const std::string& name : images) {
            SCOPED_TRACE(std::string(arch.name) + "/" + name);
            PeImage stripped(sdk + name);
            ASSERT_EQ(stripped.error(), "");
            EXPECT_EQ(stripped.machine(), arch.machine);
            EXPECT_TRUE(stripped.symbols().empty());
            for (const std::string& section : stripped.sectionNames()) EXPECT_NE(section.rfind(".debug", 0), 0u) << section;

            const std::vector<uint8_t> link = stripped.sectionBytes(".gnu_debuglink");
            const std::string linked(reinterpret_cast<const char*>(link.data()), strnlen(reinterpret_cast<const char*>(link.data()), link.size()));
            EXPECT_EQ(linked, name + ".debug");
            const size_t crcAt = (linked.size() + 1 + 3) & ~size_t(3);
            ASSERT_GE(link.size(), crcAt + 4);
            const uint32_t crc = uint32_t(link[crcAt]) | uint32_t(link[crcAt + 1]) << 8 | uint32_t(link[crcAt + 2]) << 16 |
                                 uint32_t(link[crcAt + 3]) << 24;
            EXPECT_EQ(crc, crc32(fileBytes(sdk + name + ".debug"))) << "the debug link's checksum";

            PeImage built(arch.buildDir + "/" + name);
            ASSERT_EQ(built.error(), "");
            ASSERT_EQ(stripped.exports().size(), built.exports().size());
            for (size_t i = 0; i < built.exports().size(); ++i) {
                EXPECT_EQ(stripped.exports()[i].name, built.exports()[i].name);
                EXPECT_EQ(stripped.exports()[i].rva, built.exports()[i].rva);
            }
        }
    }
}

}  // namespace
