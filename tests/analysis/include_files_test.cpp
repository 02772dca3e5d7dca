#include "analysis/include_files.h"

#include <gtest/gtest.h>

#include "analysis/step1_test_support.h"

namespace quillon::testing {
namespace {

TEST(IncludeNameOfLineTest, KeywordsCommentsAndQuotes) {
  EXPECT_EQ(ToUtf8(IncludeNameOfLine(T("IncludeFile \"a.pbi\""))), "a.pbi");
  EXPECT_EQ(ToUtf8(IncludeNameOfLine(T("  XIncludeFile \"Forms/Main.pbf\" ; forms"))), "Forms/Main.pbf");
  EXPECT_EQ(ToUtf8(IncludeNameOfLine(T("; IncludeFile \"a.pbi\""))), "");
  EXPECT_EQ(ToUtf8(IncludeNameOfLine(T("x$ = \"IncludeFile \" + \"a.pbi\""))), "");
  EXPECT_EQ(ToUtf8(IncludeNameOfLine(T("includefile \"a.pbi\""))), "");
  EXPECT_EQ(ToUtf8(IncludeNameOfLine(T("IncludeFile \"unclosed.pbi"))), "");
  EXPECT_EQ(ToUtf8(IncludeNameOfLine(T("IncludeFile"))), "");
}

TEST(CollectIncludeFilesTest, ResolvesNamesAgainstTheProjectFolder) {
  Step1Project p;
  p.Write("Main.pb", {
                         "XIncludeFile \"Forms/Main.pbf\"",
                         "IncludeFile \"/Forms/Main.pbf\"",
                         "IncludeFile \"CommonFile.pb\"",
                         "IncludeFile \"eventmenu.PB\"",
                         "IncludeFile \"EventMain.pb\" : IncludeFile \"EventGadget.pb\"",
                         "IncludeFile \"EventWindow.pb\" : XIncludeFile \"EventDesigner.pb\"",
                         "IncludeFile \"Tools.pbi\" ; helpers",
                         ";IncludeFile \"Old.pbi\"",
                         "IncludeFile \"../shared/Lib.pbi\"",
                         "IncludeFile \"\"",
                     });
  CollectIncludeFiles(*p.ws, "Main.pb");
  const std::string dir = p.dir.path();
  EXPECT_EQ(S(p.ws->analysis.include_files), (std::vector<std::string>{
                                                 dir + "Forms/Main.pbf",  // named twice, listed once
                                                 dir + "Tools.pbi",
                                                 dir + "../shared/Lib.pbi",
                                             }));
}

TEST(CollectIncludeFilesTest, MissingMainOrEmptyArgumentGivesNothing) {
  Step1Project p;
  CollectIncludeFiles(*p.ws, "Main.pb");
  EXPECT_TRUE(p.ws->analysis.include_files.empty());
  p.Write("Main.pb", {"IncludeFile \"a.pbi\""});
  CollectIncludeFiles(*p.ws, "");
  EXPECT_TRUE(p.ws->analysis.include_files.empty());
}

TEST(CollectIncludeFilesTest, MarkedMainIsReadAsUtf8) {
  Step1Project p;
  WriteBytes(p.dir.File("Main.pb"), "\xEF\xBB\xBFIncludeFile \"\xC3\xBC.pbi\"\n");
  CollectIncludeFiles(*p.ws, "Main.pb");
  ASSERT_EQ(p.ws->analysis.include_files.size(), 1u);
  EXPECT_EQ(p.ws->analysis.include_files[0], p.dir.TextPath() + "\u00FC.pbi");
}

}  // namespace
}  // namespace quillon::testing
