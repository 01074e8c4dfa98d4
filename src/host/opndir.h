// The directory scan that expands a source-file name holding '*' or
// '?' in its last path component: opndir lists the matching entries of the
// directory under a handle, sorted by name in byte order; rddir hands them out
// one by one with their kind; clsdir releases the list. The state lives in the
// handle table InfoDirectry of the run context (run.dir); the only valid handle
// is 0 and only one scan can be open at a time. Messages of the form
// "\nError at ROUTINE : text\n" go to the listing.
//
// Use by the analysis driver:
//
//   std::string dir;                                   // directory part, "" or ending in '/'
//   if (opndir(run, 0, source, dir) != 0) ...          // failed, message written
//   for (;;) {
//     const DirRead r = rddir(run, 0, {});
//     if (r.status != 0) break;                        // kind -1: end of list; 999: error
//     const std::string path = dir + std::string(r.name);
//     ...                                              // isstat(path), open, analyse
//   }
//   if (clsdir(run, 0) != 0) ...                       // failed, message written
//
// A source name that matches no entry gives status 0 with the handle left
// closed (run.dir.count == kDirNotOpen): the first rddir then writes "Directry
// handle is not opened" and answers status -1, kind 999.
#pragma once
#include <span>
#include <string>
#include <string_view>

namespace ksfort {

struct Run;

// Opens handle on the entries of the source name's directory whose names
// match its last component (every entry, "." and ".." included, when that is
// empty). directory receives the directory part, to be put in front of each
// name. quote non-zero removes quoting from the source name first.
// Returns 0 on success or when nothing matches, -1 on failure.
int opndir(Run& run, int handle, std::string_view patternField, std::string& directory,
           int quote = 0);

struct DirRead {
  int status = -1;  // 0: an entry; -1: end of the list or an error
  int kind = -1;    // 0 regular file, 1 directory, 999 other or unknown; -1 at the end
  int length = 0;   // the whole name length, which may exceed the name field
  // The whole name, valid until clsdir; empty unless status is 0.
  std::string_view name;
};

// The next entry. nameField is blanked and receives as much of the name as fits.
DirRead rddir(Run& run, int handle, std::span<char> nameField);

// Releases the list and marks the handle not open. 0, or -1 on error.
int clsdir(Run& run, int handle);

}  // namespace ksfort
