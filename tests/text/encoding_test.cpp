#include "text/encoding.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::TempDir;
using testing::WriteBytes;

TEST(ByteOrderMark, EveryMarkLongestFirst) {
  struct Case {
    std::string bytes;
    int format;
    size_t length;
  };
  const Case cases[] = {
      {"", kFormatAscii, 0},
      {"A", kFormatAscii, 0},
      {"\xEF\xBB", kFormatAscii, 0},
      {"\xEF\xBB\xBF", kFormatUtf8, 3},
      {"\xEF\xBB\xBFx", kFormatUtf8, 3},
      {"\xFF\xFE", kFormatUtf16Le, 2},
      {"\xFF\xFE\x41", kFormatUtf16Le, 2},
      {std::string("\xFF\xFE\x00\x00", 4), kFormatUtf32Le, 4},
      {std::string("\xFF\xFE\x00", 3), kFormatUtf16Le, 2},
      {"\xFE\xFF", kFormatUtf16Be, 2},
      {std::string("\x00\x00\xFE\xFF", 4), kFormatUtf32Be, 4},
      {std::string("\x00\x00\xFE", 3), kFormatAscii, 0},
  };
  for (const Case& c : cases) {
    const BomInfo bom = DetectBom(c.bytes);
    EXPECT_EQ(bom.format, c.format) << "bytes of size " << c.bytes.size();
    EXPECT_EQ(bom.length, c.length) << "bytes of size " << c.bytes.size();
  }
}

TEST(ByteOrderMark, FileCodesAndUnreadableFile) {
  TempDir dir;
  WriteBytes(dir.File("u8.pb"), "\xEF\xBB\xBFline\n");
  WriteBytes(dir.File("short.pb"), "\xFF");
  EXPECT_EQ(ReadBomOfFile(dir.File("u8.pb")), kFormatUtf8);
  EXPECT_EQ(ReadBomOfFile(dir.File("short.pb")), kFormatAscii);
  EXPECT_EQ(ReadBomOfFile(dir.File("missing.pb")), kFormatUnreadable);
  EXPECT_EQ(ReadBomOfFile(dir.path()), kFormatUnreadable);  // a directory is no file
}

TEST(LineSplitting, CrLfAndCrLfMixturesAndFinalTerminator) {
  EXPECT_EQ(DecodeLines("a\nb\r\nc\rd", kFormatAscii), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(DecodeLines("a\n", kFormatAscii), (Lines{"a"}));
  EXPECT_EQ(DecodeLines("a\n\n", kFormatAscii), (Lines{"a", ""}));
  EXPECT_EQ(DecodeLines("\r\n\r\n", kFormatAscii), (Lines{"", ""}));
  EXPECT_EQ(DecodeLines("a\r\r\nb", kFormatAscii), (Lines{"a", "", "b"}));
  EXPECT_TRUE(DecodeLines("", kFormatUtf8).empty());
  EXPECT_TRUE(DecodeLines(std::string_view(), kFormatUtf8).empty());  // no data pointer at all
}

// Lines are split on the raw bytes and decoded one by one; that must give
// what decoding the whole text and splitting it gives, also when a broken
// multi-byte sequence runs into a line end.
TEST(LineSplitting, SplittingBytesFirstAgreesWithDecodingTheWholeText) {
  auto decode_then_split = [](std::string_view bytes) {
    const Text all = FromUtf8(bytes);
    Lines lines;
    size_t start = 0;
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i] != '\n' && all[i] != '\r') continue;
      lines.push_back(all.substr(start, i - start));
      if (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') ++i;
      start = i + 1;
    }
    if (start < all.size()) lines.push_back(all.substr(start));
    return lines;
  };
  // The long piece carries line ends past the widths of vectorised searches.
  const char* const pieces[] = {
      "a",        "\n",       "\r",   "\xC3",
      "\xA4",     "\xE2\x82", "\xAC", "\xF0\x9F",
      "\x98\x80", "\xFF",     " ",    "Procedure EventGadget_Window_1_Button_2(EventType) ; no line end here"};
  unsigned seed = 12345;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    const int count = static_cast<int>(seed % 12);
    for (int k = 0; k < count; ++k) {
      seed = seed * 1103515245u + 12345u;
      bytes += pieces[(seed >> 16) % (sizeof pieces / sizeof pieces[0])];
    }
    seed = seed * 1103515245u + 12345u;
    ASSERT_EQ(DecodeLines(bytes, kFormatUtf8), decode_then_split(bytes)) << "round " << round;
  }
}

TEST(LineSplitting, FormatsDecodeByTheirCode) {
  // UTF-8: ä is one character; single byte: two characters (Ã and ¤).
  EXPECT_EQ(DecodeLines("\xC3\xA4", kFormatUtf8), (Lines{"ä"}));
  EXPECT_EQ(DecodeLines("\xC3\xA4", kFormatAscii), (Lines{"Ã¤"}));
  EXPECT_EQ(DecodeLines("\xC3\xA4", kFormatUtf16Be), (Lines{"Ã¤"}));
  // UTF-16 LE with a surrogate pair and CR LF.
  const std::string utf16("A\0\xE4\0=\xD8\x00\xDE\r\0\n\0B\0", 14);
  EXPECT_EQ(DecodeLines(utf16, kFormatUtf16Le), (Lines{"Aä\U0001F600", "B"}));
}

TEST(LineSplitting, NulBytesAndInvalidUtf8AreKept) {
  const std::string bytes("a\0b\n\xFF\xC3", 6);
  const Lines lines = DecodeLines(bytes, kFormatUtf8);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 3u);
  EXPECT_EQ(EncodeLines(lines, kOutputUtf8, false), std::string("a\0b\n\xFF\xC3\n", 7));
}

TEST(TextFileReading, MarkIsConsumedAndFormatsChosen) {
  TempDir dir;
  WriteBytes(dir.File("a.pb"), "\xEF\xBB\xBFK\xC3\xA4se\r\nx");
  TextFile file;
  ASSERT_TRUE(ReadTextFile(dir.File("a.pb"), &file));
  EXPECT_EQ(file.bom, kFormatUtf8);
  EXPECT_EQ(file.lines, (Lines{"Käse", "x"}));
  // A UTF-16 BE mark reads the rest one byte per character.
  WriteBytes(dir.File("be.pb"), std::string("\xFE\xFF\0A", 4));
  ASSERT_TRUE(ReadTextFile(dir.File("be.pb"), &file));
  EXPECT_EQ(file.lines, (Lines{Text{0, 'A'}}));
  // "24 without mark, otherwise 2": a UTF-16 LE mark is then read as UTF-8.
  WriteBytes(dir.File("le.pb"), std::string("\xFF\xFEQ\0", 4));
  ASSERT_TRUE(ReadTextFileAs(dir.File("le.pb"), AsciiOrUtf8, &file));
  EXPECT_EQ(file.lines, (Lines{Text{'Q', 0}}));
  EXPECT_FALSE(ReadTextFile(dir.File("none.pb"), &file));
}

TEST(LineWriting, Utf8WithMarkAndSingleByte) {
  const Lines lines{"Grüße", "", "\U0001F600Ā"};
  EXPECT_EQ(EncodeLines(lines, kOutputUtf8),
            "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
            "e\n\n\xF0\x9F\x98\x80\xC4\x80\n");
  // Single byte: characters above U+00FF are left out, LF after every line.
  EXPECT_EQ(EncodeLines(lines, kOutputAscii),
            "Gr\xFC\xDF"
            "e\n\n\n");
  EXPECT_TRUE(NeedsWideEncoding(lines));
  EXPECT_FALSE(NeedsWideEncoding(Lines{"Grüße"}));
  EXPECT_EQ(EncodeLines(Lines{}, kOutputAscii), "");
}

TEST(LineWriting, SingleByteRoundTripIsExact) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if (b != '\n' && b != '\r') all.push_back(static_cast<char>(b));
  }
  const Lines lines = DecodeLines(all, kFormatAscii);
  EXPECT_EQ(EncodeLines(lines, kOutputAscii), all + "\n");
}

}  // namespace
}  // namespace quillon
