#include "cli/cli_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "support/temp_dir.h"

namespace quillon::cli {
namespace {

using testing::L;

// Captures what the host prints.
class Capture {
 public:
  Capture() : file_(std::tmpfile(), std::fclose) {}
  std::FILE* get() { return file_.get(); }
  std::string Text() {
    std::fflush(file_.get());
    std::rewind(file_.get());
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, file_.get())) > 0) out.append(buf, n);
    return out;
  }

 private:
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
};

CliOptions Parse(std::vector<std::string> args) {
  std::vector<char*> argv;
  static std::string program = "quillon";
  argv.push_back(&program[0]);
  for (auto& a : args) argv.push_back(&a[0]);
  CliOptions options;
  std::string error;
  EXPECT_TRUE(ParseCliOptions(static_cast<int>(argv.size()), argv.data(), &options, &error)) << error;
  return options;
}

TEST(CliOptionsParsing, KindsAndBindsAndUsageErrors) {
  EXPECT_EQ(ParseKind("window"), 1);
  EXPECT_EQ(ParseKind("MENUITEM"), 3);
  EXPECT_EQ(ParseKind("6"), 6);
  EXPECT_EQ(ParseKind("7"), 0);
  EXPECT_EQ(ParseKind("Gadgets"), 0);
  const CliOptions o = Parse({"--generate", "p.pbm", "--bind", "gadget:Main_OK=Main_Go", "--bind", "1:A=B=C",
                              "--drop-unbound", "--user-list", "u.ini"});
  ASSERT_EQ(o.binds.size(), 2u);
  EXPECT_EQ(o.binds[0].kind, 6);
  EXPECT_EQ(o.binds[0].old_name, "Main_OK");
  EXPECT_EQ(o.binds[1].new_name, "B=C");  // only the first "=" separates
  EXPECT_TRUE(o.drop_unbound);
  EXPECT_EQ(o.user_list, "u.ini");

  for (std::vector<std::string> bad : {std::vector<std::string>{"--generate"},
                                       {"--bind", "Window:A=B"},
                                       {"--generate", "p", "--bind", "Window:A"},
                                       {"--generate", "p", "--bind", "Frame:A=B"},
                                       {"--generate", "p", "--bind", "Window:=B"},
                                       {"--generate", "p", "--frobnicate"}}) {
    std::vector<char*> argv{const_cast<char*>("quillon")};
    for (auto& a : bad) argv.push_back(&a[0]);
    CliOptions options;
    std::string error;
    EXPECT_FALSE(ParseCliOptions(static_cast<int>(argv.size()), argv.data(), &options, &error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(CliBindings, TodoInCommandLineOrderWhileBothNamesAreUnbound) {
  Workspace ws;
  Capture out, err;
  const CliOptions o = Parse({"--generate", "p", "--bind", "Gadget:B_y=B_z", "--bind", "Gadget:B_y=B_w", "--bind",
                              "Window:B_q=B_w", "--bind", "Gadget:B_q=B_w"});
  CliHost host(ws, o, out.get(), err.get());
  const BindReply reply = host.AskBindings(6, L({"B_y", "B_q"}), L({"B_z", "B_w"}));
  EXPECT_FALSE(reply.cancelled);
  // B_y is bound once; the second --bind for it no longer finds it unbound.
  EXPECT_EQ(reply.todo, L({"B_y > B_z", "B_q > B_w"}));
  EXPECT_EQ(err.Text(), "");
}

TEST(CliBindings, UnboundOldNamesCancelUnlessDropped) {
  Workspace ws;
  Capture out, err;
  const CliOptions strict = Parse({"--generate", "p", "--bind", "MenuItem:A=B"});
  CliHost host(ws, strict, out.get(), err.get());
  const BindReply reply = host.AskBindings(3, L({"A", "Gone1", "Gone2"}), L({"B"}));
  EXPECT_TRUE(reply.cancelled);
  EXPECT_EQ(err.Text(), "unbound MenuItem: Gone1\nunbound MenuItem: Gone2\n");

  Capture err2;
  const CliOptions lenient = Parse({"--generate", "p", "--drop-unbound"});
  CliHost host2(ws, lenient, out.get(), err2.get());
  const BindReply kept = host2.AskBindings(4, L({"Gone"}), {});
  EXPECT_FALSE(kept.cancelled);
  EXPECT_TRUE(kept.todo.empty());
  EXPECT_EQ(err2.Text(), "");
}

TEST(CliLog, OnlyErrorLinesMarkTheRunAndUnusedBindsAreNamedForTheKindsChecked) {
  Workspace ws;
  Capture out, err;
  const CliOptions o = Parse({"--generate", "p", "--bind", "Window:A=B", "--bind", "Gadget:X=Y"});
  CliHost host(ws, o, out.get(), err.get());
  host.AddLogLine(" -> Warning: #ErrorText is defined outside the procedures of f.pbf");
  host.AddLogLine(" -> Write File /p/ErrorDialog/Main.pb");
  EXPECT_FALSE(host.SawError());
  host.ReportUnusedBinds(/*run_completed=*/false);  // no kind checked yet
  EXPECT_EQ(err.Text(), "");
  host.AskBindings(1, L({"Old"}), L({"New"}));  // cancelled: A is not unbound
  host.ReportUnusedBinds(false);
  EXPECT_EQ(err.Text(), "unbound Window: Old\nquillon: --bind Window:A=B bound nothing\n");
  for (const char* line :
       {" -> Error File /p/x / Errorcode: 1", "- Error CopyDirectory", "Error /p/f.pbf: Open file error"}) {
    CliHost fresh(ws, o, out.get(), err.get());
    fresh.AddLogLine(FromUtf8(line));
    EXPECT_TRUE(fresh.SawError()) << line;
  }
}

TEST(CliLog, LinesAreWrittenAsUtf8WithLf) {
  Workspace ws;
  Capture out, err;
  const CliOptions o = Parse({"--generate", "p"});
  CliHost host(ws, o, out.get(), err.get());
  host.AddLogLine("Grüße");
  host.AddLogLine("");
  EXPECT_EQ(out.Text(), "Grüße\n\n");
}

}  // namespace
}  // namespace quillon::cli
