// A reader for the Declare statements and constants of a Visual Basic
// module, with the conditional-compilation branch each one sits in.
#pragma once

#include <string>
#include <vector>

namespace sdkcheck {

struct VbParameter {
    bool byVal = false;  // ByRef when neither is written
    std::string name;
    std::string type;    // "Variant" when no As clause is written
};

struct VbDeclare {
    int line = 0;
    std::string name;
    std::string entry;  // the Alias, else the name
    std::string lib;
    bool ptrSafe = false;
    bool vba7 = false;   // inside #If VBA7 Then (not its #Else)
    bool win64 = false;  // inside #If Win64 Then
    std::string returnType;  // empty for a Sub
    std::vector<VbParameter> parameters;
};

struct VbConstant {
    std::string name;
    std::string type;
    long value = 0;
};

struct VbModule {
    std::vector<VbDeclare> declares;
    std::vector<VbConstant> constants;
};

// Throws std::runtime_error, naming the line, for a Declare or a directive
// it cannot read.
VbModule readVbModule(const std::string& path);

// The bytes a Declare's arguments take on the 32-bit stack: a ByRef argument
// is an address (4), a ByVal one its value, widened to at least 4 bytes.
unsigned x86ArgumentBytes(const VbDeclare& declare);

}  // namespace sdkcheck
