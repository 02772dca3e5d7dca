#include "text/text.h"

#include <glib.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <cwchar>

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

namespace {

// Number of leading bytes below 0x80, eight at a time where it can.
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

}  // namespace

void AppendFromUtf8(std::string_view bytes, Text* out) {
  // Source files are mostly ASCII: a run of it widens in one go.
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t ascii = AsciiPrefix(bytes.substr(i));
    if (ascii > 0) {
      const size_t at = out->size();
      out->resize(at + ascii);
      char32_t* dst = &(*out)[at];
      const char* src = bytes.data() + i;
      for (size_t k = 0; k < ascii; ++k) dst[k] = static_cast<unsigned char>(src[k]);
      i += ascii;
      if (i == bytes.size()) break;
    }
    char32_t cp = 0;
    const int len = ValidSequenceAt(bytes, i, &cp);
    if (len > 0) {
      out->push_back(cp);
      i += static_cast<size_t>(len);
    } else {
      out->push_back(kEscapedByteFirst + (static_cast<unsigned char>(bytes[i]) - 0x80));  // >= 0x80 here
      ++i;
    }
  }
}

Text FromUtf8(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  AppendFromUtf8(bytes, &out);
  return out;
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

void AppendUtf8(std::string& out, TextView text) {
  size_t i = 0;
  while (i < text.size()) {
    // A run of ASCII narrows in one go.
    size_t end = i;
    while (end + 4 <= text.size() && (text[end] | text[end + 1] | text[end + 2] | text[end + 3]) < 0x80) end += 4;
    while (end < text.size() && text[end] < 0x80) ++end;
    if (end > i) {
      const size_t at = out.size();
      out.resize(at + (end - i));
      char* dst = &out[at];
      for (size_t k = i; k < end; ++k) *dst++ = static_cast<char>(text[k]);
      i = end;
      if (i == text.size()) break;
    }
    const char32_t c = text[i++];
    if (IsEscapedByte(c)) {
      out.push_back(static_cast<char>(c - kEscapedByteFirst + 0x80));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      const char32_t v = c > 0x10FFFF ? 0xFFFD : c;
      out.push_back(static_cast<char>(0xF0 | (v >> 18)));
      out.push_back(static_cast<char>(0x80 | ((v >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((v >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
    }
  }
}

std::string ToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size());
  AppendUtf8(out, text);
  return out;
}

bool HasWideCharacter(TextView text) {
  for (char32_t c : text) {
    if (c > 0xFF && !IsEscapedByte(c)) return true;
  }
  return false;
}

char32_t UpperNonAscii(char32_t c) {
  if (IsEscapedByte(c) || c > 0x10FFFF) return c;
  return static_cast<char32_t>(g_unichar_toupper(static_cast<gunichar>(c)));
}

Text Upper(TextView text) {
  Text out;
  UpperInto(text, &out);
  return out;
}

void UpperInto(TextView text, Text* out) {
  out->resize(text.size());
  char32_t* dst = out->data();
  size_t i = 0;
  // Two ASCII characters at a time: a..z lose 0x20. In each 32-bit half
  // below 0x80, bit 7 of c + 0x1F says c >= 'a', of c + 0x05 that c > 'z'.
  constexpr std::uint64_t kHigh = 0xFFFFFF80FFFFFF80ull, kFromA = 0x0000001F0000001Full;
  constexpr std::uint64_t kPastZ = 0x0000000500000005ull, kBit7 = 0x0000008000000080ull;
  for (; i + 2 <= text.size(); i += 2) {
    std::uint64_t pair;
    std::memcpy(&pair, text.data() + i, 8);
    if (pair & kHigh) {
      dst[i] = UpperChar(text[i]);
      dst[i + 1] = UpperChar(text[i + 1]);
      continue;
    }
    pair -= (((pair + kFromA) & ~(pair + kPastZ)) & kBit7) >> 2;
    std::memcpy(dst + i, &pair, 8);
  }
  if (i < text.size()) dst[i] = UpperChar(text[i]);
}

size_t FindText(TextView text, TextView what, size_t from) {
  if (what.empty()) return from <= text.size() ? from : TextView::npos;
  if (what.size() > text.size()) return TextView::npos;
  // The library's wide-character search finds the candidates for the first
  // character; std::u32string_view::find compares one character at a time.
  static_assert(sizeof(wchar_t) == sizeof(char32_t), "wide characters hold code points");
  const auto* base = reinterpret_cast<const wchar_t*>(text.data());
  const auto* needle = reinterpret_cast<const wchar_t*>(what.data());
  const size_t last_start = text.size() - what.size();
  for (size_t at = from; at <= last_start; ++at) {
    const wchar_t* hit = std::wmemchr(base + at, needle[0], last_start - at + 1);
    if (hit == nullptr) return TextView::npos;
    at = static_cast<size_t>(hit - base);
    if (std::wmemcmp(base + at + 1, needle + 1, what.size() - 1) == 0) return at;
  }
  return TextView::npos;
}

namespace {

// True when `what` matches at `start`, both sides upper-cased.
bool MatchesNoCase(TextView text, TextView what, size_t start) {
  for (size_t k = 0; k < what.size(); ++k) {
    if (UpperChar(text[start + k]) != UpperChar(what[k])) return false;
  }
  return true;
}

// Index of the first occurrence of `what` at or after `from`, comparing both
// sides upper-cased character by character (upper-casing keeps the length,
// so indices are those of the upper-cased texts).
size_t FindNoCase(TextView text, TextView what, size_t from) {
  if (what.size() > text.size() || from > text.size() - what.size()) return TextView::npos;
  const size_t last = what.size() - 1;
  const char32_t anchor = what[last];
  const bool ascii_letter = (anchor >= U'a' && anchor <= U'z') || (anchor >= U'A' && anchor <= U'Z');
  if (anchor < 0x80 && !ascii_letter) {
    // Only the character itself upper-cases to an ASCII character that is
    // no letter (keywords end in "(" or "#"): the library's fast search for
    // one character finds the candidates, the rest is compared at each.
    static_assert(sizeof(wchar_t) == sizeof(char32_t), "wide characters hold code points");
    const auto* base = reinterpret_cast<const wchar_t*>(text.data());
    for (size_t at = from + last; at < text.size(); ++at) {
      const wchar_t* hit = std::wmemchr(base + at, static_cast<wchar_t>(anchor), text.size() - at);
      if (hit == nullptr) return TextView::npos;
      at = static_cast<size_t>(hit - base);
      if (MatchesNoCase(text, what.substr(0, last), at - last)) return at - last;
    }
    return TextView::npos;
  }
  const char32_t first = UpperChar(what[0]);
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

long Position(TextView text, char32_t what, long start) {
  if (start < 1) start = 1;
  if (Index(start) >= text.size()) return 0;
  const auto* base = reinterpret_cast<const wchar_t*>(text.data());
  const wchar_t* hit = std::wmemchr(base + Index(start), static_cast<wchar_t>(what), text.size() - Index(start));
  return hit == nullptr ? 0 : static_cast<long>(hit - base) + 1;
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

long LastPosition(TextView text, char32_t what, long at) { return LastPosition(text, TextView(&what, 1), at); }

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

TextView TrimmedView(TextView text, char32_t ch) {
  return TrimIf(text, [ch](char32_t c) { return c == ch; });
}

Text TrimBlanks(TextView text) { return Text(TrimmedView(text, U' ')); }
Text TrimTabs(TextView text) { return Text(TrimmedView(text, U'\t')); }
Text TrimBlanksAndTabs(TextView text) {
  return Text(TrimIf(text, [](char32_t c) { return c == U' ' || c == U'\t'; }));
}
Text TrimChar(TextView text, char32_t ch) { return Text(TrimmedView(text, ch)); }

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
  while (i < text.size() && (text[i] == U' ' || text[i] == U'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == U'-' || text[i] == U'+')) {
    negative = text[i] == U'-';
    ++i;
  }
  long long value = 0;
  while (i < text.size() && text[i] >= U'0' && text[i] <= U'9') {
    value = value * 10 + (text[i] - U'0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    ++i;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<int>(value);
}

Text DirectoryPart(TextView path) {
  const size_t slash = path.rfind(U'/');
  return slash == TextView::npos ? Text() : Text(path.substr(0, slash + 1));
}

Text FilePart(TextView path) {
  const size_t slash = path.rfind(U'/');
  return slash == TextView::npos ? Text(path) : Text(path.substr(slash + 1));
}

Text ExtensionPart(TextView path) {
  const Text file = FilePart(path);
  const size_t dot = file.rfind(U'.');
  return dot == Text::npos ? Text() : file.substr(dot + 1);
}

}  // namespace quillon
