#include "text/encoding.h"

#include <cstdint>
#include <cstring>

#include "io/file_io.h"
#include "io/file_system.h"

namespace quillon {

BomInfo DetectBom(std::string_view b) {
  auto starts = [&b](std::initializer_list<unsigned char> mark) {
    if (b.size() < mark.size()) return false;
    size_t i = 0;
    for (unsigned char m : mark) {
      if (static_cast<unsigned char>(b[i++]) != m) return false;
    }
    return true;
  };
  if (starts({0xFF, 0xFE, 0x00, 0x00})) return {kFormatUtf32Le, 4};
  if (starts({0x00, 0x00, 0xFE, 0xFF})) return {kFormatUtf32Be, 4};
  if (starts({0xEF, 0xBB, 0xBF})) return {kFormatUtf8, 3};
  if (starts({0xFF, 0xFE})) return {kFormatUtf16Le, 2};
  if (starts({0xFE, 0xFF})) return {kFormatUtf16Be, 2};
  return {kFormatAscii, 0};
}

namespace {

// One byte per character: a byte above 0x7F is the code point of its value.
Text DecodeSingleByte(std::string_view bytes) {
  const size_t ascii = AsciiPrefix(bytes);
  Text out(bytes.substr(0, ascii));
  if (ascii == bytes.size()) return out;
  out.reserve(bytes.size() + (bytes.size() - ascii));
  for (size_t i = ascii; i < bytes.size(); ++i) AppendCodePoint(static_cast<unsigned char>(bytes[i]), &out);
  return out;
}

// UTF-16 LE into UTF-8; a valid surrogate pair becomes one character, a lone
// surrogate is kept as its code unit. An odd trailing byte is kept.
Text DecodeUtf16Le(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i + 1 < bytes.size()) {
    char32_t unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    i += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < bytes.size()) {
      const char32_t low = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendCodePoint(unit, &out);
  }
  if (i < bytes.size()) AppendCodePoint(static_cast<unsigned char>(bytes[i]), &out);
  return out;
}

// Appends the text one byte per character: a code point up to U+00FF is its
// byte, a byte of no valid sequence stands for itself, anything wider is
// left out.
void AppendSingleByte(TextView text, std::string* out) {
  size_t i = 0;
  while (i < text.size()) {
    const size_t ascii = AsciiPrefix(text.substr(i));
    out->append(text.substr(i, ascii));
    i += ascii;
    if (i == text.size()) break;
    char32_t cp = 0;
    const int len = CodePointAt(text, i, &cp);
    if (len == 0) {
      out->push_back(text[i++]);
      continue;
    }
    if (cp <= 0xFF) out->push_back(static_cast<char>(cp));
    i += static_cast<size_t>(len);
  }
}

// The line ends of a text, found left to right: each LF by the C library's
// vectorised search, up to the next CR, which is looked for again only once
// passed, so that a text without any CR is searched for one a single time.
class LineEnds {
 public:
  explicit LineEnds(std::string_view bytes) : bytes_(bytes), next_cr_(Find('\r', 0, bytes.size())) {}

  // Index of the first LF or CR at or after `i`, or the size; `i` must not
  // be less than at the call before.
  size_t Next(size_t i) {
    if (next_cr_ < i) next_cr_ = Find('\r', i, bytes_.size());
    return Find('\n', i, next_cr_);
  }

 private:
  // Index of the first `c` in [from, to), or `to`.
  size_t Find(char c, size_t from, size_t to) const {
    if (from >= to) return to;  // also keeps an empty view's null pointer out of memchr
    const void* at = std::memchr(bytes_.data() + from, c, to - from);
    return at ? static_cast<size_t>(static_cast<const char*>(at) - bytes_.data()) : to;
  }

  std::string_view bytes_;
  size_t next_cr_;
};

// Upper bound of the number of lines, so that the list is allocated once.
size_t CountLineEnds(std::string_view bytes) {
  size_t count = 1;
  LineEnds ends(bytes);
  for (size_t i = ends.Next(0); i < bytes.size(); i = ends.Next(i + 1)) ++count;
  return count;
}

// Calls `line` with the start and length of each line of `bytes`: lines end
// at LF, CR or CR LF, and a final terminator yields no extra empty line.
// UTF-8 and one byte per character split on the bytes themselves: a CR or
// LF byte is never part of a longer UTF-8 sequence.
template <class Line>
void SplitLines(std::string_view bytes, Line line) {
  LineEnds ends(bytes);
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = ends.Next(start);
    line(start, end - start);
    start = end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
  }
}

// Hands each line of `bytes`, decoded with `format`, to `add`, after telling
// `reserve` how many lines and bytes at most will come.
template <class Reserve, class Add>
void DecodeEachLine(std::string_view bytes, int format, Reserve reserve, Add add) {
  if (format == kFormatUtf16Le) {
    // Decoding first and splitting afterwards: CR and LF decode to themselves.
    const Text all = DecodeUtf16Le(bytes);
    SplitLines(all, [&](size_t start, size_t count) { add(TextView(all).substr(start, count)); });
    return;
  }
  // No decoded copy of the whole file is made.
  reserve(CountLineEnds(bytes), bytes.size());
  SplitLines(bytes, [&](size_t start, size_t count) {
    const std::string_view line = bytes.substr(start, count);
    if (format == kFormatUtf8) {
      add(line);
    } else {
      add(DecodeSingleByte(line));
    }
  });
}

}  // namespace

Lines DecodeLines(std::string_view bytes, int format) {
  Lines lines;
  DecodeEachLine(
      bytes, format, [&](size_t count, size_t) { lines.reserve(count); },
      [&](TextView line) { lines.emplace_back(line); });
  return lines;
}

LineStore DecodeLineStore(std::string_view bytes, int format) {
  LineStore lines;
  DecodeEachLine(
      bytes, format, [&](size_t count, size_t size) { lines.reserve(count, size); },
      [&](TextView line) { lines.push_back(line); });
  return lines;
}

Lines DecodeUtf8Lines(std::string_view bytes) {
  const size_t skip = DetectBom(bytes).format == kFormatUtf8 ? 3 : 0;
  return DecodeLines(bytes.substr(skip), kFormatUtf8);
}

int AsciiOrUtf8(int bom) { return bom == kFormatAscii ? kFormatAscii : kFormatUtf8; }

static int SameAsMark(int bom) { return bom; }

int MarklessFormat(std::string_view bytes, int output_format) {
  if (output_format != kOutputUtf8) return kFormatAscii;
  const bool high_byte = AsciiPrefix(bytes) < bytes.size();
  return high_byte && IsValidUtf8(bytes) ? kFormatUtf8 : kFormatAscii;
}

// The mark of `bytes` and the format its text is read with.
static BomInfo ReadingFormat(std::string_view bytes, int (*format_for_mark)(int bom), int output_format, int* format) {
  const BomInfo bom = DetectBom(bytes);
  *format = bom.format == kFormatAscii ? MarklessFormat(bytes.substr(bom.length), output_format)
                                       : format_for_mark(bom.format);
  return bom;
}

static void DecodeTextFile(std::string_view bytes, int (*format_for_mark)(int bom), int output_format, TextFile* out) {
  int format = kFormatAscii;
  const BomInfo bom = ReadingFormat(bytes, format_for_mark, output_format, &format);
  out->bom = bom.format;
  out->lines = DecodeLines(bytes.substr(bom.length), format);
}

bool ReadTextFileAs(const std::string& path, int (*format_for_mark)(int bom), TextFile* out, int output_format) {
  std::string bytes;
  if (!ReadFileBytes(path, &bytes)) return false;
  DecodeTextFile(bytes, format_for_mark, output_format, out);
  return true;
}

bool ReadTextFileAs(FileSystem& files, const std::string& path, int (*format_for_mark)(int bom), TextFile* out,
                    int output_format) {
  std::string bytes;
  if (!files.ReadFile(path, &bytes)) return false;
  DecodeTextFile(bytes, format_for_mark, output_format, out);
  return true;
}

bool ReadTextFile(const std::string& path, TextFile* out, int output_format) {
  return ReadTextFileAs(path, SameAsMark, out, output_format);
}

bool ReadTextFile(FileSystem& files, const std::string& path, TextFile* out, int output_format) {
  return ReadTextFileAs(files, path, SameAsMark, out, output_format);
}

bool ReadTextFile(FileSystem& files, const std::string& path, TextStoreFile* out, int output_format) {
  std::string bytes;
  if (!files.ReadFile(path, &bytes)) return false;
  int format = kFormatAscii;
  const BomInfo bom = ReadingFormat(bytes, SameAsMark, output_format, &format);
  out->bom = bom.format;
  if (format != kFormatUtf8) {
    out->lines = DecodeLineStore(std::string_view(bytes).substr(bom.length), format);
    return true;
  }
  // UTF-8 lines are the file's bytes as they stand: the store keeps them.
  const size_t lines = CountLineEnds(std::string_view(bytes).substr(bom.length));
  out->lines.AdoptBuffer(std::move(bytes));
  out->lines.reserve(lines, 0);
  SplitLines(out->lines.Buffer().substr(bom.length),
             [&](size_t start, size_t count) { out->lines.PushBufferLine(bom.length + start, count); });
  return true;
}

int ReadBomOfFile(const std::string& path) {
  std::string head;
  if (!ReadFileHead(path, 4, &head)) return kFormatUnreadable;
  return DetectBom(head).format;
}

int ReadBomOfFile(FileSystem& files, const std::string& path) {
  std::string head;
  if (!files.ReadHead(path, 4, &head)) return kFormatUnreadable;
  return DetectBom(head).format;
}

namespace {

template <class LineList>
std::string EncodeLineList(const LineList& lines, int output_format, bool with_bom) {
  std::string out;
  size_t total = 3;
  for (TextView line : lines) total += line.size() + 1;
  out.reserve(total);
  if (output_format == kOutputUtf8) {
    if (with_bom) out.append("\xEF\xBB\xBF");
    for (TextView line : lines) {
      out.append(line);
      out.push_back('\n');
    }
    return out;
  }
  for (TextView line : lines) {
    AppendSingleByte(line, &out);
    out.push_back('\n');
  }
  return out;
}

template <class LineList>
bool AnyWideCharacter(const LineList& lines) {
  for (TextView line : lines) {
    if (HasWideCharacter(line)) return true;
  }
  return false;
}

}  // namespace

std::string EncodeLines(const Lines& lines, int output_format, bool with_bom) {
  return EncodeLineList(lines, output_format, with_bom);
}

std::string EncodeLines(const LineStore& lines, int output_format, bool with_bom) {
  return EncodeLineList(lines, output_format, with_bom);
}

bool NeedsWideEncoding(const Lines& lines) { return AnyWideCharacter(lines); }

bool NeedsWideEncoding(const LineStore& lines) { return AnyWideCharacter(lines); }

}  // namespace quillon
