// Text is UTF-8, one line of a file as it stands: bytes that are not valid
// UTF-8 stay as they are and are written back unchanged. Positions count
// bytes from 1. Every rule finds its positions in the text it then cuts, and
// the characters it looks for are ASCII, which never occurs inside a longer
// UTF-8 sequence; a line costs one byte per byte of its file.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

using Text = std::string;
using TextView = std::string_view;
using Lines = std::vector<Text>;

// --- UTF-8 conversion -------------------------------------------------------
// Text is UTF-8 already: these mark where bytes from outside become text
// and text goes back out.
inline Text FromUtf8(std::string_view bytes) { return Text(bytes); }
inline std::string ToUtf8(TextView text) { return std::string(text); }
// Shorthand for ASCII/UTF-8 literals in code and tests.
inline Text T(std::string_view utf8) { return Text(utf8); }
// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view bytes);
// Number of leading bytes below 0x80 (all of them for ASCII text).
size_t AsciiPrefix(std::string_view bytes);

// The code point of the valid UTF-8 sequence at `i` and its length in
// bytes; 0 for a byte that starts none (it stands for itself).
int CodePointAt(TextView text, size_t i, char32_t* code_point);
// Appends `code_point` as UTF-8 (above U+10FFFF: U+FFFD).
void AppendCodePoint(char32_t code_point, Text* out);

// True when some character cannot be written one byte per character
// (a code point above U+00FF; a byte of no valid sequence is written as is).
bool HasWideCharacter(TextView text);

// --- Case --------------------------------------------------------------------
// Simple one-to-one upper-casing that keeps the length in bytes: a
// character whose capital takes another number of bytes stays as it is.
// UpperChar upper-cases one ASCII byte and leaves every other byte.
inline char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
Text Upper(TextView text);
// The same into `out`, reusing its storage: a loop over many lines keeps one
// buffer instead of allocating a copy per line.
void UpperInto(TextView text, Text* out);

// Index of the first occurrence of `what` at or after index `from`, npos
// when none (TextView::find, which finds the first byte with memchr).
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
long Position(TextView text, char what, long start = 1);
// Case-insensitive first occurrence (both sides upper-cased); no copies made.
long PositionNoCase(TextView text, TextView what, long start = 1);
// Last occurrence that starts at or before `at` (0 = search from the end).
long LastPosition(TextView text, TextView what, long at = 0);
long LastPosition(TextView text, char what, long at = 0);
// "Line contains K": case-insensitive substring test. `upper_line` must be
// the upper-cased line; `upper_keyword` an upper-case keyword.
inline bool ContainsUpper(TextView upper_line, TextView upper_keyword) {
  return FindText(upper_line, upper_keyword, 0) != TextView::npos;
}
bool ContainsNoCase(TextView text, TextView keyword);
// ASCII letters, digits and "_" in upper-cased text; everything else,
// letters outside ASCII included, is a word boundary.
inline bool IsUpperWordChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_'; }

// Index of the first byte at or after `from` that is neither blank nor tab,
// npos when none: find_first_not_of(" \t") without a search of the set per
// byte.
inline size_t SkipBlanksAndTabs(TextView text, size_t from = 0) {
  while (from < text.size() && (text[from] == ' ' || text[from] == '\t')) ++from;
  return from < text.size() ? from : TextView::npos;
}

Text TrimBlanks(TextView text);               // blanks at both ends
Text TrimTabs(TextView text);                 // tab characters at both ends
Text TrimBlanksAndTabs(TextView text);        // blanks and tabs at both ends
Text TrimChar(TextView text, char c);         // one given character at both ends
TextView TrimmedView(TextView text, char c);  // the same as a view into `text`

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
