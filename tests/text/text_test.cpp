#include "text/text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "text/encoding.h"
#include "support/corpus.h"

namespace quillon {
namespace {

TEST(BasicStringHelpers, LeftMidFollowBasicOutOfRange) {
  const Text s = "OpenWindow(#Main, 0)";
  EXPECT_EQ(Left(s, 4), "Open");
  EXPECT_EQ(Left(s, 0), "");
  EXPECT_EQ(Left(s, -3), "");
  EXPECT_EQ(Left(s, 1000), s);
  EXPECT_EQ(Mid(s, 12, 4), "#Mai");
  EXPECT_EQ(Mid(s, 12), "#Main, 0)");
  EXPECT_EQ(Mid(s, 0, 4), "Open");  // a start below 1 counts from 1
  EXPECT_EQ(Mid(s, 100), "");
  EXPECT_EQ(Mid(s, 3, 0), "");
  EXPECT_EQ(Mid(s, 3, -1), "");
}

TEST(BasicStringHelpers, PositionsCountFromOneAndZeroMeansNotFound) {
  const Text s = "a(b,c(d)";
  EXPECT_EQ(Position(s, '('), 2);
  EXPECT_EQ(Position(s, '(', 3), 6);
  EXPECT_EQ(Position(s, '(', 7), 0);
  EXPECT_EQ(Position(s, "x"), 0);
  EXPECT_EQ(Position(s, '(', -5), 2);
  EXPECT_EQ(Position(s, '(', 99), 0);
  EXPECT_EQ(LastPosition(s, '('), 6);
  EXPECT_EQ(LastPosition(s, '(', 5), 2);
  EXPECT_EQ(LastPosition(s, '(', 1), 0);
  EXPECT_EQ(PositionNoCase("x = gadgetid(#a)", "GADGETID("), 5);
}

TEST(BasicStringHelpers, UpperCaseKeepsLengthAndMapsUnicode) {
  EXPECT_EQ(Upper("openWindow(#ä_ß)"), "OPENWINDOW(#Ä_ß)");
  const Text ligature = "\uFB01";  // no single-character upper case: stays
  EXPECT_EQ(Upper(ligature), ligature);
  // A capital that takes another number of bytes is not used: positions in
  // the upper-cased text stay those of the text.
  EXPECT_EQ(Upper("\u0131\u017F\u0250x"), "\u0131\u017F\u0250X");
}

// The searches that compare byte by byte must find exactly what a search in
// the upper-cased copies finds, also where a character outside ASCII has an
// ASCII capital (dotless i, long s), which upper-casing leaves alone.
TEST(BasicStringHelpers, CaseInsensitiveSearchAgreesWithSearchInUpperCasedCopies) {
  const Text lines[] = {
      "x = \u0131magegadget(#a)", "\u017Fplittergadget(", "ÄÖü imageGadget(#b) IMAGEGADGET(#c)", "", "IMAGEGADGE",
      "\xFF\xDCimagegadget("};
  // Keywords ending in a letter and in other characters (those take the
  // fast search for their last character).
  const Text keywords[] = {"IMAGEGADGET(", "SPLITTERGADGET(", "ÄÖÜ", "imageGADGET(#c", "X", "GADGET(#", "#", "(#B)"};
  for (const Text& line : lines) {
    for (const Text& keyword : keywords) {
      const Text upper = Upper(line);
      for (long start : {-1L, 1L, 3L, 20L}) {
        EXPECT_EQ(PositionNoCase(line, keyword, start), Position(upper, Upper(keyword), start))
            << ToUtf8(line) << " / " << ToUtf8(keyword) << " from " << start;
      }
      EXPECT_EQ(ContainsNoCase(line, keyword), upper.find(Upper(keyword)) != Text::npos);
      Text reused = "longer text that was here before";
      UpperInto(line, &reused);
      EXPECT_EQ(reused, upper);
    }
  }
  EXPECT_EQ(PositionNoCase("x = \u0131magegadget(#a)", "IMAGEGADGET("), 0);
}

TEST(BasicStringHelpers, TrimAndReplace) {
  EXPECT_EQ(TrimBlanks("  a b \t"), "a b \t");
  EXPECT_EQ(TrimBlanksAndTabs(" \t a \t "), "a");
  EXPECT_EQ(TrimChar("\"\"x\"", '"'), "x");
  EXPECT_EQ(ReplaceNoCase("Procedure OpenW procedure open", "procedure open", "Procedure Open_"),
            "Procedure Open_W Procedure Open_");
  EXPECT_EQ(ReplaceAll("a\\tb\\t", "\\t", "+"), "a+b+");
  EXPECT_EQ(ParseLeadingInt("  -12x"), -12);
  EXPECT_EQ(ParseLeadingInt("x12"), 0);
  EXPECT_EQ(ParseLeadingInt("99999999999"), 2147483647);
}

TEST(Utf8Conversion, InvalidBytesSurviveARoundTrip) {
  const std::string bytes = "ok \xC3\xA4 \xFF\xFE bad \xE2\x82 end \xF0\x9F\x98\x80";
  const Text text = FromUtf8(bytes);
  EXPECT_EQ(ToUtf8(text), bytes);
  EXPECT_EQ(text.substr(3, 2), "ä");
  EXPECT_FALSE(IsValidUtf8(text.substr(6, 1)));
  EXPECT_TRUE(IsValidUtf8(text.substr(text.size() - 4)));
  const std::string nul("a\0b", 3);
  EXPECT_EQ(FromUtf8(nul).size(), 3u);
}

TEST(Utf8Conversion, WideCharacterQuery) {
  EXPECT_FALSE(HasWideCharacter("Grüße ÿ"));
  EXPECT_TRUE(HasWideCharacter("Ā"));
  EXPECT_FALSE(HasWideCharacter(FromUtf8("\xFF")));  // a byte of no sequence is written as is
  EXPECT_TRUE(HasWideCharacter("\xFF\xC3\xA4\xE2\x82\xAC"));
}

TEST(PathParts, DirectoryFileAndExtension) {
  EXPECT_EQ(DirectoryPart("/a/b/c.pbm"), "/a/b/");
  EXPECT_EQ(DirectoryPart("c.pbm"), "");
  EXPECT_EQ(FilePart("/a/b/c.pbm"), "c.pbm");
  EXPECT_EQ(ExtensionPart("/a.d/b/Form.PBF"), "PBF");
  EXPECT_EQ(ExtensionPart("/a.d/b/Form"), "");
}

// The word-at-a-time paths of splitting, upper-casing and single-byte
// writing against their one-sequence-at-a-time definitions, on every line
// of the corpus forms and on texts with non-ASCII characters at every offset.
TEST(FastTextPaths, AgreeWithTheirPlainDefinitions) {
  std::vector<std::string> samples = {"", "a", "az{`@[", "\xC3\xA4xy\xE2\x82\xACz\xF0\x9F\x98\x80", "ab\xFF\xC3"};
  for (size_t at = 0; at < 12; ++at) {
    // A lone continuation byte, then enough ASCII for whole eight-byte words.
    samples.push_back(std::string(at, 'q') + "\xC3\x9F" + std::string(11 - at, 'Z') + "\x80" + std::string(9, 'x'));
  }
  // Without the corpus the samples above remain.
  ASSERT_TRUE(testing::AppendCorpusLines(&samples));
  for (const std::string& bytes : samples) {
    SCOPED_TRACE(bytes);
    const Text text = FromUtf8(bytes);
    Text plain_upper;  // one byte or one valid sequence at a time
    std::string single_byte;
    for (size_t i = 0, len; i < bytes.size(); i += len) {
      for (len = 1; len <= 4 && i + len <= bytes.size() && !IsValidUtf8(bytes.substr(i, len));) ++len;
      if (len > 4 || i + len > bytes.size()) len = 1;
      const std::string piece = bytes.substr(i, len);
      plain_upper += len == 1 ? std::string(1, UpperChar(piece[0])) : Upper(piece);
      char32_t cp = 0;
      if (CodePointAt(piece, 0, &cp) == 0) {
        single_byte += piece;
      } else if (cp <= 0xFF) {
        single_byte.push_back(static_cast<char>(cp));
      }
    }
    Text upper;
    UpperInto(text, &upper);
    EXPECT_EQ(upper, plain_upper);
    EXPECT_EQ(EncodeLines(Lines{text}, kOutputAscii), single_byte + "\n");
    for (size_t from = 0; from <= text.size() && from < 40; ++from) {
      for (size_t len = 1; len <= 3 && from + len <= text.size(); ++len) {
        const TextView what = TextView(text).substr(from, len);
        EXPECT_EQ(FindText(text, what, from / 2), TextView(text).find(what, from / 2));
      }
    }
  }
}

}  // namespace
}  // namespace quillon
