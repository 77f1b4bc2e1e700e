#include "support/sorted_json.h"

#include <regex>

namespace qltest {

testing::AssertionResult IsSortedJsonObject(const std::string& line) {
    const std::string text = R"("(?:[^"\\\x00-\x1f]|\\["\\/bfnrt]|\\u[0-9a-fA-F]{4})*")";
    const std::string member = "(" + text + "):(?:" + text + "|-?(?:0|[1-9][0-9]*)|true|false|null)";
    if (!std::regex_match(line, std::regex("\\{(?:" + member + "(?:," + member + ")*)?\\}")))
        return testing::AssertionFailure() << "not a flat JSON object: " << line;
    std::regex memberPattern("[{,]" + member);
    std::string previous;
    for (std::sregex_iterator it(line.begin(), line.end(), memberPattern), end; it != end; ++it) {
        if (!previous.empty() && !(previous < (*it)[1].str()))
            return testing::AssertionFailure() << "member " << (*it)[1] << " out of order in " << line;
        previous = (*it)[1].str();
    }
    return testing::AssertionSuccess();
}

}  // namespace qltest
