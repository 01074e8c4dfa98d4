// Names of statement classes and sub classes as the execution-parameters page
// and the STATEMENT option use them (the classifier's class table holds them).
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace ksfort {

// The class of a class name written without blanks (classes 1-86).
std::optional<int> classByName(std::string_view name);
// Display name of a class (-5 to 86); empty for an unknown class.
std::string_view classDisplayName(int cls);
// Sub-class name of DO, GO TO, IF, READ or WRITE; empty when there is none.
std::string_view subClassName(int cls, int sub);

}  // namespace ksfort
