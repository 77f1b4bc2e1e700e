#include "vb_module.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace sdkcheck {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The line without its comment: an apostrophe outside a string literal.
std::string withoutComment(const std::string& line) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == '\'' && !quoted) return line.substr(0, i);
    }
    return line;
}

VbParameter readParameter(const std::string& text, const std::string& where) {
    static const std::regex form(R"(^(?:Optional\s+)?(?:(ByVal|ByRef)\s+)?(\w+)(\(\))?(?:\s+As\s+(\w+))?$)",
                                 std::regex::icase);
    std::smatch m;
    const std::string t = trim(text);
    if (!std::regex_match(t, m, form)) throw std::runtime_error(where + ": cannot read the argument '" + t + "'");
    VbParameter p;
    p.byVal = lower(m[1]) == "byval";
    p.name = m[2];
    p.type = m[4].matched ? std::string(m[4]) : "Variant";
    return p;
}

struct Branch {
    std::string condition;  // lower case, e.g. "vba7"
    bool inElse = false;
};

}  // namespace

VbModule readVbModule(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    static const std::regex declareForm(
        R"re(^(?:(?:Public|Private)\s+)?Declare\s+(PtrSafe\s+)?(Function|Sub)\s+(\w+)\s+Lib\s+"([^"]*)"\s*(?:Alias\s+"([^"]*)"\s*)?\((.*)\)(?:\s+As\s+(\w+))?$)re",
        std::regex::icase);
    static const std::regex constantForm(R"(^(?:(?:Public|Private)\s+)?Const\s+(\w+)\s+As\s+(\w+)\s*=\s*(-?\d+)$)",
                                         std::regex::icase);
    static const std::regex ifForm(R"(^#If\s+(\w+)\s+Then$)", std::regex::icase);

    VbModule module;
    std::vector<Branch> branches;
    std::string raw, statement;
    int number = 0, statementLine = 0;
    while (std::getline(in, raw)) {
        ++number;
        std::string line = trim(withoutComment(raw));
        if (statement.empty()) statementLine = number;
        // A trailing " _" continues the statement on the next line.
        if (line.size() >= 2 && line.compare(line.size() - 2, 2, " _") == 0) {
            statement += line.substr(0, line.size() - 1);
            continue;
        }
        statement += line;
        const std::string text = trim(statement);
        statement.clear();
        const std::string where = path + ":" + std::to_string(statementLine);
        std::smatch m;
        if (text.empty()) continue;
        if (std::regex_match(text, m, ifForm)) {
            branches.push_back({lower(m[1]), false});
        } else if (lower(text) == "#else") {
            if (branches.empty()) throw std::runtime_error(where + ": #Else without #If");
            branches.back().inElse = true;
        } else if (lower(text) == "#end if") {
            if (branches.empty()) throw std::runtime_error(where + ": #End If without #If");
            branches.pop_back();
        } else if (text[0] == '#') {
            throw std::runtime_error(where + ": a directive this check does not know: " + text);
        } else if (std::regex_search(text, std::regex(R"(\bDeclare\b)", std::regex::icase))) {
            if (!std::regex_match(text, m, declareForm)) throw std::runtime_error(where + ": cannot read " + text);
            VbDeclare d;
            d.line = statementLine;
            d.ptrSafe = m[1].matched;
            d.name = m[3];
            d.lib = m[4];
            d.entry = m[5].matched ? std::string(m[5]) : d.name;
            if (lower(m[2]) == "function") d.returnType = m[7].matched ? std::string(m[7]) : "Variant";
            const std::string arguments = trim(m[6]);
            for (size_t start = 0; !arguments.empty();) {
                const size_t comma = arguments.find(',', start);
                d.parameters.push_back(readParameter(arguments.substr(start, comma - start), where));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
            for (const Branch& b : branches) {
                if (b.condition == "vba7" && !b.inElse) d.vba7 = true;
                if (b.condition == "win64" && !b.inElse) d.win64 = true;
            }
            module.declares.push_back(d);
        } else if (std::regex_match(text, m, constantForm)) {
            module.constants.push_back({m[1], m[2], std::stol(m[3])});
        }
    }
    if (!branches.empty()) throw std::runtime_error(path + ": #If without #End If");
    return module;
}

unsigned x86ArgumentBytes(const VbDeclare& declare) {
    unsigned bytes = 0;
    for (const VbParameter& p : declare.parameters) {
        const std::string type = lower(p.type);
        if (!p.byVal)
            bytes += 4;
        else if (type == "currency" || type == "double" || type == "date" || type == "longlong")
            bytes += 8;
        else if (type == "variant")
            bytes += 16;
        else
            bytes += 4;  // Long, LongPtr (32-bit Office), Integer, Byte, Boolean, Single, String
    }
    return bytes;
}

}  // namespace sdkcheck
