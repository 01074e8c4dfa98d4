#include "lex/tokeniser.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <limits>

#include "host/ascii.h"
#include "host/fixed_text.h"

namespace ksfort {
namespace {

constexpr std::uint8_t kClassDot = 11;
constexpr std::uint8_t kClassQuote = 12;
constexpr std::uint8_t kClassDigit = 15;
constexpr std::uint8_t kClassOther = 16;

// The EBCDIC table differs only in the apostrophe, which counts as an
// ordinary character there (it still opens a character constant).
constexpr std::array<std::uint8_t, 256> classTable(bool ebcdic) {
  std::array<std::uint8_t, 256> t{};
  t.fill(kClassOther);
  t['*'] = 1;
  t['/'] = 2;
  t['+'] = 3;
  t['-'] = 4;
  t['='] = 5;
  t[','] = 6;
  t['('] = 7;
  t[')'] = 8;
  t[':'] = 9;
  t['&'] = 10;
  t['.'] = kClassDot;
  t['"'] = kClassQuote;
  t['\''] = ebcdic ? kClassOther : kClassQuote;
  t['<'] = 13;
  t['>'] = 14;
  for (unsigned char c = '0'; c <= '9'; ++c) t[c] = kClassDigit;
  return t;
}

constexpr std::array<std::uint8_t, 256> kAsciiClass = classTable(false);
constexpr std::array<std::uint8_t, 256> kEbcdicClass = classTable(true);

// Kind of a special character standing alone, by class (kNone: not an operator).
constexpr std::array<TokenKind, 15> kSingleKind = {
    TokenKind::kNone,  TokenKind::kStar,  TokenKind::kSlash,     TokenKind::kPlus,
    TokenKind::kMinus, TokenKind::kEqual, TokenKind::kComma,     TokenKind::kOpen,
    TokenKind::kClose, TokenKind::kColon, TokenKind::kAmpersand, TokenKind::kNone,
    TokenKind::kNone,  TokenKind::kLt,    TokenKind::kGt};

// Two-character operators; kNone when c and d form none.
constexpr TokenKind pairKind(unsigned char c, unsigned char d) {
  switch (c) {
    case '*':
      return d == '*' ? TokenKind::kPower : TokenKind::kNone;
    case '/':
      return d == '/' ? TokenKind::kConcat : d == '=' ? TokenKind::kNe : TokenKind::kNone;
    case ':':
      return d == ':' ? TokenKind::kDoubleColon : TokenKind::kNone;
    case '=':
      return d == '>' ? TokenKind::kArrow : d == '=' ? TokenKind::kEq : TokenKind::kNone;
    case '>':
      return d == '=' ? TokenKind::kGe : TokenKind::kNone;
    case '<':
      return d == '=' ? TokenKind::kLe : TokenKind::kNone;
    default:
      return TokenKind::kNone;
  }
}

struct DotWord {
  std::string_view letters;
  TokenKind kind;
};

// Letters between the dots of the dot operators and logical constants.
constexpr std::array<DotWord, 15> kDotWords = {{{"EQ", TokenKind::kEq},
                                                {"NE", TokenKind::kNe},
                                                {"GE", TokenKind::kGe},
                                                {"GT", TokenKind::kGt},
                                                {"LE", TokenKind::kLe},
                                                {"LT", TokenKind::kLt},
                                                {"AND", TokenKind::kAnd},
                                                {"OR", TokenKind::kOr},
                                                {"EOR", TokenKind::kEor},
                                                {"XOR", TokenKind::kXor},
                                                {"EQV", TokenKind::kEqv},
                                                {"NEQV", TokenKind::kNeqv},
                                                {"NOT", TokenKind::kNot},
                                                {"TRUE", TokenKind::kLogical},
                                                {"FALSE", TokenKind::kLogical}}};
constexpr std::size_t kMaxDotLetters = 6;
constexpr std::size_t kShortRun = 16;

constexpr bool isDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}
constexpr bool isLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr char toUpper(unsigned char c) {
  return upperAscii(static_cast<char>(c));
}

// A scanned token: its kind and the text index just past its last character.
struct Scanned {
  TokenKind kind;
  std::size_t end;
};

// One call's scan over the statement text. Indexes are 0-based here.
class Scanner {
 public:
  Scanner(const std::array<std::uint8_t, 256>& cls, QuoteMode quote, std::string_view text,
          std::size_t significantEnd, std::size_t width, std::span<char> out)
      : cls_{cls},
        quote_{quote},
        s_{reinterpret_cast<const unsigned char*>(text.data())},
        n_{text.size()},
        sig_{std::min(significantEnd, text.size())},
        w_{width},
        out_{out} {}

  // Index of the next significant character at or after i, or n at the end.
  // A "!" comment runs to the end of its card segment. Most blanks are the
  // padding of the cards' text columns: runs of them go eight at a time, and
  // the padding after the last significant character is not read at all.
  // The call made last is remembered (see lastSkipFrom and lastSkipTo).
  std::size_t skip(std::size_t i) {
    lastSkipFrom_ = i;
    lastSkipTo_ = skipAt(i);
    return lastSkipTo_;
  }
  // The argument and result of the skip made last; from is n + 1 before any.
  std::size_t lastSkipFrom() const { return lastSkipFrom_; }
  std::size_t lastSkipTo() const { return lastSkipTo_; }

  std::size_t written() const { return len_; }
  bool overflowed() const { return overflow_; }

  Scanned scan(std::size_t i) {
    const unsigned char c = s_[i];
    if (c == '.') return dot(i);
    if (c == '\'' || c == '"') return characterConstant(i);
    const std::uint8_t k = cls_[c];
    if (k == kClassDigit) return number(i);
    if (k == kClassOther) return name(i);
    return op(i);
  }

 private:
  std::size_t skipAt(std::size_t i) const {
    // Most calls find a significant character at once or after one blank
    // (the blank between the words of a statement): those tests are inline,
    // the scan over runs of blanks and comments is not.
    if (i < sig_) {
      const unsigned char c = s_[i];
      if (c != ' ' && c != '\t' && c != '!') return i;
      if (c == ' ' && i + 1 < sig_) {
        const unsigned char d = s_[i + 1];
        if (d != ' ' && d != '\t' && d != '!') return i + 1;
      }
    }
    return skipFrom(i);
  }

  [[gnu::noinline]] std::size_t skipFrom(std::size_t i) const {
    while (i < sig_) {
      const unsigned char c = s_[i];
      if (c == ' ' || c == '\t') {
        ++i;
        // The rest of the run a word at a time, while a whole word is left.
        while (i + kWordBytes <= sig_) {
          const std::size_t blanks = bytesBeforeFirst(
              bytesOtherThanBlankOrTab(loadWord(reinterpret_cast<const char*>(s_) + i)));
          i += blanks;
          if (blanks < kWordBytes) break;
        }
      } else if (c == '!') {
        i = (i / w_ + 1) * w_;
      } else {
        return i;
      }
    }
    return n_;
  }

  std::uint8_t classAt(std::size_t i) const { return cls_[s_[i]]; }
  bool nameChar(std::size_t i) const { return classAt(i) >= kClassDigit; }

  // A name character that is neither a blank, a TAB nor a "!" (all three
  // are of the class of letters).
  bool nameCharStanding(std::size_t i) const {
    const unsigned char c = s_[i];
    return cls_[c] >= kClassDigit && c != ' ' && c != '\t' && c != '!';
  }

  // The n characters from i on, as put would write them one by one.
  void putRun(std::size_t i, std::size_t n) {
    // Most runs are short names: a copy of constant size where the text and
    // the buffer have room for it (the bytes past the run are overwritten
    // by whatever comes next, or never read).
    if (n <= kShortRun && i + kShortRun <= n_ && kShortRun <= out_.size() - len_) {
      std::memcpy(out_.data() + len_, s_ + i, kShortRun);
      len_ += n;
    } else if (n <= out_.size() - len_) {
      std::memcpy(out_.data() + len_, s_ + i, n);
      len_ += n;
    } else {
      for (std::size_t k = 0; k < n; ++k) put(s_[i + k]);
    }
  }

  void put(unsigned char c) {
    if (len_ < out_.size()) {
      out_[len_++] = static_cast<char>(c);
    } else {
      overflow_ = true;
    }
  }

  // Copies the digits from i on (s[i] is a digit), blanks skipped; returns the
  // index past the last digit. The value saturates far above any text length.
  std::size_t digits(std::size_t i, std::int64_t& value) {
    constexpr std::int64_t kCap = std::int64_t{1} << 40;
    value = 0;
    for (;;) {
      put(s_[i]);
      value = std::min(kCap, value * 10 + (s_[i] - '0'));
      const std::size_t j = skip(i + 1);
      if (j >= n_ || !isDigit(s_[j])) return i + 1;
      i = j;
    }
  }

  // Digits, letters and periods up to the next other special character.
  std::size_t digitLedRest(std::size_t i) {
    for (;;) {
      const std::size_t j = skip(i);
      if (j >= n_ || !(nameChar(j) || s_[j] == '.')) return i;
      put(s_[j]);
      i = j + 1;
    }
  }

  Scanned number(std::size_t i) {
    std::int64_t count = 0;
    const std::size_t intEnd = digits(i, count);
    const std::size_t j = skip(intEnd);
    if (j >= n_) return {TokenKind::kInteger, intEnd};
    const unsigned char c = s_[j];
    if (c == '.') return fraction(j, intEnd);
    if (classAt(j) != kClassOther || quote_ == QuoteMode::kNoLetters)
      return {TokenKind::kInteger, intEnd};
    switch (toUpper(c)) {
      case 'X':
      case 'P':
        put(c);
        return {TokenKind::kInteger, j + 1};
      case 'H':
        return hollerith(j, count);
      default:
        put(c);
        return {TokenKind::kDigitLed, digitLedRest(j + 1)};
    }
  }

  // nH followed by n characters of the text, blanks included. Too few of them
  // give a malformed token of the count and H; scanning resumes after the H.
  Scanned hollerith(std::size_t h, std::int64_t count) {
    put(s_[h]);
    const std::size_t first = h + 1;
    const auto avail = static_cast<std::int64_t>(n_ - first);
    if (avail == 0 || count > avail) return {TokenKind::kMalformed, first};
    const std::size_t end = first + static_cast<std::size_t>(count);
    for (std::size_t k = first; k < end; ++k) put(s_[k]);
    return {TokenKind::kHollerith, end};
  }

  // The "." at d after an integer (ending at intEnd) or leading a real
  // constant (then a digit follows). The "." is written only once taken.
  Scanned fraction(std::size_t d, std::size_t intEnd) {
    std::size_t j = skip(d + 1);
    if (j < n_ && isDigit(s_[j])) {
      put('.');
      std::int64_t unused = 0;
      const std::size_t fracEnd = digits(j, unused);
      j = skip(fracEnd);
      if (j >= n_ || classAt(j) != kClassOther) return {TokenKind::kReal, fracEnd};
      switch (toUpper(s_[j])) {
        case 'E':
          if (!exponentFollows(j)) return {TokenKind::kReal, fracEnd};
          return exponent(j, TokenKind::kReal);
        case 'D':
          return exponent(j, TokenKind::kDouble);
        case 'Q':
          return exponent(j, TokenKind::kQuad);
        default:
          return {TokenKind::kReal, fracEnd};
      }
    }
    if (j < n_ && classAt(j) == kClassOther) {
      // 1.E5 1.D0 1.Q0 are constants; 1.EQ.2 and 1.AND.X end the integer before the ".".
      switch (toUpper(s_[j])) {
        case 'E':
          if (!exponentFollows(j)) return {TokenKind::kInteger, intEnd};
          put('.');
          return exponent(j, TokenKind::kReal);
        case 'D':
          put('.');
          return exponent(j, TokenKind::kDouble);
        case 'Q':
          put('.');
          return exponent(j, TokenKind::kQuad);
        default:
          return {TokenKind::kInteger, intEnd};
      }
    }
    put('.');
    return {TokenKind::kReal, d + 1};
  }

  bool exponentFollows(std::size_t e) {
    const std::size_t j = skip(e + 1);
    return j < n_ && (isDigit(s_[j]) || s_[j] == '+' || s_[j] == '-');
  }

  // The exponent letter at e, an optional sign and digits. Without digits the
  // token is malformed and ends after the letter or sign.
  Scanned exponent(std::size_t e, TokenKind kind) {
    put(s_[e]);
    std::size_t end = e + 1;
    std::size_t j = skip(end);
    if (j < n_ && (s_[j] == '+' || s_[j] == '-')) {
      put(s_[j]);
      end = j + 1;
      j = skip(end);
    }
    if (j >= n_ || !isDigit(s_[j])) return {TokenKind::kMalformed, end};
    std::int64_t unused = 0;
    return {kind, digits(j, unused)};
  }

  Scanned name(std::size_t i) {
    const unsigned char first = s_[i];
    std::size_t count = 0;
    std::size_t end = i;  // past the last name character taken
    std::size_t j = i;
    do {
      // The characters that stand together go at once; then the blanks.
      std::size_t k = j + 1;
      while (k < sig_ && nameCharStanding(k)) ++k;
      putRun(j, k - j);
      count += k - j;
      end = k;
      j = skip(k);
    } while (j < n_ && nameChar(j));
    if (j >= n_) return {TokenKind::kName, end};
    const unsigned char c = s_[j];
    if (c == '(') return {TokenKind::kNameParen, end};
    if (c == '.') {
      // F10.2: a "." and a digit continue the name as a digit-led token.
      const std::size_t k = skip(j + 1);
      if (k < n_ && isDigit(s_[k])) {
        put('.');
        put(s_[k]);
        return {TokenKind::kDigitLed, digitLedRest(k + 1)};
      }
      return {TokenKind::kName, end};
    }
    if (classAt(j) == kClassQuote && count == 1) {
      switch (toUpper(first)) {
        case 'B':
          return bozConstant(j, TokenKind::kBinary);
        case 'O':
          return bozConstant(j, TokenKind::kOctal);
        case 'Z':
          return bozConstant(j, TokenKind::kHex);
        default:
          break;
      }
    }
    return {TokenKind::kName, end};
  }

  // The quoted digits of B'...', O'...', Z'...', blanks skipped.
  Scanned bozConstant(std::size_t q, TokenKind kind) {
    put(s_[q]);
    std::size_t i = q + 1;
    for (;;) {
      const std::size_t j = skip(i);
      if (j >= n_) return {TokenKind::kMalformed, n_};
      put(s_[j]);
      if (s_[j] == s_[q]) return {kind, j + 1};
      i = j + 1;
    }
  }

  // Copied unchanged up to the closing quote; a doubled quote stays in it.
  Scanned characterConstant(std::size_t q) {
    const unsigned char mark = s_[q];
    put(mark);
    if (quote_ == QuoteMode::kAlone) return {TokenKind::kQuote, q + 1};
    std::size_t i = q + 1;
    while (i < n_) {
      const unsigned char c = s_[i++];
      put(c);
      if (c != mark) continue;
      if (i < n_ && s_[i] == mark) {
        put(mark);
        ++i;
        continue;
      }
      return {TokenKind::kCharacter, i};
    }
    return {TokenKind::kMalformed, n_};
  }

  Scanned op(std::size_t i) {
    const unsigned char c = s_[i];
    put(c);
    const std::size_t j = skip(i + 1);
    if (j < n_) {
      if (const TokenKind pair = pairKind(c, s_[j]); pair != TokenKind::kNone) {
        put(s_[j]);
        return {pair, j + 1};
      }
    }
    return {kSingleKind[cls_[c]], i + 1};
  }

  // .EQ., .TRUE. and the like; a real constant .5; else the "." alone.
  Scanned dot(std::size_t d) {
    std::size_t j = skip(d + 1);
    if (j < n_ && isDigit(s_[j])) return fraction(d, d);
    std::array<std::size_t, kMaxDotLetters> at{};
    std::size_t m = 0;
    while (j < n_ && m < kMaxDotLetters && isLetter(s_[j])) {
      at[m++] = j;
      j = skip(j + 1);
    }
    if (m > 0 && j < n_ && s_[j] == '.') {
      for (const DotWord& word : kDotWords) {
        if (word.letters.size() != m) continue;
        std::size_t k = 0;
        while (k < m && toUpper(s_[at[k]]) == word.letters[k]) ++k;
        if (k < m) continue;
        put('.');
        for (k = 0; k < m; ++k) put(s_[at[k]]);
        put('.');
        return {word.kind, j + 1};
      }
    }
    put('.');
    return {TokenKind::kLoneDot, d + 1};
  }

  const std::array<std::uint8_t, 256>& cls_;
  QuoteMode quote_;
  const unsigned char* s_;
  std::size_t n_;
  std::size_t sig_;  // past the last character that is not a blank or a tab
  std::size_t w_;
  std::span<char> out_;
  std::size_t len_ = 0;
  bool overflow_ = false;
  std::size_t lastSkipFrom_ = n_ + 1;
  std::size_t lastSkipTo_ = 0;
};

const std::array<std::uint8_t, 256>& tableOf(CharacterCode code) {
  return code == CharacterCode::kEbcdic ? kEbcdicClass : kAsciiClass;
}

}  // namespace

std::size_t significantEnd(std::string_view text) {
  std::size_t end = text.size();
  while (end >= kWordBytes) {
    const std::size_t blanks =
        bytesAfterLast(bytesOtherThanBlankOrTab(loadWord(text.data() + end - kWordBytes)));
    end -= blanks;
    if (blanks < kWordBytes) return end;
  }
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return end;
}

TokenSource::TokenSource(CharacterCode code, std::string_view statementText,
                         std::int32_t cardWidth) {
  // Positions are 32-bit; a longer text is read up to the largest one.
  constexpr std::size_t kMaxText = std::numeric_limits<std::int32_t>::max() - 1;
  text = statementText.substr(0, std::min(statementText.size(), kMaxText));
  significant = significantEnd(text);
  // Without a usable card width a comment runs to the end of the text.
  width = cardWidth >= 1 ? static_cast<std::size_t>(cardWidth) : text.size() + 1;
  ebcdic = code == CharacterCode::kEbcdic;
}

TokenResult nextToken(CharacterCode code, QuoteMode quote, std::string_view text,
                      std::int32_t cardWidth, std::int32_t& inputPos, std::int32_t outputPos,
                      std::span<char> buffer) {
  TokenSource source(code, text, cardWidth);
  return nextToken(source, quote, inputPos, outputPos, buffer);
}

TokenResult nextToken(TokenSource& source, QuoteMode quote, std::int32_t& inputPos,
                      std::int32_t outputPos, std::span<char> buffer) {
  const std::size_t n = source.text.size();
  std::span<char> out;
  if (outputPos >= 1 && static_cast<std::size_t>(outputPos) <= buffer.size()) {
    out = buffer.subspan(static_cast<std::size_t>(outputPos) - 1);
  }
  Scanner scanner{source.ebcdic ? kEbcdicClass : kAsciiClass,
                  quote,
                  source.text,
                  source.significant,
                  source.width,
                  out};

  const std::size_t start = std::min(inputPos >= 1 ? static_cast<std::size_t>(inputPos) - 1 : 0, n);
  // A token's scan has often passed the blanks after it already.
  const std::size_t i = start == source.resumeFrom ? source.resumeAt : scanner.skip(start);
  if (i >= n) {
    inputPos = static_cast<std::int32_t>(n) + 1;
    return {TokenKind::kEnd, 0};
  }
  const Scanned t = scanner.scan(i);
  if (scanner.lastSkipFrom() == t.end) {
    source.resumeFrom = t.end;
    source.resumeAt = scanner.lastSkipTo();
  }
  inputPos = static_cast<std::int32_t>(t.end) + 1;
  const auto length = static_cast<std::int32_t>(scanner.written());
  return {scanner.overflowed() ? TokenKind::kMalformed : t.kind, length};
}

std::int32_t charClass(CharacterCode code, unsigned char c) {
  return tableOf(code)[c];
}

}  // namespace ksfort
