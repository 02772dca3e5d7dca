// Text is a sequence of Unicode code points, so that the 1-based character
// positions of the generation rules are plain indices. Bytes that are not valid
// UTF-8 are kept as "escaped bytes" (U+DC80..U+DCFF) and written back unchanged.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

using Text = std::u32string;
using TextView = std::u32string_view;
using Lines = std::vector<Text>;

// --- UTF-8 conversion -------------------------------------------------------
// Decodes UTF-8; each byte of an invalid sequence becomes an escaped byte.
Text FromUtf8(std::string_view bytes);
// The same, appended to `out`.
void AppendFromUtf8(std::string_view bytes, Text* out);
// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view bytes);
// Encodes as UTF-8; escaped bytes become their original byte again.
std::string ToUtf8(TextView text);
// The same, appended to `out`.
void AppendUtf8(std::string& out, TextView text);
// Shorthand for ASCII/UTF-8 literals in code and tests.
inline Text T(std::string_view utf8) { return FromUtf8(utf8); }

constexpr char32_t kEscapedByteFirst = 0xDC80;
constexpr char32_t kEscapedByteLast = 0xDCFF;
inline bool IsEscapedByte(char32_t c) { return c >= kEscapedByteFirst && c <= kEscapedByteLast; }

// True when some character cannot be written one byte per character
// (a code point above U+00FF that is not an escaped byte).
bool HasWideCharacter(TextView text);

// --- Case --------------------------------------------------------------------
// Simple one-to-one upper-casing; never changes the length.
char32_t UpperNonAscii(char32_t c);
inline char32_t UpperChar(char32_t c) {
  if (c < 0x80) return (c >= U'a' && c <= U'z') ? c - 32 : c;
  return UpperNonAscii(c);
}
Text Upper(TextView text);
// The same into `out`, reusing its storage: a loop over many lines keeps one
// buffer instead of allocating a copy per line.
void UpperInto(TextView text, Text* out);

// Index of the first occurrence of `what` at or after index `from`, npos
// when none: TextView::find, with the C library's fast search for the
// first character.
size_t FindText(TextView text, TextView what, size_t from = 0);

// --- BASIC-style helpers, positions count from 1, 0 means "not found" -------
// Out-of-range arguments never fail: a count <= 0 or a start past the end
// gives "", a start below 1 counts from 1.
Text Left(TextView text, long count);
// Left and Mid as views into `text`, for lookups that need no copy.
TextView LeftView(TextView text, long count);
TextView MidView(TextView text, long start, long count);
Text Right(TextView text, long count);
Text Mid(TextView text, long start);
Text Mid(TextView text, long start, long count);
// First occurrence of `what` at or after `start` (case-sensitive).
long Position(TextView text, TextView what, long start = 1);
long Position(TextView text, char32_t what, long start = 1);
// Case-insensitive first occurrence (both sides upper-cased); no copies made.
long PositionNoCase(TextView text, TextView what, long start = 1);
// Last occurrence that starts at or before `at` (0 = search from the end).
long LastPosition(TextView text, TextView what, long at = 0);
long LastPosition(TextView text, char32_t what, long at = 0);
// "Line contains K": case-insensitive substring test. `upper_line` must be
// the upper-cased line; `upper_keyword` an upper-case keyword.
inline bool ContainsUpper(TextView upper_line, TextView upper_keyword) {
  return FindText(upper_line, upper_keyword, 0) != TextView::npos;
}
bool ContainsNoCase(TextView text, TextView keyword);
// ASCII letters, digits and "_" in upper-cased text; everything else,
// letters outside ASCII included, is a word boundary.
inline bool IsUpperWordChar(char32_t c) { return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || c == U'_'; }

Text TrimBlanks(TextView text);                   // blanks at both ends
Text TrimTabs(TextView text);                     // tab characters at both ends
Text TrimBlanksAndTabs(TextView text);            // blanks and tabs at both ends
Text TrimChar(TextView text, char32_t c);         // one given character at both ends
TextView TrimmedView(TextView text, char32_t c);  // the same as a view into `text`

// Every occurrence of `find` (case-insensitive, left to right, non-overlapping)
// replaced by `replacement` inserted unchanged.
Text ReplaceNoCase(TextView text, TextView find, TextView replacement);
// Case-sensitive replacement of every occurrence.
Text ReplaceAll(TextView text, TextView find, TextView replacement);

Text ToText(long long number);
// Reads a leading integer like BASIC's Val(): leading blanks skipped, optional
// sign, text that does not start with a digit gives 0. Saturates to int32.
int ParseLeadingInt(TextView text);

// The parts joined into one text with a single allocation.
Text Concat(std::initializer_list<TextView> parts);

// Directory part of a path: up to and including the last "/" ("" when none).
Text DirectoryPart(TextView path);
// File part of a path: text after the last "/".
Text FilePart(TextView path);
// Extension: text after the last "." of the file part ("" when none).
Text ExtensionPart(TextView path);

}  // namespace quillon
