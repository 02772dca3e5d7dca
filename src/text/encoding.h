// Byte-order marks, line splitting and line writing for every text file the
// program reads or writes.
#pragma once

#include <string>
#include <string_view>

#include "text/line_store.h"
#include "text/text.h"

namespace quillon {

class FileSystem;

// Format codes of a byte-order mark (they double as reading formats).
enum FormatCode : int {
  kFormatUnreadable = 0,  // the file could not be opened
  kFormatUtf8 = 2,
  kFormatUtf16Be = 4,
  kFormatUtf32Le = 5,
  kFormatUtf32Be = 6,
  kFormatAscii = 24,  // no mark: one byte per character
  kFormatUtf16Le = 25,
};

struct BomInfo {
  int format = kFormatAscii;
  size_t length = 0;  // bytes the mark occupies
};

// Looks at the first four bytes (fewer when shorter), longest mark first.
BomInfo DetectBom(std::string_view bytes);

// Splits bytes (after the mark) into lines decoded with `format`: 2 = UTF-8,
// 25 = UTF-16 LE, every other code one byte per character. Lines end at LF,
// CR or CR LF; a final terminator yields no extra empty line.
Lines DecodeLines(std::string_view bytes, int format);
// The same lines in one store.
LineStore DecodeLineStore(std::string_view bytes, int format);

// Lines of UTF-8 text; a UTF-8 mark at the start is skipped.
Lines DecodeUtf8Lines(std::string_view bytes);

// Output formats of generated files.
enum OutputFormat : int { kOutputUtf8 = kFormatUtf8, kOutputAscii = kFormatAscii };

// How bytes without a mark are read. While the run writes UTF-8, text that is
// valid UTF-8 and holds a byte above 0x7F was saved as UTF-8 by an editor that
// writes no mark: reading it one byte per character would encode it twice.
// Otherwise one byte per character, so that every byte passes through.
int MarklessFormat(std::string_view bytes, int output_format);

// A whole text file: its detected mark and its lines.
struct TextFile {
  int bom = kFormatAscii;
  Lines lines;
};

// A whole text file in one store, for the large files a run reads whole,
// edits in a few places and writes back.
struct TextStoreFile {
  int bom = kFormatAscii;
  LineStore lines;
};

// Reads a file and decodes it with its detected mark; a file without mark as
// MarklessFormat says for `output_format`. False when unreadable.
bool ReadTextFile(const std::string& path, TextFile* out, int output_format = kOutputAscii);
// Reads a file, skips its mark, decodes with `format_for_mark(bom)`; a file
// without mark as MarklessFormat says for `output_format`.
// Used where the reading format is fixed by the mark (e.g. "24 when no
// mark, otherwise 2").
bool ReadTextFileAs(const std::string& path, int (*format_for_mark)(int bom), TextFile* out,
                    int output_format = kOutputAscii);
// The same through a run's file system, which remembers what it read.
bool ReadTextFile(FileSystem& files, const std::string& path, TextFile* out, int output_format = kOutputAscii);
bool ReadTextFileAs(FileSystem& files, const std::string& path, int (*format_for_mark)(int bom), TextFile* out,
                    int output_format = kOutputAscii);
bool ReadTextFile(FileSystem& files, const std::string& path, TextStoreFile* out, int output_format = kOutputAscii);
// "24 when the file has no mark, otherwise 2".
int AsciiOrUtf8(int bom);

// The mark of a file, or kFormatUnreadable when it cannot be opened.
int ReadBomOfFile(const std::string& path);
int ReadBomOfFile(FileSystem& files, const std::string& path);

// Lines encoded for writing: UTF-8 with EF BB BF, or one byte per character
// without mark (a character above U+00FF is left out); LF after every line.
std::string EncodeLines(const Lines& lines, int output_format, bool with_bom = true);
std::string EncodeLines(const LineStore& lines, int output_format, bool with_bom = true);
// True when some line holds a character that one byte cannot carry.
bool NeedsWideEncoding(const Lines& lines);
bool NeedsWideEncoding(const LineStore& lines);

}  // namespace quillon
