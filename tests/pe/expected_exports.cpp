#include "expected_exports.h"

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace pecheck {

namespace {

ExpectedExport parseLine(const std::string& name, const std::string& kind, const std::string& where) {
    ExpectedExport e;
    e.name = name;
    if (kind == "cdecl") {
        e.kind = ExpectedExport::Cdecl;
    } else if (kind.rfind("stdcall@", 0) == 0 && kind.size() > 8 &&
               kind.find_first_not_of("0123456789", 8) == std::string::npos) {
        e.kind = ExpectedExport::Stdcall;
        e.argumentBytes = unsigned(std::stoul(kind.substr(8)));
    } else if (kind.rfind("alias:", 0) == 0 && kind.size() > 6) {
        e.kind = ExpectedExport::Alias;
        e.aliasOf = kind.substr(6);
    } else {
        throw std::runtime_error(where + ": unknown convention '" + kind + "'");
    }
    return e;
}

}  // namespace

std::vector<ExpectedExport> loadExpectedExports(const std::string& directory) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(directory.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string file = entry->d_name;
            if (file.size() > 4 && file.compare(file.size() - 4, 4, ".txt") == 0) files.push_back(file);
        }
        closedir(dir);
    }
    if (files.empty()) throw std::runtime_error("no export lists in " + directory);
    std::sort(files.begin(), files.end());

    std::vector<ExpectedExport> all;
    for (const std::string& file : files) {
        std::ifstream in(directory + "/" + file);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream words(line);
            std::string name, kind, extra;
            words >> name >> kind;
            if (name.empty()) continue;
            const std::string where = file + ":" + std::to_string(number);
            if (kind.empty() || (words >> extra)) throw std::runtime_error(where + ": want 'name convention'");
            all.push_back(parseLine(name, kind, where));
        }
    }
    return all;
}

}  // namespace pecheck
