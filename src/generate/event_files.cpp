#include "generate/event_files.h"

#include <functional>
#include <unordered_map>

#include "generate/signature_index.h"

namespace quillon {

namespace {
constexpr TextView kEditorOptionsMark = "; IDE Options";
}  // namespace

void RemoveTrailingComments(LineStore& lines) {
  // Only what an editor appends goes: its option block, or a closing
  // separator line. Comments of the user's own (commented-out procedures
  // among them) at the end of the file stay.
  size_t run_start = lines.size();
  while (run_start > 0 && !lines[run_start - 1].empty() && lines[run_start - 1][0] == ';') --run_start;
  for (size_t i = lines.size(); i > run_start; --i) {
    if (lines[i - 1].substr(0, kEditorOptionsMark.size()) == kEditorOptionsMark) {
      lines.Truncate(i - 1);
      return;
    }
  }
  if (!lines.empty() && lines.back() == kSeparatorLine) lines.pop_back();
}

bool IsPassiveGadget(const GadgetRecord& gadget) {
  return gadget.kind == "TEXTGADGET" || gadget.kind == "FRAME3DGADGET";
}

namespace {

constexpr TextView kMenuPrefix = "Procedure EventMenu_";
constexpr TextView kGadgetPrefix = "Procedure EventGadget_";
constexpr TextView kSizePrefix = "Procedure EventSize_";
constexpr TextView kExitPrefix = "Procedure EventExit_";
constexpr TextView kNoParameters = "()";
constexpr TextView kEventTypeParameter = "(EventType)";

// Appends the body lines between the signature and "EndProcedure", by
// position in the list.
using AppendBody = std::function<void(size_t index, TextView name, LineStore& lines)>;

std::vector<TextView> Views(const Lines& names) { return std::vector<TextView>(names.begin(), names.end()); }

// Appends, for every name without a line containing its signature, the
// signature, the body, "EndProcedure" and a separator block. A new file
// first gets its header.
void AddProcedures(LineStore& lines, TextView title, TextView prefix, TextView suffix,
                   const std::vector<TextView>& names, size_t body_lines, const AppendBody& append_body) {
  if (lines.empty()) {
    lines.push_back(";-TOP");
    lines.emplace_back();
    lines.push_back(title);
    AppendSeparatorBlock(lines);
  }
  SignatureIndex present(prefix, suffix, names);
  for (TextView line : lines) present.AddLine(line);
  // Room for the missing procedures up front (signature, body, end,
  // separator block): growing a long list step by step copies it again and
  // again. About 24 bytes a line.
  const size_t new_lines = present.MissingCount() * (body_lines + 5);
  lines.reserve(new_lines, new_lines * 24);
  for (size_t i = 0; i < names.size(); ++i) {
    const TextView name = names[i];
    if (present.ContainsNameAt(i)) continue;
    const size_t first_new = lines.size();
    lines.push_back(Concat({prefix, name, suffix}));
    append_body(i, name, lines);
    lines.push_back("EndProcedure");
    AppendSeparatorBlock(lines);
    // The appended lines count for later names just as the user's lines do.
    for (size_t k = first_new; k < lines.size(); ++k) present.AddLine(lines[k]);
  }
}

void EmptyBody(size_t, TextView, LineStore& lines) { lines.push_back("  "); }

// The first body line of each object's new event procedure: the call that the
// designer's own events procedure makes for it, else "  ".
class FirstBodyLines {
 public:
  explicit FirstBodyLines(const std::vector<DesignerWiring>& wirings) {
    for (const DesignerWiring& wiring : wirings) calls_.emplace(Upper(wiring.object), wiring.call);
  }
  Text For(TextView name) const {
    if (calls_.empty()) return Text("  ");
    const auto found = calls_.find(Upper(name));
    return found == calls_.end() ? Text("  ") : Concat({"  ", found->second});
  }

 private:
  std::unordered_map<Text, TextView> calls_;
};

}  // namespace

void AddMenuProcedures(AnalysisModel& model) {
  const FirstBodyLines first_lines(model.designer_wirings);
  AddProcedures(model.event_menu_lines, "; Quillon Event Menu", kMenuPrefix, kNoParameters, Views(model.menu_items), 1,
                [&](size_t, TextView name, LineStore& lines) { lines.push_back(first_lines.For(name)); });
}

void AddSizeProcedures(AnalysisModel& model) {
  AddProcedures(model.event_window_lines, "; Quillon Event Window", kSizePrefix, kNoParameters, Views(model.windows), 1,
                EmptyBody);
}

void AddExitProcedures(AnalysisModel& model) {
  AddProcedures(model.event_window_lines, "; Quillon Event Window", kExitPrefix, kNoParameters, Views(model.windows), 1,
                [](size_t index, TextView name, LineStore& lines) {
                  // Closing the first window ends the program; any other just closes.
                  if (index == 0) {
                    lines.push_back("  ExitApplication = 1");
                  } else {
                    lines.push_back(Concat({"  CloseWindow(#", name, ")"}));
                  }
                });
}

void AddGadgetProcedures(AnalysisModel& model) {
  std::vector<TextView> names;
  names.reserve(model.gadgets.size());
  for (const GadgetRecord& gadget : model.gadgets) {
    if (!IsPassiveGadget(gadget)) names.push_back(gadget.name);
  }
  const FirstBodyLines first_lines(model.designer_wirings);
  AddProcedures(model.event_gadget_lines, "; Quillon Event Gadget", kGadgetPrefix, kEventTypeParameter, names, 6,
                [&](size_t, TextView name, LineStore& lines) {
                  lines.push_back(first_lines.For(name));
                  for (TextView line :
                       {"  Select EventType", "    Case #PB_EventType_LeftClick", "      ", "  EndSelect", "  "}) {
                    lines.push_back(line);
                  }
                });
}

}  // namespace quillon
