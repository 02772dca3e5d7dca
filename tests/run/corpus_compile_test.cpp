// The compile proxy on real-world forms: every form of the shared corpus is
// generated in memory, and the generated program is read as a one-pass
// compiler reads it (constants, procedures, blocks, included files).
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>

#include "io/file_io.h"
#include "io/disk_file_system.h"
#include "io/overlay_file_system.h"
#include "run/generation_run.h"
#include "run/pb_scanner.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"
#include "support/corpus.h"

namespace quillon::testing {
namespace {

const std::string kForms = CorpusFormsFolder();

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool IsProgramFile(const std::string& name) {
  return name == "CommonFile.pb" || name == "EventMain.pb" || name == "EventMenu.pb" || name == "EventGadget.pb" ||
         name == "EventWindow.pb";
}

bool HasLine(const std::vector<std::string>& log, const std::string& line) {
  return std::find(log.begin(), log.end(), line) != log.end();
}

struct CorpusRun {
  TempDir dir;
  std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
  FakeHost host;
  DiskFileSystem disk;
  OverlayFileSystem writer{disk};  // outputs kept in memory
  RunOutcome outcome = RunOutcome::kCancelled;

  // Parend, PB_Ignore, Multilang and Image_Null on, unless `defaults`.
  explicit CorpusRun(const std::string& form, bool defaults = false) {
    ws->project.project_path = dir.TextPath("Corpus.pbm");
    ws->project.has_name = true;
    Switches& s = ws->project.switches;
    if (defaults) {
      s = DefaultSwitches();
    } else {
      s.parend = s.pb_ignore = s.multilang = s.image_null = 1;
    }
    ws->keywords = BuildKeywordSets({});
    ws->files = &writer;
    ws->keep_undo_record = false;
    host.file_list = {FromUtf8(form)};
    outcome = RunGeneration(*ws, host);
  }

  std::vector<std::string> CompileProblems() {
    return CheckProgram("Main.pb", [this](const std::string& name, std::string* text) {
      return writer.ReadFile(dir.File(name), text);
    });
  }
};

// The proxy refuses what the compiler would: each program is Main.pb, with
// Part.pb when it includes it; the first reason given, or none when it passes.
TEST(CompileProxyTest, RefusesWhatAOnePassCompilerRefuses) {
  const std::pair<const char*, const char*> cases[] = {
      {"Enumeration\n  #A\nEndEnumeration\nx = #A + #PB_Any + #True : y$ = #CRLF$", ""},
      {"x = #A\n#A = 1", "constant #A used before its definition (Main.pb:1)"},
      {"x = #Nowhere", "constant #NOWHERE never defined (Main.pb:1)"},
      {"Enumeration\n  #A\nEndEnumeration\n#A = 0\nEnumeration 1\n  #A\nEndEnumeration",
       "constant #A defined twice with different values (Main.pb:6)"},
      {"Enumeration Menu\n  #M0\nEndEnumeration\nEnumeration Menu\n  #M1\nEndEnumeration\n#M1 = 1", ""},
      {"CompilerIf #PB_Compiler_OS = 1\n#S = 1\nProcedure P()\nEndProcedure\nCompilerElse\n#S = 2\nProcedure "
       "P()\nEndProcedure\nCompilerEndIf",
       ""},
      {"Main()\nProcedure Main()\nEndProcedure", "procedure MAIN called before its declaration (Main.pb:1)"},
      {"Declare Main()\nMain()\nProcedure.i *main(a = #PB_Any) : EndProcedure\nx = @Main()", ""},
      {"Declare Save(EventType) ; \"designer\"", "declared procedure SAVE is not defined"},
      {"Procedure A()\nEndProcedure\nProcedure a()\nEndProcedure", "procedure A defined twice (Main.pb:3)"},
      {"If x\n  For i = 1 To 2\nEndIf", "ENDIF without its block (Main.pb:3)"},
      {"Repeat : Until x\nSelect y\n  Case 1\nEndSelect\nWhile z : Wend\nDataSection\nEndDataSection", ""},
      {"IncludeFile \"Part.pb\"\nEndIf", "block IF not closed in its file (Part.pb:1)"},
      {"XIncludeFile \"Gone.pb\"", "included file missing: Gone.pb (Main.pb:1)"},
      {"Macro M(x)\n  If x\nEndMacro\nx = \"#Q ; Q()\" ; #R", ""},
      {"x = Lib::#Flag : If Lib::Ready() : EndIf", ""},
  };
  for (const auto& [main, problem] : cases) {
    SCOPED_TRACE(main);
    const std::vector<std::string> problems =
        CheckProgram("Main.pb", [&main = main](const std::string& name, std::string* text) {
          if (name == "Part.pb") *text = "If x\n";
          if (name == "Main.pb") *text = main;
          return name == "Main.pb" || name == "Part.pb";
        });
    if (*problem == 0) {
      EXPECT_EQ(problems, std::vector<std::string>());
    } else {
      ASSERT_FALSE(problems.empty());
      EXPECT_EQ(problems.front(), problem);
    }
  }
}

TEST(CorpusCompileTest, GeneratedProgramsDefineEveryObjectConstantTheyUse) {
  const std::vector<std::string> names = CorpusFormNames();
  if (names.empty()) GTEST_SKIP() << "no corpus at " << kForms;
  int generated = 0;
  int outside_warnings = 0;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    CorpusRun run(kForms + name);
    if (run.outcome != RunOutcome::kReady) continue;  // windows opened with #PB_Any stop the run
    ++generated;
    const AnalysisModel& model = run.ws->analysis;
    // With these switches too a designer file's program compiles.
    if (EndsWith(name, ".pbf")) {
      EXPECT_EQ(run.CompileProblems(), std::vector<std::string>());
    }
    EXPECT_EQ(HasLine(run.host.log, " -> Warning: no window found in the procedures of the form files"),
              model.windows.empty());

    PbConstants all;
    PbConstants program;
    for (const OverlayFileSystem::Output& output : run.writer.outputs()) {
      const std::string file = FileName(output.path);
      if (!EndsWith(file, ".pb")) continue;
      ScanPureBasic(output.bytes, &all);
      if (IsProgramFile(file)) ScanPureBasic(output.bytes, &program);
    }
    // The dispatch code names every window: the scanner must see them.
    if (!model.windows.empty()) {
      ASSERT_GT(program.used.size(), 0u);
    }
    std::set<std::string> names_with_pb_any(all.defined);
    names_with_pb_any.insert(all.used.begin(), all.used.end());
    for (const std::string& constant : names_with_pb_any) {
      EXPECT_EQ(constant.find("_PB_ANY"), std::string::npos) << "#" << constant;
    }
    for (const std::string& used : program.used) {
      if (all.defined.count(used) > 0) continue;
      for (const Text& window : model.windows) {
        EXPECT_EQ(all.defined.count(ToUtf8(Upper(window)) + "_" + used), 0u)
            << "#" << used << " is defined only as #" << ToUtf8(window) << "_" << used;
      }
    }

    // Constants the form defines outside its procedures and the generated
    // program needs are named in the log.
    PbConstants form;
    ScanPureBasic(ReadBytes(kForms + name), &form);
    std::set<std::string> missing;
    for (const std::string& used : program.used) {
      // PureBasic's own constants need no definition (designer files list
      // #PB_Any among their Enumeration members).
      if (used.compare(0, 3, "PB_") == 0) continue;
      if (all.defined.count(used) == 0 && form.defined_outside_procedures.count(used) > 0) missing.insert(used);
    }
    for (const std::string& line : run.host.log) {
      const size_t hash = line.find(" -> Warning: #");
      const size_t end = line.find(" is defined outside the procedures of ");
      if (hash != 0 || end == std::string::npos) continue;
      ++outside_warnings;
      missing.erase(ToUtf8(Upper(FromUtf8(line.substr(14, end - 14)))));
    }
    for (const std::string& constant : missing) ADD_FAILURE() << "#" << constant << " is not named in the log";
  }
  EXPECT_GT(generated, 0);
  EXPECT_GT(outside_warnings, 0);
}

// The kind of a proxy reason, for the summary.
std::string ReasonKind(const std::string& problem) {
  if (problem.rfind("run stopped", 0) == 0) return problem;
  // Without a window in a procedure Main.pb keeps the template's #Window.
  if (problem.rfind("constant #WINDOW never defined (Main.pb", 0) == 0) return "no window opened in a procedure";
  if (problem.find(" never defined (") != std::string::npos) return "a constant defined elsewhere";
  return problem.substr(0, problem.find(" ("));
}

// Every form with the switches of a first start: the designer's files must
// give programs that compile; the other forms are counted, with the first
// reason of each that does not (many are parts of larger programs).
TEST(CorpusCompileTest, DesignerFormsCompileWithDefaultSwitches) {
  const std::vector<std::string> names = CorpusFormNames();
  if (names.empty()) GTEST_SKIP() << "no corpus at " << kForms;
  int designer_files = 0;
  int other_forms = 0;
  int others_passing = 0;
  std::map<std::string, int> reasons;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const bool designer = EndsWith(name, ".pbf");
    CorpusRun run(kForms + name, /*defaults=*/true);
    std::vector<std::string> problems;
    if (run.outcome != RunOutcome::kReady) {
      const auto stop = std::find_if(run.host.log.begin(), run.host.log.end(),
                                     [](const std::string& line) { return line.find("Stop!") != std::string::npos; });
      problems.push_back("run stopped: " + (stop != run.host.log.end() ? *stop : std::string("cancelled")));
    } else {
      problems = run.CompileProblems();
    }
    if (designer) {
      ++designer_files;
      for (const std::string& problem : problems) ADD_FAILURE() << problem;
      continue;
    }
    ++other_forms;
    if (problems.empty()) {
      ++others_passing;
      continue;
    }
    ++reasons[ReasonKind(problems[0])];
    std::cout << "[ proxy    ] " << name << ": " << problems[0] << " (+" << problems.size() - 1 << ")\n";
  }
  std::cout << "[ proxy    ] designer files: " << designer_files << ", other forms passing: " << others_passing
            << " of " << other_forms << "\n";
  for (const auto& [reason, count] : reasons) std::cout << "[ proxy    ] " << count << " x " << reason << "\n";
  EXPECT_EQ(designer_files, 38);
  EXPECT_GE(others_passing, 12);
}

}  // namespace
}  // namespace quillon::testing
