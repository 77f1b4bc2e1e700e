// Static checks of the built DLLs: the 32-bit product cannot run on these
// machines, so what its callers link against (export names, calling
// conventions, imports) is read from the image itself.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "expected_exports.h"
#include "pe_image.h"

using pecheck::ExpectedExport;
using pecheck::PeImage;

namespace {

const std::string kWin32Dir = QLCLAPI_WIN32_DIR;
const std::string kWin64Dir = QLCLAPI_WIN64_DIR;

// Only DLLs that ship with Windows; a MinGW runtime DLL (libgcc_s_*,
// libstdc++-6, libwinpthread-1) here means a user's machine cannot load us.
const std::set<std::string> kSystemDlls = {"kernel32.dll", "advapi32.dll", "user32.dll",
                                           "oleaut32.dll", "version.dll",  "msvcrt.dll",
                                           "ntdll.dll"};

std::vector<ExpectedExport> expected() { return pecheck::loadExpectedExports(QLCLAPI_EXPECTED_EXPORTS_DIR); }

const pecheck::Export* findExport(const PeImage& image, const std::string& name) {
    for (const auto& e : image.exports())
        if (e.name == name) return &e;
    return nullptr;
}

bool hasSymbolAt(const PeImage& image, const std::string& name, uint32_t rva) {
    for (const auto& s : image.symbols())
        if (s.name == name && s.rva == rva) return true;
    return false;
}

void expectExactExportNames(const PeImage& image) {
    std::set<std::string> want, have;
    for (const auto& e : expected()) want.insert(e.name);
    for (const auto& e : image.exports()) have.insert(e.name);
    for (const auto& name : want) EXPECT_TRUE(have.count(name)) << "missing export " << name;
    for (const auto& name : have) EXPECT_TRUE(want.count(name)) << "unexpected export " << name;
}

void expectOnlySystemImports(const PeImage& image) {
    EXPECT_FALSE(image.importedDlls().empty());
    for (const auto& dll : image.importedDlls()) EXPECT_TRUE(kSystemDlls.count(dll)) << "imports " << dll;
}

class Win32Dll : public ::testing::Test {
protected:
    PeImage image{kWin32Dir + "/qlclapi.dll"};
    void SetUp() override { ASSERT_EQ(image.error(), "") << "the win32 preset must be built first"; }
};

TEST_F(Win32Dll, IsA32BitImage) {
    EXPECT_EQ(image.machine(), 0x14C);
    EXPECT_FALSE(image.is64());
}

TEST_F(Win32Dll, ExportsExactlyTheListedNames) { expectExactExportNames(image); }

TEST_F(Win32Dll, ExportNamesCarryNoDecoration) {
    for (const auto& e : image.exports()) {
        EXPECT_EQ(e.name.find('@'), std::string::npos) << e.name;
        EXPECT_NE(e.name.front(), '_') << e.name;
    }
}

// The linker's symbol for a __stdcall function is _Name@bytes and for a
// __cdecl one _Name; finding that symbol at the export's address proves the
// calling convention and the argument bytes the callee removes.
TEST_F(Win32Dll, EachExportHasItsCallingConvention) {
    ASSERT_FALSE(image.symbols().empty()) << "the image lost its COFF symbol table";
    for (const auto& want : expected()) {
        const pecheck::Export* e = findExport(image, want.name);
        if (!e) continue;  // reported by ExportsExactlyTheListedNames
        switch (want.kind) {
        case ExpectedExport::Cdecl:
            EXPECT_TRUE(hasSymbolAt(image, "_" + want.name, e->rva)) << want.name << " is not __cdecl";
            break;
        case ExpectedExport::Stdcall:
            EXPECT_TRUE(hasSymbolAt(image, "_" + want.name + "@" + std::to_string(want.argumentBytes), e->rva))
                << want.name << " is not __stdcall with " << want.argumentBytes << " argument bytes";
            break;
        case ExpectedExport::Alias: {
            const pecheck::Export* target = findExport(image, want.aliasOf);
            ASSERT_NE(target, nullptr) << want.aliasOf;
            EXPECT_EQ(e->rva, target->rva) << want.name << " is not the entry of " << want.aliasOf;
            break;
        }
        }
    }
}

TEST_F(Win32Dll, ImportsOnlySystemDlls) { expectOnlySystemImports(image); }

TEST(Win64Dll, ExportsTheSameNamesAndImportsOnlySystemDlls) {
    PeImage image(kWin64Dir + "/qlclapi.dll");
    ASSERT_EQ(image.error(), "") << "the win64 preset must be built first";
    EXPECT_EQ(image.machine(), 0x8664);
    expectExactExportNames(image);
    expectOnlySystemImports(image);
}

// A library loaded into someone else's process must not bring a threading
// runtime: no TLS callbacks the loader would run in every thread of the
// host, no posix-threads runtime (which installs a vectored exception
// handler from its TLS callback), nothing of it imported or linked in.
void expectNoThreadingRuntime(const PeImage& image) {
    EXPECT_FALSE(image.hasTlsDirectory()) << "the image has a TLS directory";
    EXPECT_EQ(image.tlsCallbackCount(), 0u) << "TLS callbacks";
    for (const auto& dll : image.importedDlls()) EXPECT_EQ(dll.find("pthread"), std::string::npos) << dll;
    for (const auto& [dll, functions] : image.imports())
        for (const auto& function : functions)
            EXPECT_EQ(function.find("pthread"), std::string::npos) << dll << "!" << function;
    ASSERT_FALSE(image.symbols().empty()) << "the image lost its COFF symbol table";
    for (const auto& symbol : image.symbols())
        for (const char* part : {"pthread", "SetThreadName_VEH", "_tls_used", "__xl_"})
            EXPECT_EQ(symbol.name.find(part), std::string::npos) << "links in " << symbol.name;
}

TEST_F(Win32Dll, CarriesNoThreadingRuntime) { expectNoThreadingRuntime(image); }

TEST(Win64Dll, CarriesNoThreadingRuntime) {
    PeImage image(kWin64Dir + "/qlclapi.dll");
    ASSERT_EQ(image.error(), "");
    expectNoThreadingRuntime(image);
}

// The fixed part of the version block: after the 6-byte header and the
// UTF-16 key "VS_VERSION_INFO" with its padding, at offset 40.
struct FixedVersion {
    uint32_t signature, structVersion, fileMS, fileLS, productMS, productLS;
};

bool readFixedVersion(const std::vector<uint8_t>& block, FixedVersion& fixed) {
    if (block.size() < 40 + sizeof fixed) return false;
    memcpy(&fixed, block.data() + 40, sizeof fixed);
    return fixed.signature == 0xFEEF04BD;
}

void expectVersionAndManifest(const PeImage& image) {
    const pecheck::ResourceEntry* version = nullptr;
    bool manifest = false;
    for (const auto& r : image.resources()) {
        if (r.type == 16 && r.id == 1) version = &r;
        if (r.type == 24 && r.id == 2) manifest = true;
    }
    ASSERT_NE(version, nullptr) << "no version block";
    EXPECT_EQ(version->language, 0x409u);
    FixedVersion fixed{};
    ASSERT_TRUE(readFixedVersion(version->data, fixed));
    // Language modules must carry exactly this product version.
    EXPECT_EQ(fixed.productMS, 0x000C000Cu);
    EXPECT_EQ(fixed.productLS, 0x422F0001u);
    EXPECT_EQ(fixed.fileMS, 0x000C000Cu);
    EXPECT_EQ(fixed.fileLS, 0x422F0001u);
    EXPECT_TRUE(manifest) << "no manifest with id 2";
}

TEST_F(Win32Dll, CarriesItsVersionBlockAndManifest) { expectVersionAndManifest(image); }

TEST(Win64Dll, CarriesItsVersionBlockAndManifest) {
    PeImage image(kWin64Dir + "/qlclapi.dll");
    ASSERT_EQ(image.error(), "");
    expectVersionAndManifest(image);
}

// A language module is taken only with the library's own product version;
// it carries resources and nothing else.
TEST(PseudoLocaleModule, CarriesTheLibrarysProductVersionAndNoCode) {
    for (const std::string& dir : {kWin32Dir, kWin64Dir}) {
        PeImage image(dir + "/qps-ploc/qlclapi.resources.dll");
        ASSERT_EQ(image.error(), "") << dir;
        EXPECT_TRUE(image.exports().empty()) << dir;
        EXPECT_TRUE(image.importedDlls().empty()) << dir;
        const pecheck::ResourceEntry* version = nullptr;
        for (const auto& r : image.resources())
            if (r.type == 16 && r.id == 1) version = &r;
        ASSERT_NE(version, nullptr) << dir;
        FixedVersion fixed{};
        ASSERT_TRUE(readFixedVersion(version->data, fixed)) << dir;
        EXPECT_EQ(fixed.productMS, 0x000C000Cu) << dir;
        EXPECT_EQ(fixed.productLS, 0x422F0001u) << dir;
    }
}

// Users compile against include/qlclapi.h: every export must be declared
// there, with the calling convention the image has.
TEST(PublicHeader, DeclaresEveryExportWithItsConvention) {
    std::ifstream in(QLCLAPI_PUBLIC_HEADER);
    ASSERT_TRUE(in) << QLCLAPI_PUBLIC_HEADER;
    std::stringstream text;
    text << in.rdbuf();
    const std::string header = text.str();
    for (const auto& want : expected()) {
        const std::string convention = want.kind == ExpectedExport::Stdcall ? "QLCLAPI_VBCALL" : "QLCLAPI_CALL";
        if (want.kind == ExpectedExport::Alias) {
            EXPECT_NE(header.find(", " + want.name + ","), std::string::npos) << want.name;
            continue;
        }
        EXPECT_NE(header.find(convention + ", " + want.name + ","), std::string::npos)
            << want.name << " is not declared with " << convention;
    }
}

TEST(Programs, NeedNoMingwRuntimeDll) {
    for (const std::string& dir : {kWin32Dir, kWin64Dir})
        for (const char* program : {"qlsim.exe", "qlctl.exe"}) {
            PeImage image(dir + "/" + program);
            if (image.error().rfind("cannot open", 0) == 0 && std::string(program) == "qlctl.exe") continue;
            ASSERT_EQ(image.error(), "") << dir << "/" << program;
            expectOnlySystemImports(image);
        }
}

}  // namespace
