// Upper case a word at a time agrees with upper case a byte at a time, for
// every byte value in every place of the word.
#include "host/ascii.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace ksfort {
namespace {

TEST(Ascii, UpperCaseOfAWordIsThatOfEachByte) {
  for (int place = 0; place < 8; ++place) {
    for (int b = 0; b < 256; ++b) {
      // The other bytes run through the values around the letters too.
      unsigned char bytes[8];
      for (int k = 0; k < 8; ++k) bytes[k] = static_cast<unsigned char>((b + 37 * k + 0x5F) & 0xFF);
      bytes[place] = static_cast<unsigned char>(b);
      std::uint64_t w = 0;
      std::memcpy(&w, bytes, 8);
      const std::uint64_t u = upperAsciiWord(w);
      unsigned char out[8];
      std::memcpy(out, &u, 8);
      for (int k = 0; k < 8; ++k)
        ASSERT_EQ(static_cast<char>(out[k]), upperAscii(static_cast<char>(bytes[k])))
            << "byte " << b << " place " << place << " lane " << k;
    }
  }
}

}  // namespace
}  // namespace ksfort
