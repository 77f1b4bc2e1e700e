// Where a language module may lie, as text: the library's file name with
// ".resources.dll" for its extension, in a folder named after the language,
// beside the library or under the client's install location. Every path
// holds at most 259 characters and a terminator; a path that would be
// longer is not built (false), rather than cut into another path.
#pragma once

#include <cstddef>

namespace qlclapi {

constexpr size_t kModulePathUnits = 260;
constexpr size_t kModuleFileNameUnits = 128;
constexpr size_t kLanguageNameUnits = 85;
using ModulePath = char16_t[kModulePathUnits];
using ModuleFileName = char16_t[kModuleFileNameUnits];
using LanguageName = char16_t[kLanguageNameUnits];

// "C:\x\qlclapi.dll" gives "qlclapi.resources.dll" (the name is cut at its
// last "."; a name without one keeps it whole). False when longer than 127.
bool LanguageModuleFileName(const char16_t* ownPath, ModuleFileName& name);

// The folder of ownPath with its last backslash, then the language and a
// backslash when a language is given, then the file name.
bool PathBesideLibrary(const char16_t* ownPath, const char16_t* language, const char16_t* fileName, ModulePath& path);

// `path` holds the install location on entry: a backslash unless it ends in
// one, the language and a backslash when given, then the file name. False
// for an empty location.
bool PathUnderLocation(ModulePath& path, const char16_t* language, const char16_t* fileName);

// "de-CH" becomes "de"; false when the name has no "-" (nothing changed).
bool CutAtFirstDash(LanguageName& language);

}  // namespace qlclapi
