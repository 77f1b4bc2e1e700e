#include "arguments.h"

#include "output.h"

namespace qlctl {

namespace {

bool LooksLikeOption(const std::wstring& word) { return word.size() > 1 && word[0] == L'-'; }

// An unknown option's name, cut short: the word may be a mistyped secret.
std::string QuotedName(const std::wstring& name) {
    return "'" + Utf8(name.size() > 32 ? name.substr(0, 32) + L"..." : name) + "'";
}

}  // namespace

bool Arguments::parse(const Words& words, const std::vector<KnownOption>& known, std::string& problem) {
    options_.clear();
    positionals_.clear();
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::wstring& word = words[i];
        if (optionsEnded || !LooksLikeOption(word)) {
            positionals_.push_back(word);
            continue;
        }
        if (word == L"--") {
            optionsEnded = true;
            continue;
        }
        size_t equals = word.find(L'=');
        std::wstring name = word.substr(0, equals);
        const KnownOption* option = nullptr;
        for (const KnownOption& s : known)
            if (name == s.name) option = &s;
        if (!option) {
            problem = "unknown option " + QuotedName(name);
            return false;
        }
        if (options_.count(name)) {
            problem = "option " + Utf8(name) + " is given twice";
            return false;
        }
        std::wstring value;
        if (!option->takesValue) {
            if (equals != std::wstring::npos) {
                problem = "option " + Utf8(name) + " takes no value";
                return false;
            }
        } else if (equals != std::wstring::npos) {
            value = word.substr(equals + 1);
        } else if (i + 1 < words.size() && !LooksLikeOption(words[i + 1])) {
            value = words[++i];
        } else {
            problem = "option " + Utf8(name) + " needs a value";
            return false;
        }
        options_[name] = value;
    }
    return true;
}

const std::wstring* Arguments::value(const wchar_t* name) const {
    auto found = options_.find(name);
    return found == options_.end() ? nullptr : &found->second;
}

bool IsHelpWord(const std::wstring& word) {
    return word == L"--help" || word == L"-h" || word == L"-?" || word == L"/?";
}

bool WantsHelp(const Words& words) {
    for (const auto& word : words) {
        if (word == L"--") return false;
        if (IsHelpWord(word)) return true;
    }
    return false;
}

bool ParseCount(const std::wstring& text, uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t parsed = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        parsed = parsed * 10 + uint64_t(c - L'0');
    }
    if (parsed == 0 || parsed > 0xFFFFFFFFu) return false;
    value = uint32_t(parsed);
    return true;
}

}  // namespace qlctl
