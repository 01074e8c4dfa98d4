#include "control/size_columns.h"

namespace ksfort {
namespace {

struct SizeRow {
  SizeParam param;
  std::int32_t value[4];  // default, SMALL, MIDDLE, LARGE
};

// MXNSTB is set by the reductions and MXCLSN is fixed; neither has a column.
constexpr SizeRow kColumns[] = {
    {MXCBUF, {20000, 5000, 5000, 20000}},  {MXSQBF, {2000, 1000, 1500, 2000}},
    {MXVNAM, {2000, 1000, 1500, 2000}},    {MXVCNT, {2000, 500, 500, 2000}},
    {MXPCNT, {1000, 100, 100, 1000}},      {MXXCNT, {1000, 50, 50, 1000}},
    {MXCBF, {80000, 10000, 15000, 80000}}, {MXCDBF, {10000, 2500, 2500, 10000}},
    {MXRXAD, {2000, 250, 1000, 2000}},     {MXRXBF, {20000, 500, 2000, 20000}},
    {MXMBDR, {10000, 500, 500, 10000}},    {MXLBDR, {500, 500, 500, 500}},
    {MXPRO, {2000, 250, 300, 1000}},       {MXARG, {20000, 1500, 3000, 10000}},
    {MXSFX, {10000, 500, 1000, 5000}},     {MXRCOM, {6000, 1000, 1500, 6000}},
    {MXRPRM, {2000, 500, 1000, 2000}},     {MXRENT, {500, 20, 50, 100}},
    {MXRINC, {5000, 500, 1000, 4000}},     {MXCOM, {200, 50, 100, 200}},
    {MXCOM1, {300, 100, 150, 300}},        {MXCOM2, {4000, 1000, 2000, 4000}},
    {MXCOM3, {20000, 5000, 10000, 20000}}, {MXPRM, {500, 100, 250, 500}},
    {MXINC, {500, 100, 100, 500}},         {MXDXV, {200000, 10000, 10000, 10000}},
};

}  // namespace

void setSizeColumn(SizeLimits& size, SizeColumn column) {
  const int c = static_cast<int>(column);
  for (const SizeRow& r : kColumns) size[r.param] = r.value[c];
}

void setSizeDefaults(SizeLimits& size) {
  size = SizeLimits{};
  setSizeColumn(size, SizeColumn::kDefault);
  size[MXNSTB] = 1;
  size[MXCLSN] = 27;
}

void reduceSizes(SizeLimits& s, ReportOptions& o) {
  if (o.nest == 1) {
    o.statementSelection = kSelectionOff;
    s[MXNSTB] = s[MXCDBF];
  } else {
    s[MXNSTB] = 1;
    s[MXLBDR] = 1;
  }
  if (o.index == 0) s[MXDXV] = 1;
  if (o.statementSelection <= kSelectionOff && o.nest != 1) s[MXCDBF] = 1;
  if (o.parameters == 0) {
    s[MXPRM] = 1;
    s[MXRPRM] = 1;
  }
  if (o.common == 0) {
    s[MXCOM1] = 1;
    s[MXCOM2] = 1;
    s[MXCOM3] = 1;
  } else if (o.common == 1) {
    s[MXCOM2] = 1;
    s[MXCOM3] = 1;
  }
}

}  // namespace ksfort
