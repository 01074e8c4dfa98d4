// The directory scan that expands a source-file name holding '*' or '?' in its
// last path component: open lists the matching entries of the directory, sorted
// by name in byte order; next hands them out one by one with their kind; close
// releases the list. The only valid handle is 0 and only one scan can be open
// at a time. Messages of the form "\nError at ROUTINE : text\n" (routines
// opndir, rddir and clsdir) go among the listing's records.
//
//   std::string dir;                                 // directory part, "" or ending in '/'
//   if (scan.open(0, source, dir) != 0) ...          // failed, message written
//   for (;;) {
//     const DirectoryEntry e = scan.next(0, {});
//     if (e.status != 0) break;                      // kind kUnknown: end of list; kOther: error
//     ...                                            // dir + e.name: test, open, analyse
//   }
//   if (scan.close(0) != 0) ...                      // failed, message written
//
// A source name that matches no entry gives status 0 with the scan left closed:
// the first next() then writes "Directry handle is not opened" and answers
// status -1, kind kOther.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "host/file_status.h"
#include "host/host.h"
#include "host/output_sink.h"

namespace ksfort {

struct DirectoryEntry {
  int status = -1;                     // 0: an entry; -1: end of the list or an error
  FileKind kind = FileKind::kUnknown;  // kUnknown only at the end of the list
  int length = 0;                      // the whole name length, which may exceed the name field
  std::string_view name;               // the whole name, valid until close; empty unless status 0
};

// Hands the list block back to the host that gave it.
struct HostBlockRelease {
  Host* host = nullptr;
  void operator()(char* p) const {
    if (host) host->release(p);
  }
};

class DirectoryScan {
 public:
  DirectoryScan(Host& host, OutputSink& messages) : host_{host}, out_{messages} {}

  // Lists the entries of the source name's directory whose names match its
  // last component (every entry, "." and ".." included, when that is empty).
  // directory receives the directory part, to be put in front of each name.
  // quoted removes quoting from the source name first. 0 on success or when
  // nothing matches, -1 on failure.
  int open(int handle, std::string_view patternField, std::string& directory, bool quoted = false);
  // The next entry. nameField is blanked and receives as much of the name as fits.
  DirectoryEntry next(int handle, std::span<char> nameField);
  // Releases the list. 0, or -1 on error.
  int close(int handle);
  bool isOpen() const { return count_ != kNotOpen; }

 private:
  static constexpr std::int32_t kNotOpen = -9999;
  bool checkHandle(std::string_view routine, int handle);

  Host& host_;
  OutputSink& out_;
  std::int32_t count_ = kNotOpen;  // entries in the list
  std::int32_t position_ = -1;     // next entry to hand out
  // The sorted entries followed by their terminated names.
  std::unique_ptr<char[], HostBlockRelease> block_;
};

}  // namespace ksfort
