// OPTXXX: the thirteen analysis option settings that switch the reports.
#pragma once
#include <cstdint>

namespace ksfort {

// Selection code of the STATEMENT option when it is off, and for I/O statements.
inline constexpr std::int32_t kStatementOff = -90000;
inline constexpr std::int32_t kStatementIo = -10000;

struct OPTXXX {
  std::int32_t OPTCOM = 1;              // COMMON report: 0 off, 1 brief, 2 detail
  std::int32_t OPTPRM = 0;              // PARAMETER report
  std::int32_t OPTPGM = 0;              // PROGRAM summary
  std::int32_t OPTLIB = 1;              // LIBRARY routines report
  std::int32_t OPTTRE = 1;              // TREE structure report
  std::int32_t OPTNES = 0;              // NEST structure report
  std::int32_t OPTCLS = 1;              // CLASSIFICATION summary
  std::int32_t OPTINX = 0;              // master INDEX
  std::int32_t OPTINC = 0;              // INCLUDED members report
  std::int32_t OPTSTM = kStatementOff;  // STATEMENT selection: class x 100 (+ sub class)
  std::int32_t OPTDBG = 0;              // DEBUG: 0 off, 1 unclassified only, 2 token analysis
  std::int32_t OPTCOD = 1;              // CODE: 1 ASCII, 2 EBCDIC
  std::int32_t OPTUDF = 1;              // UNDEF check
};

}  // namespace ksfort
