// Checks one line of qlctl's --json output.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace qltest {

// Success when `line` is one flat JSON object (string, integer, true/false
// and null values) with its members in strictly ascending order of their names.
testing::AssertionResult IsSortedJsonObject(const std::string& line);

}  // namespace qltest
