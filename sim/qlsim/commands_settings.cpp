// settings: the client's settings stores, written as the client writes
// them: the cookie that selects the store, the text store (one value per
// setting in Settings and UserSettings) and the binary store (the
// SettingsBlobs RpcSettings and RpcUserSettings), all below the current
// state key named by CurrentSubkey.
#include <windows.h>

#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "config/client_key_win.h"
#include "core/win_resource_win.h"
#include "config/settings_catalogue.h"
#include "config/settings_store_win.h"
#include "quoted.h"
#include "registry_raw.h"
#include "settings_blob_image.h"

namespace qlsim {

namespace {

using namespace qlclapi;

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
    "  SETTING: a name from the client's catalogue (A_DIAG_EnableClientReports) or an\n"
    "  identifier (24850 or 0x6112)\n";

constexpr wchar_t kCookie[] = L"Cookie";
const wchar_t* kTextSubkeys[2] = {L"Settings", L"UserSettings"};
const wchar_t* kBlobValues[2] = {L"RpcSettings", L"RpcUserSettings"};

const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

bool ParseSetting(const std::wstring& word, uint32_t& id) {
    if (const SettingDefinition* entry = FindSettingByName(reinterpret_cast<const char16_t*>(word.c_str()))) {
        id = entry->id;
        return true;
    }
    return ParseNumber(word, id);
}

std::wstring ValueName(uint32_t id) {
    char16_t name[kSettingIdUnits];
    FormatSettingId(id, name, kSettingIdUnits);
    return W(name);
}

std::string SettingLabel(uint32_t id) {
    const SettingDefinition* entry = FindSetting(id);
    std::string label = std::to_string(id);
    if (entry) label += " " + std::string(entry->name, entry->name + std::char_traits<char16_t>::length(entry->name));
    return label;
}

// The current state key needs CurrentSubkey; a machine without one gets
// the name the client uses on a fresh install.
bool EnsureCurrentSubkey() {
    wchar_t path[256];
    if (GetClientKeyPath(kClientCurrent, nullptr, path, 256) == kConfigOk) return true;
    return WriteClientString(L"Current", L"CurrentSubkey", nullptr, kClientState) == kConfigOk;
}

bool CookiePresent() {
    uint32_t bytes = 0;
    ReadClientBinary(nullptr, &bytes, kCookie, kTextSubkeys[0], kClientCurrent);
    return bytes != 0;
}

std::vector<uint8_t> ReadBlobValue(int level) {
    uint32_t bytes = 0;
    if (ReadClientBinary(nullptr, &bytes, kBlobValues[level], nullptr, kClientCurrent) != kConfigOk || !bytes)
        return {};
    std::vector<uint8_t> blob(bytes);
    ReadClientBinary(blob.data(), &bytes, kBlobValues[level], nullptr, kClientCurrent);
    blob.resize(bytes < blob.size() ? bytes : blob.size());
    return blob;
}

bool WriteBlobValue(int level, const std::vector<uint8_t>& blob) {
    return WriteClientBinary(blob.data(), uint32_t(blob.size()), kBlobValues[level], nullptr, kClientCurrent) ==
           kConfigOk;
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

// Replaces every entry of the identifier in the blob with `entry`, or
// removes them when `entry` is null.
int EditBlob(int level, uint32_t id, const BlobEntry* entry) {
    std::vector<BlobEntry> entries;
    if (!ReadBlob(ReadBlobValue(level), entries))
        return Refused("settings", "the stored blob is damaged; replace it with 'qlsim settings blob'");
    std::vector<BlobEntry> kept;
    for (const auto& e : entries)
        if (e.id != id) kept.push_back(e);
    if (entry) kept.push_back(*entry);
    BlobImage image;
    image.entries = kept;
    if (!WriteBlobValue(level, BuildBlob(image))) return Failed("write the binary store", ERROR_WRITE_FAULT);
    return kExitOk;
}

int Set(const Options& o, bool hide) {
    uint32_t id;
    if (o.positionals.size() != (hide ? 1u : 2u) || !ParseSetting(o.positionals[0], id)) return Usage(kUsage);
    if (!EnsureCurrentSubkey()) return Failed("write CurrentSubkey", ERROR_WRITE_FAULT);
    const int level = o.user ? 1 : 0;
    const bool binary = hide || o.binary || (!o.text && !CookiePresent());
    if (!binary) {
        const std::wstring& value = o.positionals[1];
        RegistryKey key(OpenClientKey(kClientCurrent, true, kTextSubkeys[level]));
        const DWORD bytes = DWORD((value.size() + (o.noTerminator ? 0 : 1)) * sizeof(wchar_t));
        if (!key || !SetRawValue(key.get(), ValueName(id).c_str(), REG_SZ, value.c_str(), bytes))
            return Failed("write the text store", ERROR_WRITE_FAULT);
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
        if (int exitCode = EditBlob(level, id, &entry)) return exitCode;
    }
    printf("%s %s in the %s store%s\n", hide ? "hid" : "set", SettingLabel(id).c_str(), binary ? "binary" : "text",
           o.user ? " (user level)" : "");
    return kExitOk;
}

int Unset(const Options& o) {
    uint32_t id;
    if (o.positionals.size() != 1 || !ParseSetting(o.positionals[0], id)) return Usage(kUsage);
    if (!EnsureCurrentSubkey()) return Failed("write CurrentSubkey", ERROR_WRITE_FAULT);
    const int level = o.user ? 1 : 0;
    if (o.binary || (!o.text && !CookiePresent())) {
        if (int exitCode = EditBlob(level, id, nullptr)) return exitCode;
    } else {
        DeleteClientValue(ValueName(id).c_str(), kTextSubkeys[level], kClientCurrent);
    }
    printf("unset %s\n", SettingLabel(id).c_str());
    return kExitOk;
}

int Show() {
    wchar_t path[256] = L"";
    if (GetClientKeyPath(kClientCurrent, nullptr, path, 256) != kConfigOk) {
        printf("no CurrentSubkey: no store is in use\n");
        return kExitOk;
    }
    printf("current state key: HKLM\\%ls\n", path);
    printf("store in use:      %s\n", CookiePresent() ? "text (the cookie is set)" : "binary (no cookie)");
    for (int level = 0; level < 2; ++level) {
        for (const SettingDefinition& entry : kSettingCatalogue) {
            wchar_t text[256] = {};
            uint32_t units = 255;
            if (ReadClientString(text, &units, ValueName(entry.id).c_str(), kTextSubkeys[level], kClientCurrent) ==
                kConfigOk)
                printf("text   %-6s %s = %s\n", level ? "user" : "", SettingLabel(entry.id).c_str(),
                       Quoted(std::wstring(text)).c_str());
        }
        std::vector<BlobEntry> entries;
        std::vector<uint8_t> blob = ReadBlobValue(level);
        if (!ReadBlob(blob, entries)) printf("binary %-6s %ls is damaged (%zu bytes)\n", level ? "user" : "", kBlobValues[level], blob.size());
        for (const auto& e : entries) {
            std::string shown = e.status < 0 ? "(no data, status " + std::to_string(e.status) + ")"
                                             : HexBytes(e.data, " ");
            if (e.status >= 0 && e.data.size() == 4)
                shown += " = " + std::to_string(int32_t(uint32_t(e.data[0]) | e.data[1] << 8 | e.data[2] << 16 |
                                                        uint32_t(e.data[3]) << 24));
            printf("binary %-6s %s: %s\n", level ? "user" : "", SettingLabel(e.id).c_str(), shown.c_str());
        }
    }
    return kExitOk;
}

}  // namespace

int CommandSettings(const Words& words) {
    if (WantsHelp(words) || words.empty()) return HelpOrUsage(words, kUsage);
    const std::wstring& verb = words[0];
    Options o;
    if (!ParseOptions(words, o)) return Usage(kUsage);
    if (verb == L"show" && words.size() == 1) return Show();
    if (verb == L"set") return Set(o, false);
    if (verb == L"hide") return Set(o, true);
    if (verb == L"unset") return Unset(o);
    if (verb == L"subkey" && words.size() <= 2) {
        if (words.size() == 2) {
            if (WriteClientString(words[1].c_str(), L"CurrentSubkey", nullptr, kClientState) != kConfigOk)
                return Failed("write CurrentSubkey", ERROR_WRITE_FAULT);
        }
        wchar_t name[256] = {};
        uint32_t units = 255;
        if (ReadClientString(name, &units, L"CurrentSubkey", nullptr, kClientState) != kConfigOk) {
            printf("(none)\n");
            return kExitFailed;
        }
        printf("%s\n", Quoted(std::wstring(name)).c_str());
        return kExitOk;
    }
    if (!EnsureCurrentSubkey()) return Failed("write CurrentSubkey", ERROR_WRITE_FAULT);
    if (verb == L"store" && words.size() == 2 && (words[1] == L"text" || words[1] == L"binary")) {
        static const uint8_t kCookieBytes[] = {'q', 'l', 's', 'i', 'm', 0, 0, 1};
        ConfigStatus status = words[1] == L"text"
                                  ? WriteClientBinary(kCookieBytes, sizeof kCookieBytes, kCookie, kTextSubkeys[0], kClientCurrent)
                                  : (DeleteClientValue(kCookie, kTextSubkeys[0], kClientCurrent), kConfigOk);
        if (status != kConfigOk) return Failed("write the cookie", ERROR_WRITE_FAULT);
        printf("the %ls store is in use\n", words[1].c_str());
        return kExitOk;
    }
    if (verb == L"blob" && o.positionals.size() == 1) {
        std::vector<uint8_t> bytes;
        if (!ParseHex(o.positionals[0], bytes)) return Refused("settings", "blob takes pairs of hexadecimal digits");
        if (!WriteBlobValue(o.user ? 1 : 0, bytes)) return Failed("write the binary store", ERROR_WRITE_FAULT);
        printf("wrote %zu bytes to %ls\n", bytes.size(), kBlobValues[o.user ? 1 : 0]);
        return kExitOk;
    }
    if (verb == L"clear" && words.size() == 1) {
        // The client's own clearing of the text store, for both levels.
        for (int level = 0; level < 2; ++level) {
            ClearSettingsText(kTextSubkeys[level]);
            DeleteClientValue(kBlobValues[level], nullptr, kClientCurrent);
            DeleteClientValue((std::wstring(kBlobValues[level]) + L"__0").c_str(), nullptr, kClientCurrent);
        }
        printf("cleared\n");
        return kExitOk;
    }
    return Usage(kUsage);
}

}  // namespace qlsim
