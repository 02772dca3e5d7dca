#include "analysis/window_prefixes.h"

#include "analysis/constant_tokens.h"
#include "host/log_lines.h"
#include "text/call_keywords.h"

namespace quillon {

namespace {

// The name of an OpenWindow(# line's window.
Text WindowNameOfLine(const Text& line) {
  const long a = Position(line, '(') + 2;
  const long b = Position(line, ',');
  return TrimBlanks(Mid(line, a, b - a));
}

// Inserts the prefix after the first p characters, unless a constant of
// PureBasic's own (#PB_Any) follows there: those never belong to a window.
void InsertAfter(Text& line, long p, const Text& prefix) {
  const TextView rest = MidView(line, p + 1, static_cast<long>(line.size()));
  if (IsPureBasicConstantName(rest)) return;
  line = Concat({LeftView(line, p), prefix, rest});
}

// The sixth and seventh arguments of a splitter or MDI gadget at `s`.
void PrefixSixthAndSeventh(Text& line, long s, const Text& prefix) {
  long p = s;
  for (int i = 0; i < 5; ++i) p = Position(line, ',', p) + 1;
  p = Position(line, '#', p);
  if (p > 0) InsertAfter(line, p, prefix);
  p = Position(line, ',', p) + 1;
  p = Position(line, '#', p);
  if (p > 0) InsertAfter(line, p, prefix);
}

// The calls a line of form code is tested for, in the order of their bits.
enum PrefixCall : unsigned {
  kOpenWindow,
  kUseGadgetList,
  kCreateToolBar,
  kCreateStatusBar,
  kCreateGadgetList,
  kAddStatusBarField,
  kToolBarHeight,
  kStatusBarHeight,
  kBalloonTip,
  kToolBarToolTip,
  kDisableToolBarButton,
  kGetToolBarButtonState,
  kSetToolBarButtonState,
  kSplitterGadget,
  kMdiGadget,
};

constexpr CallKeywords kPrefixCalls({"OPENWINDOW(#", "USEGADGETLIST(", "CREATETOOLBAR(", "CREATESTATUSBAR(",
                                     "CREATEGADGETLIST(", "ADDSTATUSBARFIELD(", "TOOLBARHEIGHT(", "STATUSBARHEIGHT(",
                                     "BALLOONTIP(", "TOOLBARTOOLTIP(", "DISABLETOOLBARBUTTON(",
                                     "GETTOOLBARBUTTONSTATE(", "SETTOOLBARBUTTONSTATE(", "SPLITTERGADGET(",
                                     "MDIGADGET("});

class PrefixPass {
 public:
  PrefixPass(const KeywordSets& keywords, RunHost& host) : keywords_(keywords), host_(host) {}

  void SetPrefix(Text prefix) { prefix_ = std::move(prefix); }

  // False when the run must stop.
  bool Line(Text& line) {
    const long semicolon = Position(line, ';');
    if (semicolon >= 1 && semicolon <= 9) return true;
    Text& upper = upper_;
    // Which calls the line holds, found again whenever the line changes.
    uint32_t calls = 0;
    auto changed = [&] {
      UpperInto(line, &upper);
      calls = kPrefixCalls.In(upper);
    };
    changed();
    if (Holds(calls, kOpenWindow)) return Window(line);
    if (Holds(calls, kUseGadgetList)) {
      prefix_ = WindowOfNestedCall(line, Position(upper, "WINDOWID(") + 2);
      return true;
    }
    if (Holds(calls, kCreateToolBar) || Holds(calls, kCreateStatusBar)) {
      prefix_ = WindowOfNestedCall(line, Position(line, '(') + 2);
    }
    if (Holds(calls, kCreateGadgetList) || Holds(calls, kAddStatusBarField)) return true;

    long bar_height_paren = 0;
    if (Holds(calls, kToolBarHeight) || Holds(calls, kStatusBarHeight)) {
      const long t = Position(upper, "TOOLBARHEIGHT(") + Position(upper, "STATUSBARHEIGHT(");
      bar_height_paren = Position(line, '(', t);
      InsertAfter(line, bar_height_paren + 1, prefix_);
      changed();
    }

    const long m = Position(line, "(#");
    // A bar-height "(#" already got its prefix.
    if (m > 0 && m != bar_height_paren && IsCommandBefore(line, m)) {
      InsertAfter(line, m + 1, prefix_);
      changed();
    }

    if (Holds(calls, kBalloonTip) || Holds(calls, kToolBarToolTip) || Holds(calls, kDisableToolBarButton) ||
        Holds(calls, kGetToolBarButtonState) || Holds(calls, kSetToolBarButtonState)) {
      const long tip = Position(upper, "BALLOONTIP(") + Position(upper, "TOOLBARTOOLTIP(") +
                       Position(upper, "DISABLETOOLBARBUTTON(") + Position(upper, "GETTOOLBARBUTTONSTATE(") +
                       Position(upper, "SETTOOLBARBUTTONSTATE(");
      long p = Position(line, ',', tip) + 1;
      p = Position(line, '#', p);
      if (p > 0) {
        InsertAfter(line, p, prefix_);
        changed();
      }
    }

    if (Holds(calls, kSplitterGadget)) {
      PrefixSixthAndSeventh(line, Position(upper, "SPLITTERGADGET("), prefix_);
      changed();
    }
    if (Holds(calls, kMdiGadget)) PrefixSixthAndSeventh(line, Position(upper, "MDIGADGET("), prefix_);
    return true;
  }

 private:
  bool Window(const Text& line) {
    const Text name = WindowNameOfLine(line);
    if (Upper(name) == "PB_ANY") {
      host_.AddLogLine(Text(log::kPbAnyStop));
      return false;
    }
    prefix_ = name + "_";
    return true;
  }

  // The word in front of "(#" at m, from the last blank (else tab) before it.
  bool IsCommandBefore(const Text& line, long m) {
    long q = LastPosition(line, ' ', m);
    if (q == 0) q = LastPosition(line, '\t', m);
    if (q == 0) q = 1;
    UpperInto(TrimmedView(TrimmedView(MidView(line, q, m - q), ' '), '\t'), &word_);
    return keywords_.command_keywords.count(word_) > 0;
  }

  const KeywordSets& keywords_;
  RunHost& host_;
  Text prefix_;  // stays in force across procedures and files
  Text upper_;   // the current line upper-cased, kept to reuse its storage
  Text word_;    // the same for the word in front of "(#"
};

}  // namespace

Text WindowOfNestedCall(const Text& line, long a) {
  a = Position(line, '(', a) + 2;
  const long b = Position(line, ')');
  return TrimBlanks(Mid(line, a, b - a)) + "_";
}

std::vector<std::pair<size_t, Text>> FileStartPrefixes(const AnalysisModel& model) {
  std::vector<std::pair<size_t, Text>> prefixes;
  const Lines& code = model.form_code;
  const std::vector<size_t>& starts = model.form_file_starts;
  Text upper;
  for (size_t f = 0; f < starts.size(); ++f) {
    const size_t end = f + 1 < starts.size() ? starts[f + 1] : code.size();
    for (size_t i = starts[f]; i < end && i < code.size(); ++i) {
      const long semicolon = Position(code[i], ';');
      if (semicolon >= 1 && semicolon <= 9) continue;
      UpperInto(code[i], &upper);
      if (!ContainsUpper(upper, "OPENWINDOW(#")) continue;
      prefixes.emplace_back(starts[f], WindowNameOfLine(code[i]) + "_");
      break;
    }
  }
  return prefixes;
}

bool InsertWindowPrefixes(Workspace& ws, RunHost& host) {
  PrefixPass pass(ws.keywords, host);
  const std::vector<std::pair<size_t, Text>> file_starts = FileStartPrefixes(ws.analysis);
  size_t next = 0;
  Lines& code = ws.analysis.form_code;
  for (size_t i = 0; i < code.size(); ++i) {
    if (next < file_starts.size() && file_starts[next].first == i) pass.SetPrefix(file_starts[next++].second);
    if (!pass.Line(code[i])) return false;
  }
  return true;
}

}  // namespace quillon
