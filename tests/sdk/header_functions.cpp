#include "header_functions.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace sdkcheck {

namespace {

std::string withoutComments(const std::string& text) {
    static const std::regex comments(R"(/\*[\s\S]*?\*/|//[^\n]*)");
    return std::regex_replace(text, comments, " ");
}

// "const  wchar_t * first" without its name is "const wchar_t*".
std::string normalisedType(std::string text) {
    text = std::regex_replace(text, std::regex(R"(\s*\*\s*)"), "*");
    text = std::regex_replace(text, std::regex(R"(\s+)"), " ");
    text = std::regex_replace(text, std::regex(R"(^ | $)"), "");
    return text;
}

std::vector<std::string> splitTopLevel(const std::string& text) {
    std::vector<std::string> parts(1);
    int depth = 0;
    for (char c : text) {
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ',' && depth == 0)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

}  // namespace

PublicHeader readPublicHeader(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = withoutComments(buffer.str());

    PublicHeader header;
    static const std::regex use(R"((^|[^\w#])QLCLAPI_DECLARE\s*\()");
    for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it) {
        const size_t open = size_t(it->position(0) + it->length(0));
        if (text.rfind("#define", open) != std::string::npos &&
            text.find('\n', text.rfind("#define", open)) > open)
            continue;  // the macro's own definition
        int depth = 1;
        size_t close = open;
        for (; close < text.size() && depth > 0; ++close) depth += text[close] == '(' ? 1 : text[close] == ')' ? -1 : 0;
        const std::vector<std::string> fields = splitTopLevel(text.substr(open, close - 1 - open));
        if (fields.size() != 4) throw std::runtime_error("cannot read a QLCLAPI_DECLARE near offset " + std::to_string(open));
        HeaderFunction f;
        f.result = normalisedType(fields[0]);
        f.convention = normalisedType(fields[1]);
        f.name = normalisedType(fields[2]);
        std::string parameters = normalisedType(fields[3]);
        if (parameters.size() < 2 || parameters.front() != '(' || parameters.back() != ')')
            throw std::runtime_error(f.name + ": arguments not in parentheses");
        parameters = parameters.substr(1, parameters.size() - 2);
        if (normalisedType(parameters) != "void")
            for (const std::string& p : splitTopLevel(parameters)) {
                // The type is all but the argument's name.
                std::smatch m;
                const std::string one = normalisedType(p);
                if (!std::regex_match(one, m, std::regex(R"((.*[\w*])\s*\b(\w+)$)")))
                    throw std::runtime_error(f.name + ": cannot read the argument '" + one + "'");
                f.parameters.push_back(normalisedType(m[1]));
            }
        header.functions[f.name] = f;
    }
    static const std::regex enumerator(R"(\b(QL_\w+)\s*=\s*(-?\d+))");
    for (std::sregex_iterator it(text.begin(), text.end(), enumerator), end; it != end; ++it)
        header.enumerators[(*it)[1]] = std::stol((*it)[2]);
    return header;
}

}  // namespace sdkcheck
