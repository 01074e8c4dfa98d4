// The texts the listings print for the statement classes: the display name of
// every class code (31-character fields), the tags of the classification
// summary, and the sub-class table (printed names with their three leading
// blanks, short codes); with the look-ups over them for the option parser, the
// trace and the reports.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "lex/statement_class.h"

namespace ksfort {

inline constexpr int kClassNameWidth = 31;

// Display names in code order; index = classIndex(class).
inline constexpr std::array<std::string_view, kClassCount> kClassDisplayNames = {
    "UNCLASSIFIED STATEMENT(ERROR)",  // -5
    "COMMENT CARDS",
    "COMMENT CARDS(ASTERISK)",
    "CONTINUATION",
    "STATEMENT FUNCTION",
    "ASSIGNMENT STATEMENT",  // 0
    "ASSIGN",
    "AT",
    "BACK SPACE",
    "BLOCK DATA",
    "CONTINUE",  // 5
    "COMMON",
    "CALL",
    "CHARACTER FUNCTION",
    "CHARACTER",
    "CLOSE",  // 10
    "COMPLEX FUNCTION",
    "COMPLEX",
    "CYCLE",
    "CASE DEFAULT",
    "CASE",  // 15
    "DOUBLE PRECISION FUNCTION",
    "DOUBLE PRECISION",
    "DO",
    "DIMENSION",
    "DATA",  // 20
    "DECODE",
    "DEBUG",
    "DEFINE FILE",
    "DISPLAY",
    "DELETE",  // 25
    "END IF",
    "ELSE IF",
    "END FILE",
    "ENCODE",
    "ENTRY",  // 30
    "EQUIVALENCE",
    "EXTERNAL",
    "EJECT",
    "ELSEWHERE",
    "ELSE",  // 35
    "EXIT",
    "END DO",
    "END SELECT",
    "END WHERE",
    "END DEBUG",  // 40
    "END",
    "FORMAT",
    "FUNCTION",
    "FIND",
    "GO TO",  // 45
    "IF",
    "INTEGER FUNCTION",
    "INTEGER",
    "INCLUDE",
    "IMPLICIT",  // 50
    "INTRINSIC",
    "INQUIRE",
    "INIT ON",
    "INIT OFF",
    "LOGICAL FUNCTION",  // 55
    "LOGICAL",
    "LIST ON",
    "LIST OFF",
    "NCHARACTER FUNCTION",
    "NCHARACTER",  // 60
    "NAME LIST",
    "OPEN",
    "PARAMETER",
    "PAUSE",
    "PRINT",  // 65
    "PROCESS",
    "PROGRAM",
    "PUNCH",
    "QUADRUPLE PRECISION FUNCTION",
    "QUADRUPLE PRECISION",  // 70
    "READ",
    "RETURN",
    "REAL FUNCTION",
    "REAL",
    "REWIND",  // 75
    "REWRITE",
    "REPEAT",
    "STOP",
    "SUBROUTINE",
    "SAVE",  // 80
    "SELECT  CASE",
    "TRACE ON",
    "TRACE OFF",
    "WRITE",
    "WAIT",  // 85
    "WHERE",
};

// A class with sub classes: its printed sub-class names and short codes, in
// sub-class order. The rows' order is the order of the sub-class counts.
struct SubClassGroup {
  StatementClass cls;
  int count;
  std::array<std::string_view, 4> names;
  std::array<std::string_view, 4> codes;
  bool selectable;  // the STATEMENT option accepts the short codes
};

inline constexpr std::array<SubClassGroup, 7> kSubClassGroups = {{
    {StatementClass::kDo,
     4,
     {"   DO ... X = M1,M2,M3", "   DO ... UNTIL(...)", "   DO ... WHILE(...)",
      "   DO ... INFINITE"},
     {"DO.1", "DO.2", "DO.3", "DO.4"},
     true},
    {StatementClass::kGoTo,
     3,
     {"   UNCONDITIONAL GO TO", "   ASSIGNED GO TO", "   COMPUTED GO TO"},
     {"GT.1", "GT.2", "GT.3"},
     true},
    {StatementClass::kIf,
     3,
     {"   IF (....)  L1 , L2 , L3", "   IF (....)  .....", "   IF (....)  THEN"},
     {"IF.1", "IF.2", "IF.3"},
     true},
    {StatementClass::kRead,
     4,
     {"   SEQUENTIAL(UNFORMATED)", "   SEQUENTIAL(FORMATTED)", "   DIRECT(UNFORMATTED)",
      "   DIRECT(FORMATTED)"},
     {"RD.1", "RD.2", "RD.3", "RD.4"},
     true},
    {StatementClass::kWrite,
     4,
     {"   SEQUENTIAL(UNFORMATED)", "   SEQUENTIAL(FORMATTED)", "   DIRECT(UNFORMATTED)",
      "   DIRECT(FORMATTED)"},
     {"WR.1", "WR.2", "WR.3", "WR.4"},
     true},
    {StatementClass::kWhere, 2, {"   WHERE BLOCK", "   WHERE STATEMENT"}, {"WH.1", "WH.2"}, false},
    {StatementClass::kElsewhere,
     2,
     {"   CONDITIONAL ELSEWHERE", "   UNCONDITIONAL ELSEWHERE"},
     {"EW.1", "EW.2"},
     false},
}};

// Row of kSubClassGroups of a class, or -1 when the class has no sub classes
// that are counted and shown.
int subClassGroupIndex(StatementClass cls);

// Display name of a class without padding.
std::string_view classDisplayName(StatementClass cls);

// Tag of the classification summary: "ERR " (unclassified), "STMF" (statement
// function), "ASTM" (assignment), four blanks for the other classes.
std::string_view classTag(StatementClass cls);

// The printed name ("   COMPUTED GO TO") and short code ("GT.3") of a sub
// class of a class in kSubClassGroups; empty for any other.
std::string_view subClassName(StatementClass cls, std::int32_t sub);
std::string_view subClassCode(StatementClass cls, std::int32_t sub);

// Class (1-86) whose name written without blanks equals name ("GOTO", "READ",
// "SELECTCASE"), letters compared in either case.
std::optional<StatementClass> findClassName(std::string_view name);

// The STATEMENT option's selection code for a class word: a class name (class
// x 100: READ 7100), "ERR" (-500), "STMF" (-100), "ASTM" (0), or a sub-class
// code DO.1-DO.4, GT.1-GT.3, IF.1-IF.3, RD.1-RD.4, WR.1-WR.4 (class x 100 +
// sub class: GT.2 4502). Letters compared in either case.
std::optional<std::int32_t> statementSelection(std::string_view word);

}  // namespace ksfort
