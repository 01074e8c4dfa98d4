// The size limits: the 28 size parameters, each the capacity of one table of
// the workspace, in their fixed order, named by the words the SIZE option and
// the memory size check use; MXCLSN is a constant count.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace ksfort {

enum SizeParam : int {
  MXCBUF,
  MXSQBF,
  MXVNAM,
  MXVCNT,
  MXPCNT,
  MXXCNT,
  MXCBF,
  MXCDBF,
  MXNSTB,
  MXRXAD,
  MXRXBF,
  MXMBDR,
  MXLBDR,
  MXPRO,
  MXARG,
  MXSFX,
  MXRCOM,
  MXRPRM,
  MXRENT,
  MXRINC,
  MXCOM,
  MXCOM1,
  MXCOM2,
  MXCOM3,
  MXPRM,
  MXINC,
  MXDXV,
  MXCLSN,
  kSizeParamCount
};

inline constexpr std::array<std::string_view, kSizeParamCount> kSizeParamNames = {
    "MXCBUF", "MXSQBF", "MXVNAM", "MXVCNT", "MXPCNT", "MXXCNT", "MXCBF",
    "MXCDBF", "MXNSTB", "MXRXAD", "MXRXBF", "MXMBDR", "MXLBDR", "MXPRO",
    "MXARG",  "MXSFX",  "MXRCOM", "MXRPRM", "MXRENT", "MXRINC", "MXCOM",
    "MXCOM1", "MXCOM2", "MXCOM3", "MXPRM",  "MXINC",  "MXDXV",  "MXCLSN"};

struct SizeLimits {
  std::array<std::int32_t, kSizeParamCount> p{};
  std::int32_t& operator[](SizeParam i) { return p[i]; }
  std::int32_t operator[](SizeParam i) const { return p[i]; }
};

}  // namespace ksfort
