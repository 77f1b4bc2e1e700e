#include "status/language_module_win.h"

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "config/registry_value_win.h"
#include "core/heap_buffer.h"
#include "status/module_path.h"

namespace qlclapi {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 units");
wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

constexpr wchar_t kClientKey[] = L"SOFTWARE\\Quorlan";
constexpr wchar_t kSetupKey[] = L"SOFTWARE\\Quorlan\\Setup";
constexpr DWORD kLoadAsResourceImage = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
static_assert(kLoadAsResourceImage == 0x22, "the module is mapped for its resources only");

// A registry text read into `units` units: a value that cannot be read
// whole counts as absent (the failed read may have left anything in the
// buffer), and one without a terminator is cut to fit one.
template <size_t Units>
bool ReadText(const wchar_t* subkey, const wchar_t* name, char16_t (&text)[Units], REGSAM view) {
    ZeroMemory(text, sizeof text);
    if (!RegistryReadValue(HKEY_LOCAL_MACHINE, subkey, name, text, sizeof text, view)) {
        ZeroMemory(text, sizeof text);
        return false;
    }
    text[Units - 1] = 0;
    return text[0] != 0;
}

void ChooseLanguage(LanguageName& language) {
    if (ReadText(kClientKey, L"Language", language, KEY_WOW64_64KEY)) return;
    if (GetUserDefaultLocaleName(Wide(language), kLanguageNameUnits) > 0) return;
    if (GetSystemDefaultLocaleName(Wide(language), kLanguageNameUnits) > 0) return;
    language[0] = 0;
}

// A folder of the module's name is no module.
bool IsFile(char16_t* path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FindModuleFile(const char16_t* ownPath, const char16_t* language, const ModuleFileName& fileName,
                    ModulePath& path) {
    if (PathBesideLibrary(ownPath, language, fileName, path) && IsFile(path)) return true;
    // Either view may hold the install location: a 32-bit installer writes
    // below WOW6432Node on a 64-bit system.
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
        if (ReadText(kSetupKey, L"LastInstallLocation", path, view))
            return PathUnderLocation(path, language, fileName) && IsFile(path);
    return false;
}

struct ProductVersion {
    DWORD high = 0, low = 0;
    bool operator==(const ProductVersion& other) const { return high == other.high && low == other.low; }
};

// 0.0 when the file has no readable version block.
ProductVersion ProductVersionOf(const wchar_t* path) {
    ProductVersion version;
    DWORD ignored = 0;
    const DWORD bytes = GetFileVersionInfoSizeW(path, &ignored);
    if (bytes == 0) return version;
    HeapBuffer<uint8_t> buffer(bytes);
    if (!buffer.ok()) return version;
    uint8_t* block = buffer.data();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedBytes = 0;
    if (GetFileVersionInfoW(path, 0, bytes, block) &&
        VerQueryValueW(block, L"\\", reinterpret_cast<void**>(&fixed), &fixedBytes) && fixed &&
        fixedBytes >= sizeof *fixed && reinterpret_cast<uint8_t*>(fixed) >= block &&
        reinterpret_cast<uint8_t*>(fixed) + sizeof *fixed <= block + bytes &&
        fixed->dwSignature == VS_FFI_SIGNATURE) {
        version.high = fixed->dwProductVersionMS;
        version.low = fixed->dwProductVersionLS;
    }
    return version;
}

ModuleHandle LoadForResources(const wchar_t* path) {
    // The calling thread's error mode, not the process's: another thread
    // choosing its module at the same time must not restore a mode we set.
    DWORD previous = 0;
    const BOOL quiet = SetThreadErrorMode(SEM_NOOPENFILEERRORBOX, &previous);
    HMODULE module = LoadLibraryExW(path, nullptr, kLoadAsResourceImage);
    if (quiet) SetThreadErrorMode(previous, nullptr);
    if (reinterpret_cast<uintptr_t>(module) < 32) return ModuleHandle();
    return ModuleHandle(module);
}

}  // namespace

LanguageModule::LanguageModule(HMODULE own) : own_(own) {
    ModulePath ownPath = {};
    const DWORD length = GetModuleFileNameW(own, Wide(ownPath), kModulePathUnits);
    if (length == 0 || length >= kModulePathUnits) return;

    LanguageName language = {};
    ChooseLanguage(language);
    ModuleFileName fileName;
    if (!LanguageModuleFileName(ownPath, fileName)) return;
    ModulePath path = {};
    // "de-CH" may be served by a module for "de".
    if (!FindModuleFile(ownPath, language, fileName, path) &&
        !(CutAtFirstDash(language) && FindModuleFile(ownPath, language, fileName, path)))
        return;

    // A module of another version is freed at once.
    ModuleHandle module = LoadForResources(Wide(path));
    if (module && ProductVersionOf(Wide(path)) == ProductVersionOf(Wide(ownPath))) loaded_ = std::move(module);
}

}  // namespace qlclapi
