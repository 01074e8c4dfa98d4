#include "host/file_status.h"

#include <sys/stat.h>

#include <ctime>
#include <limits>
#include <new>
#include <string>

#include "host/date_time.h"
#include "host/host_messages.h"

namespace ksfort {
namespace {

bool statPath(OutputSink& out, std::string_view routine, std::string_view nameField,
              struct stat& st) {
  const std::string_view name = trimmed(nameField);
  if (name.empty()) {
    hostError(out, routine, "A filename is not specified.");
    return false;
  }
  // A NUL inside the name cannot name a host file.
  if (name.find('\0') != std::string_view::npos) return false;
  std::string path;
  try {
    path.assign(name);
  } catch (const std::bad_alloc&) {
    hostError(out, routine, "Failed to allocate memory.");
    return false;
  }
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

FileKind fileKindOfMode(unsigned mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kDirectory;
  return FileKind::kOther;
}

void formatTimeStamp(std::int64_t epochSeconds, std::span<char> text) {
  if (text.size() < 20) return;
  const std::time_t t = static_cast<std::time_t>(epochSeconds);
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return;
  const LocalTime lt{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                     tm.tm_hour,        tm.tm_min,     tm.tm_sec};
  formatDate(lt, text.first(10));
  text[10] = ' ';
  text[11] = ' ';
  formatTime(lt, text.subspan(12, 8));
}

FileStatus queryFileKind(OutputSink& out, std::string_view nameField) {
  FileStatus fs;
  struct stat st {};
  if (!statPath(out, "isadir", nameField, st)) return fs;
  fs.status = 0;
  fs.kind = fileKindOfMode(st.st_mode);
  return fs;
}

FileStatus queryFileStatus(OutputSink& out, std::string_view nameField, TimeStamps stamps) {
  FileStatus fs;
  struct stat st {};
  if (!statPath(out, "isstat", nameField, st)) return fs;
  fs.status = 0;
  fs.kind = fileKindOfMode(st.st_mode);
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  fs.size = st.st_size > kMax ? kMax : static_cast<std::int32_t>(st.st_size);
  fs.ownerRead = (st.st_mode & S_IRUSR) ? 1 : 0;
  fs.ownerWrite = (st.st_mode & S_IWUSR) ? 1 : 0;
  fs.ownerExecute = (st.st_mode & S_IXUSR) ? 1 : 0;
  if (stamps == TimeStamps::kLeftBlank) return fs;
  formatTimeStamp(st.st_atime, fs.accessTime);
  formatTimeStamp(st.st_ctime, fs.changeTime);
  formatTimeStamp(st.st_mtime, fs.modifyTime);
  return fs;
}

}  // namespace ksfort
