// STMYYY: the keyword dictionary's texts: the keywords of statement classes
// 1 to 86 written without blanks, in class-code order, which groups them by
// initial letter and puts a longer keyword before each shorter one that is
// its prefix (CHARACTERFUNCTION before CHARACTER), so the first match is the
// longest.
#pragma once
#include <array>
#include <string_view>

namespace ksfort {

struct STMYYY {
  static constexpr int kWidth = 31;
  static constexpr int kCount = 86;

  // Index = class code - 1.
  static constexpr std::array<std::string_view, kCount> kKeywords = {
      "ASSIGN",
      "AT",
      "BACKSPACE",
      "BLOCKDATA",
      "CONTINUE",  // 5
      "COMMON",
      "CALL",
      "CHARACTERFUNCTION",
      "CHARACTER",
      "CLOSE",  // 10
      "COMPLEXFUNCTION",
      "COMPLEX",
      "CYCLE",
      "CASEDEFAULT",
      "CASE",  // 15
      "DOUBLEPRECISIONFUNCTION",
      "DOUBLEPRECISION",
      "DO",
      "DIMENSION",
      "DATA",  // 20
      "DECODE",
      "DEBUG",
      "DEFINEFILE",
      "DISPLAY",
      "DELETE",  // 25
      "ENDIF",
      "ELSEIF",
      "ENDFILE",
      "ENCODE",
      "ENTRY",  // 30
      "EQUIVALENCE",
      "EXTERNAL",
      "EJECT",
      "ELSEWHERE",
      "ELSE",  // 35
      "EXIT",
      "ENDDO",
      "ENDSELECT",
      "ENDWHERE",
      "ENDDEBUG",  // 40
      "END",
      "FORMAT",
      "FUNCTION",
      "FIND",
      "GOTO",  // 45
      "IF",
      "INTEGERFUNCTION",
      "INTEGER",
      "INCLUDE",
      "IMPLICIT",  // 50
      "INTRINSIC",
      "INQUIRE",
      "INITON",
      "INITOFF",
      "LOGICALFUNCTION",  // 55
      "LOGICAL",
      "LISTON",
      "LISTOFF",
      "NCHARACTERFUNCTION",
      "NCHARACTER",  // 60
      "NAMELIST",
      "OPEN",
      "PARAMETER",
      "PAUSE",
      "PRINT",  // 65
      "PROCESS",
      "PROGRAM",
      "PUNCH",
      "QUADRUPLEPRECISIONFUNCTION",
      "QUADRUPLEPRECISION",  // 70
      "READ",
      "RETURN",
      "REALFUNCTION",
      "REAL",
      "REWIND",  // 75
      "REWRITE",
      "REPEAT",
      "STOP",
      "SUBROUTINE",
      "SAVE",  // 80
      "SELECTCASE",
      "TRACEON",
      "TRACEOFF",
      "WRITE",
      "WAIT",  // 85
      "WHERE",
  };
};

}  // namespace ksfort
