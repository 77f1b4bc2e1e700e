// qlstrings: the build's string tool. Runs on the build machine.
//
//   qlstrings rc SOURCE OUTPUT LANGID       resource script of SOURCE's texts
//                                           in language LANGID (e.g. 0x0409)
//   qlstrings pseudo SOURCE OUTPUT [PERCENT]  the pseudo-locale of SOURCE, as
//                                           a source again (PERCENT longer, 40)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "resources/strings/string_source.h"
#include "tools/qlstrings/pseudo_locale.h"
#include "tools/qlstrings/rc_writer.h"

namespace {

int Usage() {
    fputs("usage: qlstrings rc SOURCE OUTPUT LANGID\n"
          "       qlstrings pseudo SOURCE OUTPUT [PERCENT]\n",
          stderr);
    return 2;
}

bool ParseNumber(const char* text, unsigned long limit, unsigned long& value) {
    char* end = nullptr;
    value = strtoul(text, &end, 0);
    return *text && end && !*end && value <= limit;
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Usage();
    const std::string mode = argv[1], sourcePath = argv[2], outputPath = argv[3];
    qlstrings::StringSource source = qlstrings::ReadStringSourceFile(sourcePath);
    if (!source.error.empty()) {
        fprintf(stderr, "qlstrings: %s\n", source.error.c_str());
        return 1;
    }
    unsigned long number = 0;
    std::string output;
    if (mode == "rc" && argc == 5 && ParseNumber(argv[4], 0xFFFF, number)) {
        output = qlstrings::ResourceScript(source.entries, static_cast<uint16_t>(number), BaseName(sourcePath));
    } else if (mode == "pseudo" && argc <= 5 && (argc == 4 || ParseNumber(argv[4], 10000, number))) {
        unsigned percent = argc == 5 ? unsigned(number) : 40;
        output = qlstrings::FormatStringSource(
            qlstrings::PseudoLocalize(source.entries, percent),
            "# The pseudo-locale of " + BaseName(sourcePath) + ", made by qlstrings: do not edit.\n");
    } else {
        return Usage();
    }
    std::ofstream out(outputPath, std::ios::binary | std::ios::trunc);
    out << output;
    out.close();
    if (!out) {
        fprintf(stderr, "qlstrings: cannot write %s\n", outputPath.c_str());
        return 1;
    }
    return 0;
}
