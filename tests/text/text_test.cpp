#include "text/text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "io/file_io.h"
#include "support/corpus.h"

namespace quillon {
namespace {

TEST(BasicStringHelpers, LeftMidFollowBasicOutOfRange) {
  const Text s = U"OpenWindow(#Main, 0)";
  EXPECT_EQ(Left(s, 4), U"Open");
  EXPECT_EQ(Left(s, 0), U"");
  EXPECT_EQ(Left(s, -3), U"");
  EXPECT_EQ(Left(s, 1000), s);
  EXPECT_EQ(Mid(s, 12, 4), U"#Mai");
  EXPECT_EQ(Mid(s, 12), U"#Main, 0)");
  EXPECT_EQ(Mid(s, 0, 4), U"Open");  // a start below 1 counts from 1
  EXPECT_EQ(Mid(s, 100), U"");
  EXPECT_EQ(Mid(s, 3, 0), U"");
  EXPECT_EQ(Mid(s, 3, -1), U"");
}

TEST(BasicStringHelpers, PositionsCountFromOneAndZeroMeansNotFound) {
  const Text s = U"a(b,c(d)";
  EXPECT_EQ(Position(s, U'('), 2);
  EXPECT_EQ(Position(s, U'(', 3), 6);
  EXPECT_EQ(Position(s, U'(', 7), 0);
  EXPECT_EQ(Position(s, U"x"), 0);
  EXPECT_EQ(Position(s, U'(', -5), 2);
  EXPECT_EQ(Position(s, U'(', 99), 0);
  EXPECT_EQ(LastPosition(s, U'('), 6);
  EXPECT_EQ(LastPosition(s, U'(', 5), 2);
  EXPECT_EQ(LastPosition(s, U'(', 1), 0);
  EXPECT_EQ(PositionNoCase(U"x = gadgetid(#a)", U"GADGETID("), 5);
}

TEST(BasicStringHelpers, UpperCaseKeepsLengthAndMapsUnicode) {
  EXPECT_EQ(Upper(U"openWindow(#ä_ß)"), U"OPENWINDOW(#Ä_ß)");
  const Text ligature = U"\uFB01";  // no single-character upper case: stays
  EXPECT_EQ(Upper(ligature).size(), 1u);
}

// The searches that compare character by character must find exactly what a
// search in the upper-cased copies finds, also where a character outside
// ASCII upper-cases to an ASCII letter (dotless i, long s).
TEST(BasicStringHelpers, CaseInsensitiveSearchAgreesWithSearchInUpperCasedCopies) {
  const Text lines[] = {
      U"x = \u0131magegadget(#a)", U"\u017Fplittergadget(", U"ÄÖü imageGadget(#b) IMAGEGADGET(#c)", U"", U"IMAGEGADGE",
      U"\xFF\xDCimagegadget("};
  // Keywords ending in a letter and in other characters (those take the
  // fast search for their last character).
  const Text keywords[] = {U"IMAGEGADGET(", U"SPLITTERGADGET(", U"ÄÖÜ", U"imageGADGET(#c", U"X", U"GADGET(#", U"#",
                           U"(#B)"};
  for (const Text& line : lines) {
    for (const Text& keyword : keywords) {
      const Text upper = Upper(line);
      for (long start : {-1L, 1L, 3L, 20L}) {
        EXPECT_EQ(PositionNoCase(line, keyword, start), Position(upper, Upper(keyword), start))
            << ToUtf8(line) << " / " << ToUtf8(keyword) << " from " << start;
      }
      EXPECT_EQ(ContainsNoCase(line, keyword), upper.find(Upper(keyword)) != Text::npos);
      Text reused = U"longer text that was here before";
      UpperInto(line, &reused);
      EXPECT_EQ(reused, upper);
    }
  }
  EXPECT_EQ(PositionNoCase(U"x = \u0131magegadget(#a)", U"IMAGEGADGET("), 5);
}

TEST(BasicStringHelpers, TrimAndReplace) {
  EXPECT_EQ(TrimBlanks(U"  a b \t"), U"a b \t");
  EXPECT_EQ(TrimBlanksAndTabs(U" \t a \t "), U"a");
  EXPECT_EQ(TrimChar(U"\"\"x\"", U'"'), U"x");
  EXPECT_EQ(ReplaceNoCase(U"Procedure OpenW procedure open", U"procedure open", U"Procedure Open_"),
            U"Procedure Open_W Procedure Open_");
  EXPECT_EQ(ReplaceAll(U"a\\tb\\t", U"\\t", U"+"), U"a+b+");
  EXPECT_EQ(ParseLeadingInt(U"  -12x"), -12);
  EXPECT_EQ(ParseLeadingInt(U"x12"), 0);
  EXPECT_EQ(ParseLeadingInt(U"99999999999"), 2147483647);
}

TEST(Utf8Conversion, InvalidBytesSurviveARoundTrip) {
  const std::string bytes = "ok \xC3\xA4 \xFF\xFE bad \xE2\x82 end \xF0\x9F\x98\x80";
  const Text text = FromUtf8(bytes);
  EXPECT_EQ(ToUtf8(text), bytes);
  EXPECT_EQ(text[3], U'ä');
  EXPECT_TRUE(IsEscapedByte(text[5]));
  EXPECT_EQ(text.back(), U'\U0001F600');
  const std::string nul("a\0b", 3);
  EXPECT_EQ(FromUtf8(nul).size(), 3u);
}

TEST(Utf8Conversion, WideCharacterQuery) {
  EXPECT_FALSE(HasWideCharacter(U"Grüße ÿ"));
  EXPECT_TRUE(HasWideCharacter(U"Ā"));
  EXPECT_FALSE(HasWideCharacter(FromUtf8("\xFF")));  // an escaped byte fits one byte
}

TEST(PathParts, DirectoryFileAndExtension) {
  EXPECT_EQ(DirectoryPart(U"/a/b/c.pbm"), U"/a/b/");
  EXPECT_EQ(DirectoryPart(U"c.pbm"), U"");
  EXPECT_EQ(FilePart(U"/a/b/c.pbm"), U"c.pbm");
  EXPECT_EQ(ExtensionPart(U"/a.d/b/Form.PBF"), U"PBF");
  EXPECT_EQ(ExtensionPart(U"/a.d/b/Form"), U"");
}

// The word-at-a-time paths of decoding, encoding, upper-casing and searching
// against their one-character-at-a-time definitions, on every line of the
// corpus forms and on texts with non-ASCII characters at every offset.
TEST(FastTextPaths, AgreeWithTheirPlainDefinitions) {
  std::vector<std::string> samples = {"", "a", "az{`@[", "\xC3\xA4xy\xE2\x82\xACz\xF0\x9F\x98\x80", "ab\xFF\xC3"};
  for (size_t at = 0; at < 12; ++at) {
    // A lone continuation byte, then enough ASCII for whole eight-byte words.
    samples.push_back(std::string(at, 'q') + "\xC3\x9F" + std::string(11 - at, 'Z') + "\x80" + std::string(9, 'x'));
  }
  // Without the corpus the samples above remain.
  const std::string forms = testing::CorpusFormsFolder();
  for (const std::string& name : testing::CorpusFormNames()) {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(forms + name, &bytes));
    for (size_t start = 0, end; start < bytes.size(); start = end + 1) {
      end = std::min(bytes.find('\n', start), bytes.size());
      samples.push_back(bytes.substr(start, end - start));
    }
  }
  for (const std::string& bytes : samples) {
    SCOPED_TRACE(bytes);
    Text plain;  // decoded one sequence at a time through the validity check
    for (size_t i = 0, len; i < bytes.size(); i += len) {
      for (len = 1; len <= 4 && i + len <= bytes.size() && !IsValidUtf8(bytes.substr(i, len));) ++len;
      if (len > 4 || i + len > bytes.size()) {
        plain.push_back(kEscapedByteFirst + static_cast<unsigned char>(bytes[i]) - 0x80);
        len = 1;
      } else {
        const Text one = FromUtf8(bytes.substr(i, len));
        ASSERT_EQ(one.size(), 1u);
        plain += one;
      }
    }
    const Text text = FromUtf8(bytes);
    ASSERT_EQ(text, plain);
    EXPECT_EQ(ToUtf8(text), bytes);
    Text upper, plain_upper;
    UpperInto(text, &upper);
    for (char32_t c : text) plain_upper.push_back(UpperChar(c));
    EXPECT_EQ(upper, plain_upper);
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
