// A second run on an unchanged designer project changes nothing: every
// designer form of the shared corpus, with every rewriting switch on.
#include <gtest/gtest.h>

#include <algorithm>

#include "io/file_io.h"
#include "support/quillon_process.h"
#include "support/temp_dir.h"
#include "support/corpus.h"

namespace quillon::testing {
namespace {

const std::string kForms = CorpusFormsFolder();

TEST(DesignerFormsRerun, SecondRunOfEveryCorpusDesignerFormChangesNothing) {
  const std::vector<std::string> names = CorpusFormNames(/*designer_only=*/true);
  if (names.empty()) GTEST_SKIP() << "no corpus at " << kForms;
  int projects = 0;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    TempDir dir;
    WriteBytes(dir.File("Designer.pbm"),
               "[FILES]\n" + kForms + name + "\n\n[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=1\nImage_Null=1\n");
    const ProcessResult first = RunQuillon({"--generate", dir.File("Designer.pbm")}, dir.path());
    ASSERT_EQ(first.exit_code, 0) << first.out << first.err;
    const ProcessResult check = RunQuillon({"--generate", dir.File("Designer.pbm"), "--check"}, dir.path());
    EXPECT_EQ(check.exit_code, 0) << check.out.substr(check.out.find("Ready.")) << check.err;
    ++projects;
  }
  EXPECT_EQ(projects, 38);
}

}  // namespace
}  // namespace quillon::testing
