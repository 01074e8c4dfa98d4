// Look-ups over the statement class texts (STMEDT) and the keyword dictionary
// for the option parser and the reports: a class by its name, a class's
// display name and tag, and the sub-class names and short codes.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace ksfort {

// Class code (1-86) whose name written without blanks equals name ("GOTO",
// "READ", "SELECTCASE"), letters compared in either case; -1 when none.
std::int32_t findClassName(std::string_view name);

// Display name of a class code (-5 to 86) without padding; empty outside.
std::string_view classDisplayName(std::int32_t cls);

// Tag of the classification summary: "ERR " (-5), "STMF" (-1), "ASTM" (0),
// four blanks for the other classes.
std::string_view classTag(std::int32_t cls);

// Number of sub classes of a class: DO 4, GO TO 3, IF 3, WHERE 2,
// ELSEWHERE 2, the I/O statements 4, any other class 0.
int subClassCount(std::int32_t cls);

// The printed name of a sub class (1 to subClassCount) with its three leading
// blanks, as in "   COMPUTED GO TO"; READ, WRITE and the other I/O
// statements share theirs. Empty for a class without that sub class.
std::string_view subClassName(std::int32_t cls, std::int32_t sub);

// Short code of a sub class ("DO.1", "GT.3", "IF.2", "RD.4", "WR.1", "WH.1",
// "EW.2"); empty for other classes, including the I/O statements other than
// READ and WRITE.
std::string_view subClassCode(std::int32_t cls, std::int32_t sub);

// The STATEMENT option's selection for a class word, or nothing: a class
// name (class x 100: READ 7100), "ERR" (-500), "STMF" (-100), "ASTM" (0), or
// a sub-class code DO.1-DO.4, GT.1-GT.3, IF.1-IF.3, RD.1-RD.4, WR.1-WR.4
// (class x 100 + sub class: GT.2 4502). Letters compared in either case.
std::optional<std::int32_t> statementSelection(std::string_view word);

}  // namespace ksfort
