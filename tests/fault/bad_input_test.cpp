// Damaged, odd and hostile inputs fed through the whole pipeline (the quillon
// binary on the renaming scenario): no crash, no hang, nothing lost, every
// file that cannot be used is reported. README's "Bad input" table points here.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <functional>
#include <random>

#include "fault/fault_support.h"
#include "support/quillon_process.h"

namespace quillon::testing {
namespace {

const char* const kOutputs[] = {"Main.pb",        "CommonFile.pb",   "EventMain.pb", "EventMenu.pb", "EventGadget.pb",
                                "EventWindow.pb", "LoadLanguage.pb", "Catalog",      "Example.pbm",  "Tools.pbi"};

std::string Tail() { return " / Errorcode: 1"; }

// Bytes of a literal, NUL bytes included.
template <size_t N>
std::string B(const char (&bytes)[N]) {
  return std::string(bytes, N - 1);
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The renaming run, killed when it takes longer than a minute (a hang).
ProcessResult RunBounded(const std::string& dir) {
  TempDir scratch;
  const std::string command = "cd " + Quote(dir) + " && timeout -s KILL 60 " + Quote(QUILLON_BINARY) +
                              " --generate Example.pbm " + kRenameBind[0] + " " + kRenameBind[1] + " >" +
                              Quote(scratch.File("out")) + " 2>" + Quote(scratch.File("err")) + " </dev/null";
  const int status = std::system(command.c_str());
  ProcessResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadBytes(scratch.File("out"));
  result.err = ReadBytes(scratch.File("err"));
  return result;
}

std::string Wide(const std::string& ascii, int width, bool big_endian) {
  std::string out;
  for (char c : ascii) {
    std::string unit(static_cast<size_t>(width), '\0');
    unit[big_endian ? unit.size() - 1 : 0] = c;
    out += unit;
  }
  return out;
}
std::string Utf16Be(const std::string& s) { return B("\xFE\xFF") + Wide(s, 2, true); }
std::string Utf32Le(const std::string& s) { return B("\xFF\xFE\0\0") + Wide(s, 4, false); }
std::string Utf32Be(const std::string& s) { return B("\0\0\xFE\xFF") + Wide(s, 4, true); }

std::string RandomBytes(size_t n) {
  std::mt19937 random(7);
  std::string out(n, '\0');
  for (char& c : out) c = static_cast<char>(random() & 0xFF);
  return out;
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  std::string out;
  size_t done = 0;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, done)) {
    out.append(text, done, at - done).append(to);
    done = at + from.size();
  }
  return out.append(text, done, std::string::npos);
}

// Adds an item to the project's file list.
void AddSource(const std::string& dir, const std::string& item) {
  WriteBytes(dir + "Example.pbm", ReplaceAll(ReadBytes(dir + "Example.pbm"), "[FILES]\n", "[FILES]\n" + item + "\n"));
}

void Put(const std::string& path, const std::string& bytes) {
  ::unlink(path.c_str());
  WriteBytes(path, bytes);
}
void MakeDir(const std::string& path) {
  ::unlink(path.c_str());
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0) << path;
  WriteBytes(path + "/keep.txt", "kept\n");
}
void MakeLoop(const std::string& path) {
  ::unlink(path.c_str());
  const std::string name = path.substr(path.rfind('/') + 1);
  ASSERT_EQ(::symlink(name.c_str(), path.c_str()), 0) << path;  // points at itself
}
void MakeFifo(const std::string& path) {
  ::unlink(path.c_str());
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}
bool IsLink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

struct Outcome {
  std::string dir;
  Tree before;
  Tree after;
  ProcessResult run;
  std::vector<std::string> log;
  const std::string& Was(const std::string& rel) const { return before.at(rel); }
  std::string Now(const std::string& rel) const { return after.count(rel) ? after.at(rel) : "<missing>"; }
};

struct BadInputRow {
  const char* input;
  std::function<void(const std::string& dir)> setup;
  std::function<void(const Outcome&)> check;
};

// Error lines start with "Error" after their marks (" -> ", "- ").
bool LoggedAnError(const Outcome& o) {
  for (const std::string& line : o.log) {
    const size_t at = line.find_first_not_of(" ->");
    if (at != std::string::npos && line.compare(at, 5, "Error") == 0) return true;
  }
  return false;
}

// What holds for every input: the run ends (exit 0, 1, 2 or 4, no signal, no
// hang), leaves no temporary file, changes no file it does not own, and a
// completed run has backed up every project file first. A completed run
// exits with 4 exactly when its log reported an error.
void CheckInvariants(const Outcome& o) {
  ASSERT_TRUE(o.run.exit_code == 0 || o.run.exit_code == 1 || o.run.exit_code == 2 || o.run.exit_code == 4)
      << "exit " << o.run.exit_code << "\n"
      << o.run.out.substr(0, 2000) << o.run.err.substr(0, 2000);
  EXPECT_TRUE(FindTempFiles(o.dir).empty());
  for (const auto& [rel, bytes] : o.before) {
    bool owned = rel.rfind("Backup/", 0) == 0;
    for (const char* name : kOutputs) owned = owned || rel == name;
    if (!owned) {
      EXPECT_TRUE(o.Now(rel) == bytes) << rel << " changed";
    }
  }
  if (o.run.exit_code == 0 || o.run.exit_code == 4) {
    EXPECT_EQ(o.run.exit_code == 4, LoggedAnError(o));
    ASSERT_GE(o.log.size(), 2u);
    EXPECT_EQ(o.log[o.log.size() - 2], "Ready.");
    for (const auto& [rel, bytes] : o.before) {
      if (rel.find('/') == std::string::npos && rel.find(".pb") != std::string::npos) {
        EXPECT_TRUE(o.Now("Backup/" + rel) == bytes) << "no backup of " << rel;
      }
    }
  } else {
    EXPECT_EQ(o.after, o.before) << "a run that did not complete wrote something";
  }
}

void ExpectReady(const Outcome& o) {
  EXPECT_EQ(o.run.exit_code, LoggedAnError(o) ? 4 : 0) << o.run.out.substr(0, 3000) << o.run.err;
}
void ExpectLogged(const Outcome& o, const std::string& line) { EXPECT_TRUE(HasLine(o.log, line)) << line; }
void ExpectSourceError(const Outcome& o, const std::string& item) {
  ExpectReady(o);
  ExpectLogged(o, "Error " + o.dir + item + ": Open file error");
}
// Main.pb (or another generated file) kept byte for byte, and reported.
void ExpectKept(const Outcome& o, const std::string& rel) {
  ExpectReady(o);
  EXPECT_TRUE(o.Now(rel) == o.Was(rel)) << rel;
  ExpectLogged(o, " -> Error File " + o.dir + rel + Tail());
}
// The include file renamed exactly where the window constant stood.
void ExpectIncludeRenamed(const Outcome& o) {
  ExpectReady(o);
  EXPECT_TRUE(o.Now("Tools.pbi") == ReplaceAll(o.Was("Tools.pbi"), "#WinMain_", "#WinStart_"));
}
void ExpectIncludeUntouched(const Outcome& o) {
  ExpectReady(o);
  EXPECT_TRUE(o.Now("Tools.pbi") == o.Was("Tools.pbi"));
}
void ExpectIncludeUnreadable(const Outcome& o) {
  ExpectReady(o);
  ExpectLogged(o, " -> Error OpenFile " + o.dir + "Tools.pbi" + Tail());
}
void ExpectProjectUnopened(const Outcome& o) {
  EXPECT_EQ(o.run.exit_code, 2);
  EXPECT_EQ(o.run.err, "Error open file project\n");
}

const std::string kTenMegabytes(10u << 20, 'q');

std::string HundredThousandLines(const std::string& pattern) {
  std::string out;
  for (int i = 0; i < 100000; ++i) out += pattern + std::to_string(i) + "\n";
  return out;
}

const std::string kMainHead = "\xEF\xBB\xBF";  // Main.pb of the scenario has a UTF-8 mark

std::vector<BadInputRow> Table() {
  return {
      // --- source files of the file list ---
      {"binary source file",
       [](const std::string& d) {
         Put(d + "forms/Bad.pbf", RandomBytes(65536));
         AddSource(d, "forms/Bad.pbf");
       },
       ExpectReady},
      {"NUL bytes in a source line",
       [](const std::string& d) {
         WriteBytes(d + "forms/MainWindow.pbf", ReplaceAll(ReadBytes(d + "forms/MainWindow.pbf"), "\"Quillon Example\"",
                                                           B("\"Quillon\0Example\"")));
       },
       [](const Outcome& o) {
         ExpectReady(o);
         EXPECT_NE(o.Now("CommonFile.pb").find(B("Quillon\0Example")), std::string::npos);
       }},
      {"invalid UTF-8 in a source line",
       [](const std::string& d) {
         WriteBytes(d + "forms/MainWindow.pbf", ReplaceAll(ReadBytes(d + "forms/MainWindow.pbf"), "\"Quillon Example\"",
                                                           "\"Quillon \xC3\x28\xFF Example\""));
       },
       [](const Outcome& o) {
         ExpectReady(o);
         // A source without a mark is one byte per character: each byte comes
         // out as its own character in the UTF-8 output, none is dropped.
         EXPECT_NE(o.Now("CommonFile.pb").find("Quillon \xC3\x83\x28\xC3\xBF Example"), std::string::npos);
       }},
      {"UTF-16 BE source with mark",
       [](const std::string& d) {
         Put(d + "forms/Wide.pbf", Utf16Be("Procedure OpenW()\n  OpenWindow(#W, 0, 0, 9, 9, \"w\")\nEndProcedure\n"));
         AddSource(d, "forms/Wide.pbf");
       },
       ExpectReady},
      {"UTF-32 LE source with mark",
       [](const std::string& d) {
         Put(d + "forms/Wide.pbf", Utf32Le("Procedure OpenW()\nEndProcedure\n"));
         AddSource(d, "forms/Wide.pbf");
       },
       ExpectReady},
      {"UTF-32 BE source with mark",
       [](const std::string& d) {
         Put(d + "forms/Wide.pbf", Utf32Be("Procedure OpenW()\nEndProcedure\n"));
         AddSource(d, "forms/Wide.pbf");
       },
       ExpectReady},
      {"10 MB line in a source",
       [](const std::string& d) {
         WriteBytes(d + "forms/MainWindow.pbf",
                    ReplaceAll(ReadBytes(d + "forms/MainWindow.pbf"), "  TextGadget(#Txt_Name",
                               "  ; " + kTenMegabytes + "\n  TextGadget(#Txt_Name"));
       },
       [](const Outcome& o) {
         ExpectReady(o);
         EXPECT_NE(o.Now("CommonFile.pb").find("  ; " + kTenMegabytes + "\n"), std::string::npos);
       }},
      {"100,000-line source",
       [](const std::string& d) {
         Put(d + "forms/Long.pbf", "Procedure Long()\n" + HundredThousandLines("  ; line ") + "EndProcedure\n");
         AddSource(d, "forms/Long.pbf");
       },
       [](const Outcome& o) {
         ExpectReady(o);
         EXPECT_NE(o.Now("CommonFile.pb").find("  ; line 99999\n"), std::string::npos);
         EXPECT_GE(Count(o.Now("CommonFile.pb"), "  ; line "), 100000u);
       }},
      {"missing source", [](const std::string& d) { AddSource(d, "forms/None.pbf"); },
       [](const Outcome& o) { ExpectSourceError(o, "forms/None.pbf"); }},
      {"directory as source",
       [](const std::string& d) {
         MakeDir(d + "forms/Dir.pbf");
         AddSource(d, "forms/Dir.pbf");
       },
       [](const Outcome& o) { ExpectSourceError(o, "forms/Dir.pbf"); }},
      {"symlink loop as source",
       [](const std::string& d) {
         MakeLoop(d + "forms/Loop.pbf");
         AddSource(d, "forms/Loop.pbf");
       },
       [](const Outcome& o) { ExpectSourceError(o, "forms/Loop.pbf"); }},
      {"named pipe as source",
       [](const std::string& d) {
         MakeFifo(d + "forms/Pipe.pbf");
         AddSource(d, "forms/Pipe.pbf");
       },
       [](const Outcome& o) { ExpectSourceError(o, "forms/Pipe.pbf"); }},
      {"endless device as source", [](const std::string& d) { AddSource(d, "/dev/zero"); },
       [](const Outcome& o) {
         ExpectReady(o);
         ExpectLogged(o, "Error /dev/zero: Open file error");
       }},
      {"project file listing itself", [](const std::string& d) { AddSource(d, "Example.pbm"); },
       [](const Outcome& o) {
         ExpectReady(o);
         EXPECT_EQ(o.Now("Example.pbm").rfind("[FILES]\nExample.pbm\n", 0), 0u);
       }},
      // --- Main.pb ---
      {"binary Main.pb", [](const std::string& d) { Put(d + "Main.pb", RandomBytes(65536)); }, ExpectReady},
      {"NUL bytes and invalid UTF-8 in Main.pb",
       [](const std::string& d) {
         WriteBytes(d + "Main.pb", ReadBytes(d + "Main.pb") + B("; a\0b \xFF\xC3\x28 end\n"));
       },
       [](const Outcome& o) {
         ExpectReady(o);
         EXPECT_NE(o.Now("Main.pb").find(B("; a\0b \xFF\xC3\x28 end\n")), std::string::npos);
       }},
      {"UTF-16 BE Main.pb",
       [](const std::string& d) { Put(d + "Main.pb", Utf16Be("; user code\nIncludeFile \"Tools.pbi\"\n")); },
       [](const Outcome& o) {
         ExpectKept(o, "Main.pb");
         ExpectLogged(o, " -> UTF-16 (Big Endian) BOM found.");
       }},
      {"UTF-32 LE Main.pb", [](const std::string& d) { Put(d + "Main.pb", Utf32Le("; user code\n")); },
       [](const Outcome& o) { ExpectKept(o, "Main.pb"); }},
      {"UTF-32 BE Main.pb", [](const std::string& d) { Put(d + "Main.pb", Utf32Be("; user code\n")); },
       [](const Outcome& o) { ExpectKept(o, "Main.pb"); }},
      {"10 MB line in Main.pb",
       [](const std::string& d) { WriteBytes(d + "Main.pb", ReadBytes(d + "Main.pb") + "; " + kTenMegabytes + "\n"); },
       [](const Outcome& o) {
         ExpectReady(o);
         EXPECT_NE(o.Now("Main.pb").find("; " + kTenMegabytes + "\n"), std::string::npos);
       }},
      {"100,000-line Main.pb",
       [](const std::string& d) {
         WriteBytes(d + "Main.pb", ReadBytes(d + "Main.pb") + HundredThousandLines("; user line "));
       },
       [](const Outcome& o) {
         ExpectReady(o);
         EXPECT_NE(o.Now("Main.pb").find("; user line 0\n"), std::string::npos);
         EXPECT_EQ(Count(o.Now("Main.pb"), "; user line "), 100000u);
       }},
      {"missing Main.pb", [](const std::string& d) { ::unlink((d + "Main.pb").c_str()); },
       [](const Outcome& o) {
         ExpectReady(o);
         ExpectLogged(o, " -> Main.pb not found.");
         EXPECT_NE(o.Now("Main.pb").find("Open_WinStart()"), std::string::npos);
       }},
      {"directory as Main.pb", [](const std::string& d) { MakeDir(d + "Main.pb"); },
       [](const Outcome& o) {
         ExpectReady(o);
         ExpectLogged(o, " -> Error File " + o.dir + "Main.pb" + Tail());
         EXPECT_EQ(o.Now("Main.pb/keep.txt"), "kept\n");
       }},
      {"symlink loop as Main.pb", [](const std::string& d) { MakeLoop(d + "Main.pb"); },
       [](const Outcome& o) {
         ExpectReady(o);
         ExpectLogged(o, " -> Error File " + o.dir + "Main.pb" + Tail());
         EXPECT_TRUE(IsLink(o.dir + "Main.pb"));
       }},
      {"Main.pb including itself",
       [](const std::string& d) { WriteBytes(d + "Main.pb", ReadBytes(d + "Main.pb") + "IncludeFile \"Main.pb\"\n"); },
       [](const Outcome& o) {
         ExpectIncludeRenamed(o);
         EXPECT_NE(o.Now("Main.pb").find("IncludeFile \"Main.pb\"\n"), std::string::npos);
         EXPECT_NE(o.Now("Main.pb").find("Open_WinStart()"), std::string::npos);
       }},
      {"named pipe as an event file", [](const std::string& d) { MakeFifo(d + "EventMenu.pb"); },
       [](const Outcome& o) {
         ExpectReady(o);
         ExpectLogged(o, " -> Error File " + o.dir + "EventMenu.pb" + Tail());
       }},
      {"UTF-32 BE event file", [](const std::string& d) { Put(d + "EventGadget.pb", Utf32Be("; user code\n")); },
       [](const Outcome& o) { ExpectKept(o, "EventGadget.pb"); }},
      // --- the user's include file ---
      {"binary include file without the constant",
       [](const std::string& d) { Put(d + "Tools.pbi", RandomBytes(65536)); }, ExpectIncludeUntouched},
      {"NUL bytes and invalid UTF-8 in an include file",
       [](const std::string& d) { Put(d + "Tools.pbi", B("; \0\xFF\xC3\x28\nx = #WinMain_Btn_Greet ; \xFE\0\n")); },
       ExpectIncludeRenamed},
      {"UTF-16 BE include file",
       [](const std::string& d) { Put(d + "Tools.pbi", Utf16Be("x = #WinMain_Btn_Greet\n")); }, ExpectIncludeUntouched},
      {"UTF-32 LE include file",
       [](const std::string& d) { Put(d + "Tools.pbi", Utf32Le("x = #WinMain_Btn_Greet\n")); }, ExpectIncludeUntouched},
      {"10 MB line in an include file",
       [](const std::string& d) { Put(d + "Tools.pbi", "x = #WinMain_Btn_Greet ; " + kTenMegabytes + "\n"); },
       ExpectIncludeRenamed},
      {"100,000-line include file",
       [](const std::string& d) { Put(d + "Tools.pbi", HundredThousandLines("x = #WinMain_Btn_Greet ; ")); },
       [](const Outcome& o) {
         ExpectIncludeRenamed(o);
         ExpectLogged(o, " -> Update Includefile " + o.dir + "Tools.pbi / Count Change: 100000");
       }},
      {"missing include file", [](const std::string& d) { ::unlink((d + "Tools.pbi").c_str()); },
       [](const Outcome& o) {
         ExpectIncludeUnreadable(o);
         EXPECT_EQ(o.Now("Tools.pbi"), "<missing>");  // never created
       }},
      {"directory as include file", [](const std::string& d) { MakeDir(d + "Tools.pbi"); }, ExpectIncludeUnreadable},
      {"symlink loop as include file", [](const std::string& d) { MakeLoop(d + "Tools.pbi"); },
       [](const Outcome& o) {
         ExpectIncludeUnreadable(o);
         EXPECT_TRUE(IsLink(o.dir + "Tools.pbi"));
       }},
      {"named pipe as include file", [](const std::string& d) { MakeFifo(d + "Tools.pbi"); }, ExpectIncludeUnreadable},
      // --- the project file ---
      {"binary project file", [](const std::string& d) { Put(d + "Example.pbm", RandomBytes(65536)); },
       [](const Outcome& o) {
         EXPECT_EQ(o.run.exit_code, 1);
         ExpectLogged(o, "None Files to Generate.");
       }},
      {"NUL byte and invalid UTF-8 in a project file item",
       [](const std::string& d) { AddSource(d, B("forms/MainWindow.pbf\0\xFF")); },
       [](const Outcome& o) { ExpectSourceError(o, B("forms/MainWindow.pbf\0\xFF")); }},
      {"UTF-16 BE project file",
       [](const std::string& d) { Put(d + "Example.pbm", Utf16Be(ReadBytes(d + "Example.pbm"))); },
       [](const Outcome& o) {
         EXPECT_EQ(o.run.exit_code, 1);
         ExpectLogged(o, "None Files to Generate.");
       }},
      {"UTF-32 LE project file",
       [](const std::string& d) { Put(d + "Example.pbm", Utf32Le(ReadBytes(d + "Example.pbm"))); },
       [](const Outcome& o) { EXPECT_EQ(o.run.exit_code, 1); }},
      {"10 MB item in the project file", [](const std::string& d) { AddSource(d, kTenMegabytes); },
       [](const Outcome& o) {
         ExpectReady(o);
         EXPECT_EQ(Count(o.run.out, ": Open file error\n"), 1u);
       }},
      {"100,000-line project file",
       [](const std::string& d) {
         WriteBytes(d + "Example.pbm", ReadBytes(d + "Example.pbm") + "[NOTES]\n" + HundredThousandLines("note "));
       },
       ExpectReady},
      {"missing project file", [](const std::string& d) { ::unlink((d + "Example.pbm").c_str()); },
       ExpectProjectUnopened},
      {"directory as project file", [](const std::string& d) { MakeDir(d + "Example.pbm"); }, ExpectProjectUnopened},
      {"symlink loop as project file", [](const std::string& d) { MakeLoop(d + "Example.pbm"); },
       ExpectProjectUnopened},
  };
}

// One test per row, so that each gets its own time limit under ctest.
class BadInput : public ::testing::TestWithParam<BadInputRow> {
 protected:
  static void SetUpTestSuite() {
    TempDir pre;
    PrepareRenamedProject(pre.path());
    start_ = new Tree(SnapshotTree(pre.path()));
  }
  static void TearDownTestSuite() {
    delete start_;
    start_ = nullptr;
  }
  static Tree* start_;
};
Tree* BadInput::start_ = nullptr;

TEST_P(BadInput, NoCrashNoHangNothingLostEveryUnusableFileReported) {
  const BadInputRow& bad = GetParam();
  TempDir dir;
  RestoreTree(dir.path(), *start_);
  bad.setup(dir.path());
  Outcome o;
  o.dir = dir.path();
  o.before = SnapshotTree(dir.path());
  o.run = RunBounded(dir.path());
  o.log = SplitLines(o.run.out);
  o.after = SnapshotTree(dir.path());
  CheckInvariants(o);
  bad.check(o);
}

std::string RowName(const ::testing::TestParamInfo<BadInputRow>& info) {
  std::string name;
  for (const char* c = info.param.input; *c; ++c) {
    if (std::isalnum(static_cast<unsigned char>(*c))) {
      name += *c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Table, BadInput, ::testing::ValuesIn(Table()), RowName);

}  // namespace
}  // namespace quillon::testing
