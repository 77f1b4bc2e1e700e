#include "status/module_path.h"

#include "config/client_key_path.h"

namespace qlclapi {

namespace {

size_t Length(const char16_t* text) {
    size_t n = 0;
    while (text[n]) ++n;
    return n;
}

// The file name starts after the last backslash.
size_t FileNameStart(const char16_t* path) {
    size_t start = 0;
    for (size_t i = 0; path[i]; ++i)
        if (path[i] == u'\\') start = i + 1;
    return start;
}

bool AppendLanguageAndName(ModulePath& path, const char16_t* language, const char16_t* fileName) {
    if (language[0] && !(AppendBounded(path, kModulePathUnits, language) && AppendBounded(path, kModulePathUnits, u"\\")))
        return false;
    return AppendBounded(path, kModulePathUnits, fileName);
}

}  // namespace

bool LanguageModuleFileName(const char16_t* ownPath, ModuleFileName& name) {
    const char16_t* own = ownPath + FileNameStart(ownPath);
    size_t stem = Length(own);
    for (size_t i = stem; i > 0; --i)
        if (own[i - 1] == u'.') {
            stem = i - 1;
            break;
        }
    name[0] = 0;
    if (stem >= kModuleFileNameUnits) return false;
    for (size_t i = 0; i < stem; ++i) name[i] = own[i];
    name[stem] = 0;
    return AppendBounded(name, kModuleFileNameUnits, u".resources.dll");
}

bool PathBesideLibrary(const char16_t* ownPath, const char16_t* language, const char16_t* fileName, ModulePath& path) {
    const size_t folder = FileNameStart(ownPath);
    path[0] = 0;
    if (folder >= kModulePathUnits) return false;
    for (size_t i = 0; i < folder; ++i) path[i] = ownPath[i];
    path[folder] = 0;
    return AppendLanguageAndName(path, language, fileName);
}

bool PathUnderLocation(ModulePath& path, const char16_t* language, const char16_t* fileName) {
    const size_t length = Length(path);
    if (length == 0) return false;
    if (path[length - 1] != u'\\' && !AppendBounded(path, kModulePathUnits, u"\\")) return false;
    return AppendLanguageAndName(path, language, fileName);
}

bool CutAtFirstDash(LanguageName& language) {
    for (size_t i = 0; i < kLanguageNameUnits && language[i]; ++i)
        if (language[i] == u'-') {
            language[i] = 0;
            return true;
        }
    return false;
}

}  // namespace qlclapi
