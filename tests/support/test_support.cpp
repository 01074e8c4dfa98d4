#include "support/test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace ksfort::test {

void* FakeHost::allocate(std::size_t bytes) {
  if (bytes > allocationLimit) return nullptr;
  return std::calloc(bytes == 0 ? 1 : bytes, 1);
}

void FakeHost::release(void* p) {
  std::free(p);
}

TestRun::TestRun(const std::string& input) {
  in = std::tmpfile();
  if (in) {
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
  }
  run = std::make_unique<Run>(host, listing, errSink, in);
}

TestRun::~TestRun() {
  if (in) std::fclose(in);
}

std::string TestRun::out() {
  listing.flush();
  return outSink.text;
}

std::vector<std::string> TestRun::lines() {
  return splitLines(out());
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> v;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    v.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return v;
}

std::string makeTempDir() {
  std::string tmpl = "/tmp/ksfort_test_XXXXXX";
  char* p = ::mkdtemp(tmpl.data());
  return p ? std::string(p) : std::string("/tmp");
}

std::string writeTempFile(const std::string& name, const std::string& content) {
  static std::string dir;  // one directory for the whole test program
  if (dir.empty()) dir = makeTempDir();
  const std::string path = dir + "/" + name;
  std::ofstream f(path, std::ios::binary);
  f << content;
  return path;
}

}  // namespace ksfort::test
