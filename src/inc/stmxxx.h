// STMXXX: the statement class codes (-5 to 86) as named constants, for the
// analysers to compare the classifier's results against.
#pragma once
#include <array>
#include <cstdint>

namespace ksfort {

struct STMXXX {
  static constexpr std::int32_t kUnclassified = -5;  // statement in error
  static constexpr std::int32_t kComment = -4;
  static constexpr std::int32_t kAsteriskComment = -3;
  static constexpr std::int32_t kContinuation = -2;
  static constexpr std::int32_t kStatementFunction = -1;
  static constexpr std::int32_t kAssignment = 0;
  static constexpr std::int32_t kAssign = 1;
  static constexpr std::int32_t kAt = 2;
  static constexpr std::int32_t kBackspace = 3;
  static constexpr std::int32_t kBlockData = 4;
  static constexpr std::int32_t kContinue = 5;
  static constexpr std::int32_t kCommon = 6;
  static constexpr std::int32_t kCall = 7;
  static constexpr std::int32_t kCharacterFunction = 8;
  static constexpr std::int32_t kCharacter = 9;
  static constexpr std::int32_t kClose = 10;
  static constexpr std::int32_t kComplexFunction = 11;
  static constexpr std::int32_t kComplex = 12;
  static constexpr std::int32_t kCycle = 13;
  static constexpr std::int32_t kCaseDefault = 14;
  static constexpr std::int32_t kCase = 15;
  static constexpr std::int32_t kDoublePrecisionFunction = 16;
  static constexpr std::int32_t kDoublePrecision = 17;
  static constexpr std::int32_t kDo = 18;
  static constexpr std::int32_t kDimension = 19;
  static constexpr std::int32_t kData = 20;
  static constexpr std::int32_t kDecode = 21;
  static constexpr std::int32_t kDebug = 22;
  static constexpr std::int32_t kDefineFile = 23;
  static constexpr std::int32_t kDisplay = 24;
  static constexpr std::int32_t kDelete = 25;
  static constexpr std::int32_t kEndIf = 26;
  static constexpr std::int32_t kElseIf = 27;
  static constexpr std::int32_t kEndFile = 28;
  static constexpr std::int32_t kEncode = 29;
  static constexpr std::int32_t kEntry = 30;
  static constexpr std::int32_t kEquivalence = 31;
  static constexpr std::int32_t kExternal = 32;
  static constexpr std::int32_t kEject = 33;
  static constexpr std::int32_t kElsewhere = 34;
  static constexpr std::int32_t kElse = 35;
  static constexpr std::int32_t kExit = 36;
  static constexpr std::int32_t kEndDo = 37;
  static constexpr std::int32_t kEndSelect = 38;
  static constexpr std::int32_t kEndWhere = 39;
  static constexpr std::int32_t kEndDebug = 40;
  static constexpr std::int32_t kEnd = 41;
  static constexpr std::int32_t kFormat = 42;
  static constexpr std::int32_t kFunction = 43;
  static constexpr std::int32_t kFind = 44;
  static constexpr std::int32_t kGoTo = 45;
  static constexpr std::int32_t kIf = 46;
  static constexpr std::int32_t kIntegerFunction = 47;
  static constexpr std::int32_t kInteger = 48;
  static constexpr std::int32_t kInclude = 49;
  static constexpr std::int32_t kImplicit = 50;
  static constexpr std::int32_t kIntrinsic = 51;
  static constexpr std::int32_t kInquire = 52;
  static constexpr std::int32_t kInitOn = 53;
  static constexpr std::int32_t kInitOff = 54;
  static constexpr std::int32_t kLogicalFunction = 55;
  static constexpr std::int32_t kLogical = 56;
  static constexpr std::int32_t kListOn = 57;
  static constexpr std::int32_t kListOff = 58;
  static constexpr std::int32_t kNcharacterFunction = 59;
  static constexpr std::int32_t kNcharacter = 60;
  static constexpr std::int32_t kNamelist = 61;
  static constexpr std::int32_t kOpen = 62;
  static constexpr std::int32_t kParameter = 63;
  static constexpr std::int32_t kPause = 64;
  static constexpr std::int32_t kPrint = 65;
  static constexpr std::int32_t kProcess = 66;
  static constexpr std::int32_t kProgram = 67;
  static constexpr std::int32_t kPunch = 68;
  static constexpr std::int32_t kQuadruplePrecisionFunction = 69;
  static constexpr std::int32_t kQuadruplePrecision = 70;
  static constexpr std::int32_t kRead = 71;
  static constexpr std::int32_t kReturn = 72;
  static constexpr std::int32_t kRealFunction = 73;
  static constexpr std::int32_t kReal = 74;
  static constexpr std::int32_t kRewind = 75;
  static constexpr std::int32_t kRewrite = 76;
  static constexpr std::int32_t kRepeat = 77;
  static constexpr std::int32_t kStop = 78;
  static constexpr std::int32_t kSubroutine = 79;
  static constexpr std::int32_t kSave = 80;
  static constexpr std::int32_t kSelectCase = 81;
  static constexpr std::int32_t kTraceOn = 82;
  static constexpr std::int32_t kTraceOff = 83;
  static constexpr std::int32_t kWrite = 84;
  static constexpr std::int32_t kWait = 85;
  static constexpr std::int32_t kWhere = 86;

  static constexpr std::int32_t kFirst = kUnclassified;
  static constexpr std::int32_t kLast = kWhere;
  static constexpr int kCount = kLast - kFirst + 1;  // 92

  // The record's 92 words in their stored order (grouped as the analysers
  // first used them, not by code).
  static constexpr std::array<std::int32_t, kCount> kStoredOrder = [] {
    std::array<std::int32_t, kCount> a{};
    int n = 0;
    for (std::int32_t c = -5; c <= 12; ++c) a[n++] = c;
    for (std::int32_t c = 16; c <= 27; ++c) a[n++] = c;
    a[n++] = 35;
    for (std::int32_t c = 28; c <= 33; ++c) a[n++] = c;
    for (std::int32_t c = 40; c <= 80; ++c) a[n++] = c;
    for (std::int32_t c = 82; c <= 85; ++c) a[n++] = c;
    for (std::int32_t c : {13, 36, 37, 81, 15, 14, 38, 86, 34, 39}) a[n++] = c;
    return a;
  }();
};

// The I/O statements, which share the I/O rules and sub classes.
inline bool isIoClass(std::int32_t cls) {
  switch (cls) {
    case STMXXX::kRead:
    case STMXXX::kWrite:
    case STMXXX::kRewind:
    case STMXXX::kOpen:
    case STMXXX::kClose:
    case STMXXX::kBackspace:
    case STMXXX::kFind:
    case STMXXX::kInquire:
    case STMXXX::kWait:
    case STMXXX::kEndFile:
    case STMXXX::kDefineFile:
    case STMXXX::kRewrite:
    case STMXXX::kDelete:
    case STMXXX::kPrint:
    case STMXXX::kPunch:
      return true;
    default:
      return false;
  }
}

}  // namespace ksfort
