#include "text/text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace quillon {

namespace {

// Length of a UTF-8 sequence from its lead byte, 0 when the byte cannot lead.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

size_t Index(long position) { return static_cast<size_t>(position - 1); }

}  // namespace

namespace {

// Length of the valid UTF-8 sequence at `i` with its code point in `cp`, or 0
// for a byte that starts no valid sequence (cut, overlong, a surrogate or a
// value above U+10FFFF).
int ValidSequenceAt(std::string_view bytes, size_t i, char32_t* cp) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  const int len = SequenceLength(lead);
  if (len == 0 || i + static_cast<size_t>(len) > bytes.size()) return 0;
  if (len == 1) {
    *cp = lead;
    return 1;
  }
  char32_t value = lead & (0x7F >> len);
  for (int k = 1; k < len; ++k) {
    const auto cont = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
    if ((cont & 0xC0) != 0x80) return 0;
    value = (value << 6) | (cont & 0x3F);
  }
  if ((len == 3 && value < 0x800) || (len == 4 && (value < 0x10000 || value > 0x10FFFF)) ||
      (value >= 0xD800 && value <= 0xDFFF)) {
    return 0;
  }
  *cp = value;
  return len;
}

}  // namespace

size_t AsciiPrefix(std::string_view bytes) {
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & 0x8080808080808080ull) break;
  }
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
  return i;
}

int CodePointAt(TextView text, size_t i, char32_t* code_point) { return ValidSequenceAt(text, i, code_point); }

void AppendCodePoint(char32_t c, Text* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    const char32_t v = c > 0x10FFFF ? 0xFFFD : c;
    out->push_back(static_cast<char>(0xF0 | (v >> 18)));
    out->push_back(static_cast<char>(0x80 | ((v >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((v >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (v & 0x3F)));
  }
}

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t cp = 0;
    const int len = ValidSequenceAt(bytes, i, &cp);
    if (len == 0) return false;
    i += static_cast<size_t>(len);
  }
  return true;
}

bool HasWideCharacter(TextView text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) < 0x80) continue;
    char32_t cp = 0;
    const int len = ValidSequenceAt(text, i, &cp);
    if (cp > 0xFF && len > 0) return true;
    if (len > 1) i += static_cast<size_t>(len - 1);
  }
  return false;
}

Text Upper(TextView text) {
  Text out;
  UpperInto(text, &out);
  return out;
}

namespace {

struct Capital {
  char32_t from;
  char32_t to;
};

// Characters whose capital takes as many UTF-8 bytes, in code-point order.
constexpr Capital kCapitals[] = {
#include "text/upper_table.inc"
};

char32_t CapitalOf(char32_t c) {
  const Capital* end = std::end(kCapitals);
  const Capital* at = std::lower_bound(std::begin(kCapitals), end, c,
                                       [](const Capital& entry, char32_t value) { return entry.from < value; });
  return at != end && at->from == c ? at->to : c;
}

// The capital of the sequence at `i` written over `dst`; a sequence without
// one is copied. Returns the bytes consumed.
size_t UpperSequence(TextView text, size_t i, char* dst) {
  char32_t cp = 0;
  const int len = ValidSequenceAt(text, i, &cp);
  if (len == 0) {
    *dst = text[i];
    return 1;
  }
  const char32_t upper = CapitalOf(cp);
  if (upper == cp) {
    std::memcpy(dst, text.data() + i, static_cast<size_t>(len));
  } else {
    Text encoded;
    AppendCodePoint(upper, &encoded);
    std::memcpy(dst, encoded.data(), encoded.size());  // the same length, as the table holds only such
  }
  return static_cast<size_t>(len);
}

}  // namespace

void UpperInto(TextView text, Text* out) {
  out->resize(text.size());
  char* dst = out->data();
  size_t i = 0;
  // Eight ASCII bytes at a time: a..z lose 0x20. In each byte below 0x80,
  // bit 7 of c + 0x1F says c >= 'a', of c + 0x05 that c > 'z'.
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  while (i < text.size()) {
    for (; i + 8 <= text.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, 8);
      if (word & kHighs) break;
      word -= (((word + kOnes * 0x1F) & ~(word + kOnes * 0x05)) & kHighs) >> 2;
      std::memcpy(dst + i, &word, 8);
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) {
      dst[i] = UpperChar(text[i]);
      ++i;
    }
    if (i < text.size()) i += UpperSequence(text, i, dst + i);
  }
}

size_t FindText(TextView text, TextView what, size_t from) { return text.find(what, from); }

namespace {

// True when `what` matches at `start`, both sides upper-cased.
bool MatchesNoCase(TextView text, TextView what, size_t start) {
  for (size_t k = 0; k < what.size(); ++k) {
    if (UpperChar(text[start + k]) != UpperChar(what[k])) return false;
  }
  return true;
}

// Index of the first occurrence of `what` at or after `from`, both sides
// upper-cased (upper-casing keeps the length, so indices are those of the
// upper-cased texts). A capital of a non-ASCII character is never ASCII, so
// an ASCII `what` compares byte by byte with ASCII folding.
size_t FindNoCase(TextView text, TextView what, size_t from) {
  if (what.size() > text.size() || from > text.size() - what.size()) return TextView::npos;
  if (AsciiPrefix(what) < what.size()) return Upper(text).find(Upper(what), from);
  const size_t last = what.size() - 1;
  const char anchor = what[last];
  const bool ascii_letter = (anchor >= 'a' && anchor <= 'z') || (anchor >= 'A' && anchor <= 'Z');
  if (!ascii_letter) {
    // Keywords end in "(" or "#": the library's fast search for that one
    // byte finds the candidates, the rest is compared at each.
    for (size_t at = from + last; at < text.size(); ++at) {
      const void* hit = std::memchr(text.data() + at, anchor, text.size() - at);
      if (hit == nullptr) return TextView::npos;
      at = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
      if (MatchesNoCase(text, what.substr(0, last), at - last)) return at - last;
    }
    return TextView::npos;
  }
  const char first = UpperChar(what[0]);
  for (size_t i = from; i + what.size() <= text.size(); ++i) {
    if (UpperChar(text[i]) == first && MatchesNoCase(text, what, i)) return i;
  }
  return TextView::npos;
}

}  // namespace

TextView LeftView(TextView text, long count) {
  if (count <= 0) return TextView();
  return text.substr(0, static_cast<size_t>(count));
}

Text Left(TextView text, long count) { return Text(LeftView(text, count)); }

Text Right(TextView text, long count) {
  if (count <= 0) return Text();
  const size_t n = static_cast<size_t>(count);
  if (n >= text.size()) return Text(text);
  return Text(text.substr(text.size() - n));
}

Text Mid(TextView text, long start) {
  if (start < 1) start = 1;
  if (Index(start) >= text.size()) return Text();
  return Text(text.substr(Index(start)));
}

TextView MidView(TextView text, long start, long count) {
  if (count <= 0) return TextView();
  if (start < 1) start = 1;
  if (Index(start) >= text.size()) return TextView();
  return text.substr(Index(start), static_cast<size_t>(count));
}

Text Mid(TextView text, long start, long count) { return Text(MidView(text, start, count)); }

long Position(TextView text, TextView what, long start) {
  if (start < 1) start = 1;
  if (what.empty() || Index(start) >= text.size()) return 0;
  const size_t at = FindText(text, what, Index(start));
  return at == TextView::npos ? 0 : static_cast<long>(at) + 1;
}

long Position(TextView text, char what, long start) {
  if (start < 1) start = 1;
  if (Index(start) >= text.size()) return 0;
  const size_t at = text.find(what, Index(start));
  return at == TextView::npos ? 0 : static_cast<long>(at) + 1;
}

long PositionNoCase(TextView text, TextView what, long start) {
  if (start < 1) start = 1;
  if (what.empty() || Index(start) >= text.size()) return 0;
  const size_t at = FindNoCase(text, what, Index(start));
  return at == TextView::npos ? 0 : static_cast<long>(at) + 1;
}

long LastPosition(TextView text, TextView what, long at) {
  if (what.empty() || text.empty()) return 0;
  size_t from = TextView::npos;
  if (at > 0) from = Index(at);
  const size_t found = text.rfind(what, from);
  return found == TextView::npos ? 0 : static_cast<long>(found) + 1;
}

long LastPosition(TextView text, char what, long at) { return LastPosition(text, TextView(&what, 1), at); }

bool ContainsNoCase(TextView text, TextView keyword) {
  return keyword.empty() || FindNoCase(text, keyword, 0) != TextView::npos;
}

namespace {
template <typename Pred>
TextView TrimIf(TextView text, Pred trim) {
  size_t b = 0;
  size_t e = text.size();
  while (b < e && trim(text[b])) ++b;
  while (e > b && trim(text[e - 1])) --e;
  return text.substr(b, e - b);
}
}  // namespace

TextView TrimmedView(TextView text, char ch) {
  return TrimIf(text, [ch](char c) { return c == ch; });
}

Text TrimBlanks(TextView text) { return Text(TrimmedView(text, ' ')); }
Text TrimTabs(TextView text) { return Text(TrimmedView(text, '\t')); }
Text TrimBlanksAndTabs(TextView text) {
  return Text(TrimIf(text, [](char c) { return c == ' ' || c == '\t'; }));
}
Text TrimChar(TextView text, char ch) { return Text(TrimmedView(text, ch)); }

Text ReplaceNoCase(TextView text, TextView find, TextView replacement) {
  if (find.empty()) return Text(text);
  const Text upper_text = Upper(text);
  const Text upper_find = Upper(find);
  Text out;
  size_t from = 0;
  for (;;) {
    const size_t at = upper_text.find(upper_find, from);
    if (at == Text::npos) break;
    out.append(text.substr(from, at - from));
    out.append(replacement);
    from = at + find.size();
  }
  out.append(text.substr(from));
  return out;
}

Text ReplaceAll(TextView text, TextView find, TextView replacement) {
  if (find.empty()) return Text(text);
  Text out;
  size_t from = 0;
  for (;;) {
    const size_t at = text.find(find, from);
    if (at == TextView::npos) break;
    out.append(text.substr(from, at - from));
    out.append(replacement);
    from = at + find.size();
  }
  out.append(text.substr(from));
  return out;
}

Text Concat(std::initializer_list<TextView> parts) {
  size_t size = 0;
  for (TextView part : parts) size += part.size();
  Text out;
  out.reserve(size);
  for (TextView part : parts) out.append(part);
  return out;
}

Text ToText(long long number) { return T(std::to_string(number)); }

int ParseLeadingInt(TextView text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    ++i;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<int>(value);
}

Text DirectoryPart(TextView path) {
  const size_t slash = path.rfind('/');
  return slash == TextView::npos ? Text() : Text(path.substr(0, slash + 1));
}

Text FilePart(TextView path) {
  const size_t slash = path.rfind('/');
  return slash == TextView::npos ? Text(path) : Text(path.substr(slash + 1));
}

Text ExtensionPart(TextView path) {
  const Text file = FilePart(path);
  const size_t dot = file.rfind('.');
  return dot == Text::npos ? Text() : file.substr(dot + 1);
}

}  // namespace quillon
