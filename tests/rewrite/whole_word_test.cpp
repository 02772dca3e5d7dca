#include "rewrite/whole_word.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

std::string R(const std::string& line, const std::string& find, const std::string& replacement) {
  return ToUtf8(ReplaceWholeWord(T(line), T(find), T(replacement)));
}

TEST(ReplaceWholeWord, ReplacesOnlyWithBoundariesOnBothSides) {
  EXPECT_EQ(R("#Main_OK", "#Main_OK", "#Main_Cancel"), "#Main_Cancel");
  EXPECT_EQ(R("x = (#Main_OK)", "#Main_OK", "#Main_Cancel"), "x = (#Main_Cancel)");
  EXPECT_EQ(R("f(#Main_OK, 1)", "#Main_OK", "#Main_Cancel"), "f(#Main_Cancel, 1)");
  EXPECT_EQ(R("#Main_OK2 #Main_OKAY #Main_OK_X", "#Main_OK", "#Main_Cancel"), "#Main_OK2 #Main_OKAY #Main_OK_X");
  EXPECT_EQ(R("Open_Main() Open_Main()", "Open_Main()", "Open_Start()"), "Open_Start() Open_Start()");
  // The left side counts too: a word character before the match blocks it.
  EXPECT_EQ(R("MyEventMenu_Save", "EventMenu_Save", "EventMenu_Load"), "MyEventMenu_Save");
  EXPECT_EQ(R("EventMenu_Save()", "EventMenu_Save", "EventMenu_Load"), "EventMenu_Load()");
}

TEST(ReplaceWholeWord, IgnoresCaseButInsertsTheReplacementAsGiven) {
  EXPECT_EQ(R("#MAIN_ok = 1", "#Main_OK", "#Main_Cancel"), "#Main_Cancel = 1");
  // Lower-case ASCII letters are word characters too.
  EXPECT_EQ(R("#Main_OKay", "#Main_OK", "#X"), "#Main_OKay");
}

TEST(ReplaceWholeWord, LettersOutsideAsciiAreBoundaries) {
  EXPECT_EQ(R("ä#Mainé", "#Main", "#Start"), "ä#Starté");
  EXPECT_EQ(R("#Main\t#Main", "#Main", "#S"), "#S\t#S");
}

TEST(ReplaceWholeWord, EndsWhenTheReplacementContainsTheFindText) {
  EXPECT_EQ(R("#A #A", "#A", "#A #A"), "#A #A #A #A");
  EXPECT_EQ(R("A", "a", "AAA"), "AAA");
  EXPECT_EQ(R("x A y", "A", "(A)"), "x (A) y");
  EXPECT_EQ(R("#main", "#MAIN", "#Main"), "#Main");
}

TEST(ReplaceWholeWord, EmptyTextsChangeNothingOrRemove) {
  EXPECT_EQ(R("abc", "", "x"), "abc");
  EXPECT_EQ(R("", "#A", "#B"), "");
  EXPECT_EQ(R("A A", "A", ""), " ");
  EXPECT_EQ(R("AA", "A", ""), "AA");
}

}  // namespace
}  // namespace quillon
