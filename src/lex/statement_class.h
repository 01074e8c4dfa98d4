// The statement classes (codes -5 to 86) that the classifier gives every
// statement, the sub classes of the classes that have them, and the class
// families the analysers test for. The DEBUG(TOKEN) trace and the STATEMENT
// selection show the codes as numbers.
#pragma once
#include <cstddef>
#include <cstdint>

namespace ksfort {

enum class StatementClass : std::int32_t {
  kUnclassified = -5,
  kComment = -4,
  kAsteriskComment = -3,
  kContinuation = -2,
  kStatementFunction = -1,
  kAssignment = 0,
  kAssign = 1,
  kAt = 2,
  kBackspace = 3,
  kBlockData = 4,
  kContinue = 5,
  kCommon = 6,
  kCall = 7,
  kCharacterFunction = 8,
  kCharacter = 9,
  kClose = 10,
  kComplexFunction = 11,
  kComplex = 12,
  kCycle = 13,
  kCaseDefault = 14,
  kCase = 15,
  kDoublePrecisionFunction = 16,
  kDoublePrecision = 17,
  kDo = 18,
  kDimension = 19,
  kData = 20,
  kDecode = 21,
  kDebug = 22,
  kDefineFile = 23,
  kDisplay = 24,
  kDelete = 25,
  kEndIf = 26,
  kElseIf = 27,
  kEndFile = 28,
  kEncode = 29,
  kEntry = 30,
  kEquivalence = 31,
  kExternal = 32,
  kEject = 33,
  kElsewhere = 34,
  kElse = 35,
  kExit = 36,
  kEndDo = 37,
  kEndSelect = 38,
  kEndWhere = 39,
  kEndDebug = 40,
  kEnd = 41,
  kFormat = 42,
  kFunction = 43,
  kFind = 44,
  kGoTo = 45,
  kIf = 46,
  kIntegerFunction = 47,
  kInteger = 48,
  kInclude = 49,
  kImplicit = 50,
  kIntrinsic = 51,
  kInquire = 52,
  kInitOn = 53,
  kInitOff = 54,
  kLogicalFunction = 55,
  kLogical = 56,
  kListOn = 57,
  kListOff = 58,
  kNcharacterFunction = 59,
  kNcharacter = 60,
  kNamelist = 61,
  kOpen = 62,
  kParameter = 63,
  kPause = 64,
  kPrint = 65,
  kProcess = 66,
  kProgram = 67,
  kPunch = 68,
  kQuadruplePrecisionFunction = 69,
  kQuadruplePrecision = 70,
  kRead = 71,
  kReturn = 72,
  kRealFunction = 73,
  kReal = 74,
  kRewind = 75,
  kRewrite = 76,
  kRepeat = 77,
  kStop = 78,
  kSubroutine = 79,
  kSave = 80,
  kSelectCase = 81,
  kTraceOn = 82,
  kTraceOff = 83,
  kWrite = 84,
  kWait = 85,
  kWhere = 86,
};

inline constexpr std::int32_t kFirstClassCode = -5;
inline constexpr std::int32_t kLastClassCode = 86;
inline constexpr int kClassCount = kLastClassCode - kFirstClassCode + 1;  // 92

constexpr std::int32_t classCode(StatementClass c) {
  return static_cast<std::int32_t>(c);
}
// Position of a class in tables indexed from the first code.
constexpr std::size_t classIndex(StatementClass c) {
  return static_cast<std::size_t>(classCode(c) - kFirstClassCode);
}
constexpr bool isClassCode(std::int32_t code) {
  return code >= kFirstClassCode && code <= kLastClassCode;
}

// Sub classes, numbered from 1 within their class.
struct DoForm {
  enum : std::int32_t {
    kIndexed = 1,   // DO ... X = M1,M2,M3
    kUntil = 2,     // DO ... UNTIL(...)
    kWhile = 3,     // DO ... WHILE(...)
    kInfinite = 4,  // DO, or DO label, alone
  };
};
struct GoToForm {
  enum : std::int32_t {
    kUnconditional = 1,  // GO TO 10
    kAssigned = 2,       // GO TO I (10, 20)
    kComputed = 3,       // GO TO (10, 20), I
  };
};
struct IfForm {
  enum : std::int32_t {
    kArithmetic = 1,  // IF (X) 10, 20, 30
    kLogical = 2,     // IF (X) statement: the statement is the second class
    kBlock = 3,       // IF (X) THEN
  };
};
// READ, WRITE and the other I/O statements: the access (direct when a record
// number is given) and the formatting.
struct IoForm {
  enum : std::int32_t {
    kSequentialUnformatted = 1,
    kSequentialFormatted = 2,
    kDirectUnformatted = 3,
    kDirectFormatted = 4,
  };
};
struct WhereForm {
  enum : std::int32_t {
    kBlock = 1,      // WHERE (mask) alone
    kStatement = 2,  // WHERE (mask) assignment: the assignment is the second class
  };
};
struct ElsewhereForm {
  enum : std::int32_t {
    kConditional = 1,    // ELSEWHERE (mask)
    kUnconditional = 2,  // ELSEWHERE
  };
};

// The I/O statements, which share the I/O rules and sub classes.
constexpr bool isIoClass(StatementClass c) {
  switch (c) {
    case StatementClass::kRead:
    case StatementClass::kWrite:
    case StatementClass::kRewind:
    case StatementClass::kOpen:
    case StatementClass::kClose:
    case StatementClass::kBackspace:
    case StatementClass::kFind:
    case StatementClass::kInquire:
    case StatementClass::kWait:
    case StatementClass::kEndFile:
    case StatementClass::kDefineFile:
    case StatementClass::kRewrite:
    case StatementClass::kDelete:
    case StatementClass::kPrint:
    case StatementClass::kPunch:
      return true;
    default:
      return false;
  }
}

// FUNCTION and the typed FUNCTION classes.
constexpr bool isFunctionClass(StatementClass c) {
  switch (c) {
    case StatementClass::kFunction:
    case StatementClass::kCharacterFunction:
    case StatementClass::kComplexFunction:
    case StatementClass::kDoublePrecisionFunction:
    case StatementClass::kIntegerFunction:
    case StatementClass::kLogicalFunction:
    case StatementClass::kNcharacterFunction:
    case StatementClass::kQuadruplePrecisionFunction:
    case StatementClass::kRealFunction:
      return true;
    default:
      return false;
  }
}

// A statement that carries a second statement: the logical IF and the WHERE
// statement.
constexpr bool carriesStatement(StatementClass c, std::int32_t sub) {
  return (c == StatementClass::kIf && sub == IfForm::kLogical) ||
         (c == StatementClass::kWhere && sub == WhereForm::kStatement);
}

}  // namespace ksfort
