// The functions the public header declares through QLCLAPI_DECLARE, with the
// types of their results and arguments, and the values of its enumerators.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace sdkcheck {

struct HeaderFunction {
    std::string name;
    std::string convention;               // QLCLAPI_CALL or QLCLAPI_VBCALL
    std::string result;                   // normalised: "void*", "QlUInt32"
    std::vector<std::string> parameters;  // types only, normalised: "const char*"
};

struct PublicHeader {
    std::map<std::string, HeaderFunction> functions;
    std::map<std::string, long> enumerators;
};

// Throws std::runtime_error for a declaration it cannot read.
PublicHeader readPublicHeader(const std::string& path);

}  // namespace sdkcheck
