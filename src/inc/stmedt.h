// STMEDT: the texts the listings print for the statement classes: the display
// name of every class code (-5 to 86, 31-character fields), the 4-character
// tags of the classification summary, and the sub-class names (with their
// three leading blanks) and short codes.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace ksfort {

struct STMEDT {
  static constexpr int kNameWidth = 31;
  static constexpr std::int32_t kFirstClass = -5;
  static constexpr int kClassCount = 92;

  // Display names in code order; index = code + 5.
  static constexpr std::array<std::string_view, kClassCount> kNames = {
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

  // Tags of the classification summary for the classes that have one.
  static constexpr std::string_view kErrorTag = "ERR ";
  static constexpr std::string_view kStatementFunctionTag = "STMF";
  static constexpr std::string_view kAssignmentTag = "ASTM";
  static constexpr std::string_view kNoTag = "    ";

  // Sub-class names as printed, index = sub class - 1.
  static constexpr std::array<std::string_view, 4> kDoNames = {
      "   DO ... X = M1,M2,M3", "   DO ... UNTIL(...)", "   DO ... WHILE(...)",
      "   DO ... INFINITE"};
  static constexpr std::array<std::string_view, 3> kGoToNames = {
      "   UNCONDITIONAL GO TO", "   ASSIGNED GO TO", "   COMPUTED GO TO"};
  static constexpr std::array<std::string_view, 3> kIfNames = {
      "   IF (....)  L1 , L2 , L3", "   IF (....)  .....", "   IF (....)  THEN"};
  static constexpr std::array<std::string_view, 4> kIoNames = {
      "   SEQUENTIAL(UNFORMATED)", "   SEQUENTIAL(FORMATTED)", "   DIRECT(UNFORMATTED)",
      "   DIRECT(FORMATTED)"};
  static constexpr std::array<std::string_view, 2> kWhereNames = {"   WHERE BLOCK",
                                                                  "   WHERE STATEMENT"};
  static constexpr std::array<std::string_view, 2> kElsewhereNames = {"   CONDITIONAL ELSEWHERE",
                                                                      "   UNCONDITIONAL ELSEWHERE"};

  // Short codes of the sub classes, index = sub class - 1.
  static constexpr std::array<std::string_view, 4> kDoCodes = {"DO.1", "DO.2", "DO.3", "DO.4"};
  static constexpr std::array<std::string_view, 3> kGoToCodes = {"GT.1", "GT.2", "GT.3"};
  static constexpr std::array<std::string_view, 3> kIfCodes = {"IF.1", "IF.2", "IF.3"};
  static constexpr std::array<std::string_view, 4> kReadCodes = {"RD.1", "RD.2", "RD.3", "RD.4"};
  static constexpr std::array<std::string_view, 4> kWriteCodes = {"WR.1", "WR.2", "WR.3", "WR.4"};
  static constexpr std::array<std::string_view, 2> kWhereCodes = {"WH.1", "WH.2"};
  static constexpr std::array<std::string_view, 2> kElsewhereCodes = {"EW.1", "EW.2"};
};

}  // namespace ksfort
