// The run context: every shared state record of one run, the host services and
// the output streams, handed by reference to every routine. Nothing else holds
// mutable state.
#pragma once
#include <cstdio>

#include "host/host.h"
#include "inc/dcmxxx.h"
#include "inc/elmnam.h"
#include "inc/optnam.h"
#include "inc/optxxx.h"
#include "inc/pagexx.h"
#include "inc/pageyy.h"
#include "inc/size.h"
#include "inc/sizuse.h"
#include "inc/statc.h"
#include "inc/stati.h"
#include "report/listing.h"
// Records of the later subsystems (one include line each):
#include "inc/bunxxx.h"
#include "inc/crdfil.h"
#include "inc/crdxxx.h"
#include "inc/crdyyy.h"
#include "inc/infodirectry.h"
#include "inc/prcxxx.h"
#include "inc/stmcnt.h"
#include "inc/stmsel.h"
#include "inc/tknlst.h"

namespace ksfort {

// Exit statuses of the process.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNotFound = 1;  // option, source or include file missing; no memory
inline constexpr int kExitStop100 = 2;   // stop code 100: statement analysis, input, card storage
inline constexpr int kExitStop200 = 3;   // stop code 200: table overflow
inline constexpr int kExitStop1000 = 4;  // stop code 1000: tree report limit

struct Run {
  Run(Host& h, Listing& listing, OutputSink& error, std::FILE* optionInput)
      : host{h}, out{listing}, err{error}, in{optionInput} {}

  Host& host;
  Listing& out;     // the listing: standard output
  OutputSink& err;  // usage, prompts, "is not found." messages: standard error
  std::FILE* in;    // option-input stream: standard input or the option file
  int exitStatus = kExitOk;

  OPTXXX opt;
  DCMXXX dcm;
  OPTNAM optnam;
  ELMNAM elm;
  SIZE size;
  SIZUSE use;
  PAGEXX page;
  PAGEYY pageyy;
  STATI stati;
  STATC statc;
  // Records of the later subsystems (one member line each):
  PRCXXX prc;        // analysis driver state
  STMCNT stmcnt;     // statement counts per class and sub class
  STMSEL stmsel;     // selected-statement store counters
  TKNLST tknlst;     // token list of the current statement
  CRDXXX crd;        // current card, include name stack
  CRDYYY crdy;       // card reader counters and states
  CRDFIL crdfil;     // input units 1 and 11-26
  BUNXXX bun;        // the statement getbun delivered last
  InfoDirectry dir;  // directory-scan handle table
};

}  // namespace ksfort
