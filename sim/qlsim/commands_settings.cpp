// settings: the client's settings stores, written as the client writes
// them: the cookie that selects the store, the text store (one value per
// setting in Settings and UserSettings) and the binary store (the
// SettingsBlobs RpcSettings and RpcUserSettings), all below the current
// state key named by CurrentSubkey.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <string>

#include "arguments.h"
#include "client_settings.h"
#include "commands.h"
#include "quoted.h"
#include "setting_names.h"
#include "settings_blob_image.h"
#include "sim_config.h"

namespace qlsim {

namespace {

const char kUsage[] =
    "usage: qlsim settings COMMAND [ARGS]\n"
    "  store text | binary  select the store the client reads: text writes the cookie\n"
    "                       (Settings\\Cookie), binary deletes it\n"
    "  set SETTING VALUE [--user] [--text | --binary] [--string | --hex] [--no-terminator]\n"
    "                       one setting in the store in use (or the one named): in the text\n"
    "                       store VALUE as it is typed, in the binary store a number as 4 bytes,\n"
    "                       with --string as UTF-16 text and its terminator, with --hex as the\n"
    "                       bytes given; --user: the per-user level (UserSettings,\n"
    "                       RpcUserSettings); --no-terminator: a text value stored without one\n"
    "  hide SETTING [--user]\n"
    "                       a binary-store entry with a negative status (no data)\n"
    "  unset SETTING [--user] [--text | --binary]\n"
    "  blob HEX [--user]    the whole RpcSettings (RpcUserSettings) as these bytes\n"
    "  clear                the cookie, every setting of both levels, both blobs\n"
    "  subkey [NAME]        show or write CurrentSubkey (written as \"Current\" by any\n"
    "                       change when it is missing)\n"
    "  show                 the store in use and every setting stored, as lines\n"
    "  SETTING: an identifier (24850 or 0x6112) or one of the names qlsim knows:\n"
    "  A_DIAG_EnableClientReports, A_DIAG_EnableBandwidthTest, A_DIAG_CustomTests,\n"
    "  A_VESEnableTrayMenu, A_VES_LocalityServerAddress\n";

std::wstring Below(const std::wstring& key, const wchar_t* subkey) { return key + L"\\" + subkey; }

std::vector<uint8_t> ReadBlobValue(const std::wstring& current, int level) {
    std::vector<uint8_t> blob;
    ReadChunked(current.c_str(), kSettingsBlobValues[level], blob);
    return blob;
}

bool WriteBlobValue(const std::wstring& current, int level, const std::vector<uint8_t>& blob) {
    return WriteChunked(current.c_str(), kSettingsBlobValues[level], blob) == ERROR_SUCCESS;
}

// The identifiers of the text store's values at one level, in order.
std::vector<uint32_t> TextSettings(const std::wstring& current, int level) {
    std::vector<std::wstring> names;
    std::vector<uint32_t> ids;
    ReadValueNames(Below(current, kSettingsTextSubkeys[level]).c_str(), names);
    for (const std::wstring& name : names) {
        uint32_t id;
        if (name.size() == 8 && std::all_of(name.begin(), name.end(), iswxdigit) && ParseNumber(L"0x" + name, id))
            ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

struct Options {
    bool user = false, text = false, binary = false, string = false, hex = false, noTerminator = false;
    Words positionals;
};

bool ParseOptions(const Words& words, Options& o) {
    for (size_t i = 1; i < words.size(); ++i) {
        const std::wstring& w = words[i];
        if (w == L"--user") o.user = true;
        else if (w == L"--text") o.text = true;
        else if (w == L"--binary") o.binary = true;
        else if (w == L"--string") o.string = true;
        else if (w == L"--hex") o.hex = true;
        else if (w == L"--no-terminator") o.noTerminator = true;
        else if (w.size() > 2 && w.compare(0, 2, L"--") == 0) return false;
        else o.positionals.push_back(w);
    }
    return !(o.text && o.binary) && !(o.string && o.hex);
}

// Every change is made below the current state key, which a machine without
// CurrentSubkey gets first; refusals come before that and change nothing.
bool ChangeableCurrentKey(std::wstring& current, int& exitCode) {
    if (EnsureCurrentStateKey(current)) return true;
    exitCode = Failed("write CurrentSubkey", ERROR_WRITE_FAULT);
    return false;
}

// Replaces every entry of the identifier in the blob with `entry`, or
// removes them when `entry` is null.
int EditBlob(const std::wstring& current, int level, uint32_t id, const BlobEntry* entry) {
    std::vector<BlobEntry> entries;
    if (!ReadBlob(ReadBlobValue(current, level), entries))
        return Refused("settings", "the stored blob is damaged; replace it with 'qlsim settings blob'");
    std::vector<BlobEntry> kept;
    for (const auto& e : entries)
        if (e.id != id) kept.push_back(e);
    if (entry) kept.push_back(*entry);
    BlobImage image;
    image.entries = kept;
    if (!WriteBlobValue(current, level, BuildBlob(image))) return Failed("write the binary store", ERROR_WRITE_FAULT);
    return kExitOk;
}

int Set(const Options& o, bool hide) {
    uint32_t id;
    if (o.positionals.size() != (hide ? 1u : 2u) || !ParseSetting(o.positionals[0], id)) return Usage(kUsage);
    std::wstring current;
    int exitCode;
    if (!ChangeableCurrentKey(current, exitCode)) return exitCode;
    const int level = o.user ? 1 : 0;
    const bool binary = hide || o.binary || (!o.text && !TextStoreInUse(current));
    if (!binary) {
        if (DWORD error = WriteText(Below(current, kSettingsTextSubkeys[level]).c_str(), SettingValueName(id).c_str(),
                                    o.positionals[1], !o.noTerminator))
            return Failed("write the text store", error);
    } else {
        BlobEntry entry;
        entry.id = id;
        if (hide) {
            entry.status = -1;
        } else if (o.hex) {
            std::vector<uint8_t> data;
            if (!ParseHex(o.positionals[1], data)) return Refused("settings", "--hex takes pairs of hexadecimal digits");
            entry.data = data;
        } else if (o.string) {
            entry.data = TextData(std::u16string(o.positionals[1].begin(), o.positionals[1].end()));
            if (o.noTerminator) entry.data.resize(entry.data.size() - 2);
        } else {
            int32_t number;
            if (!ParseSigned(o.positionals[1], number))
                return Refused("settings", "a number setting takes a 32-bit number (or use --string)");
            entry.data = NumberData(uint32_t(number));
        }
        if (int exitCode = EditBlob(current, level, id, &entry)) return exitCode;
    }
    printf("%s %s in the %s store%s\n", hide ? "hid" : "set", SettingLabel(id).c_str(), binary ? "binary" : "text",
           o.user ? " (user level)" : "");
    return kExitOk;
}

int Unset(const Options& o) {
    uint32_t id;
    if (o.positionals.size() != 1 || !ParseSetting(o.positionals[0], id)) return Usage(kUsage);
    std::wstring current;
    int exitCode;
    if (!ChangeableCurrentKey(current, exitCode)) return exitCode;
    const int level = o.user ? 1 : 0;
    if (o.binary || (!o.text && !TextStoreInUse(current))) {
        if (int exitCode = EditBlob(current, level, id, nullptr)) return exitCode;
    } else {
        RemoveValue(Below(current, kSettingsTextSubkeys[level]).c_str(), SettingValueName(id).c_str());
    }
    printf("unset %s\n", SettingLabel(id).c_str());
    return kExitOk;
}

int Show() {
    std::wstring current;
    if (!CurrentStateKey(current)) {
        printf("no CurrentSubkey: no store is in use\n");
        return kExitOk;
    }
    printf("current state key: HKLM\\%ls\n", current.c_str());
    printf("store in use:      %s\n", TextStoreInUse(current) ? "text (the cookie is set)" : "binary (no cookie)");
    for (int level = 0; level < 2; ++level) {
        const char* levelName = level ? "user" : "";
        for (uint32_t id : TextSettings(current, level)) {
            std::wstring text;
            if (ReadText(Below(current, kSettingsTextSubkeys[level]).c_str(), SettingValueName(id).c_str(), text))
                printf("text   %-6s %s = %s\n", levelName, SettingLabel(id).c_str(), Quoted(text).c_str());
        }
        std::vector<BlobEntry> entries;
        std::vector<uint8_t> blob = ReadBlobValue(current, level);
        if (!ReadBlob(blob, entries))
            printf("binary %-6s %ls is damaged (%zu bytes)\n", levelName, kSettingsBlobValues[level], blob.size());
        for (const auto& e : entries) {
            std::string shown = e.status < 0 ? "(no data, status " + std::to_string(e.status) + ")"
                                             : HexBytes(e.data, " ");
            uint32_t number;
            if (e.status >= 0 && e.data.size() == 4 && NumberFromData(e.data, number))
                shown += " = " + std::to_string(int32_t(number));
            printf("binary %-6s %s: %s\n", levelName, SettingLabel(e.id).c_str(), shown.c_str());
        }
    }
    return kExitOk;
}

int SelectStore(bool text) {
    static const std::vector<uint8_t> kCookieBytes = {'q', 'l', 's', 'i', 'm', 0, 0, 1};
    std::wstring current;
    int exitCode;
    if (!ChangeableCurrentKey(current, exitCode)) return exitCode;
    const std::wstring settings = Below(current, kSettingsTextSubkeys[0]);
    if (DWORD error = text ? WriteChunked(settings.c_str(), kSettingsCookie, kCookieBytes)
                           : RemoveValue(settings.c_str(), kSettingsCookie))
        return Failed("write the cookie", error);
    printf("the %s store is in use\n", text ? "text" : "binary");
    return kExitOk;
}

int WriteWholeBlob(const std::wstring& hex, int level) {
    std::vector<uint8_t> bytes;
    if (!ParseHex(hex, bytes)) return Refused("settings", "blob takes pairs of hexadecimal digits");
    std::wstring current;
    int exitCode;
    if (!ChangeableCurrentKey(current, exitCode)) return exitCode;
    if (!WriteBlobValue(current, level, bytes)) return Failed("write the binary store", ERROR_WRITE_FAULT);
    printf("wrote %zu bytes to %ls\n", bytes.size(), kSettingsBlobValues[level]);
    return kExitOk;
}

int Clear() {
    std::wstring current;
    int exitCode;
    if (!ChangeableCurrentKey(current, exitCode)) return exitCode;
    for (int level = 0; level < 2; ++level) {
        DeleteKeyTree(Below(current, kSettingsTextSubkeys[level]).c_str());
        RemoveValue(current.c_str(), kSettingsBlobValues[level]);
    }
    printf("cleared\n");
    return kExitOk;
}

int Subkey(const Words& words) {
    constexpr wchar_t kName[] = L"CurrentSubkey";
    if (words.size() == 2) {
        if (DWORD error = WriteText(kClientStateKey, kName, words[1])) return Failed("write CurrentSubkey", error);
    }
    std::wstring name;
    if (!ReadText(kClientStateKey, kName, name)) {
        printf("(none)\n");
        return kExitFailed;
    }
    printf("%s\n", Quoted(name).c_str());
    return kExitOk;
}

}  // namespace

int CommandSettings(const Words& words) {
    if (WantsHelp(words) || words.empty()) return HelpOrUsage(words, kUsage);
    const std::wstring& verb = words[0];
    Options o;
    if (!ParseOptions(words, o)) return Usage(kUsage);
    if (verb == L"show" && words.size() == 1) return Show();
    if (verb == L"subkey" && words.size() <= 2) return Subkey(words);
    if (verb == L"set") return Set(o, false);
    if (verb == L"hide") return Set(o, true);
    if (verb == L"unset") return Unset(o);
    if (verb == L"store" && words.size() == 2 && (words[1] == L"text" || words[1] == L"binary"))
        return SelectStore(words[1] == L"text");
    if (verb == L"blob" && o.positionals.size() == 1) return WriteWholeBlob(o.positionals[0], o.user ? 1 : 0);
    if (verb == L"clear" && words.size() == 1) return Clear();
    return Usage(kUsage);
}

}  // namespace qlsim
