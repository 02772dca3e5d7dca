#include "analysis/reference_prefixes.h"

#include <algorithm>
#include <unordered_map>

#include "analysis/constant_tokens.h"
#include "analysis/object_collection.h"
#include "analysis/window_prefixes.h"
#include "text/call_keywords.h"
#include "text/upper_name_set.h"

namespace quillon {

namespace {

// The run's windows and objects, looked up without case.
class ObjectNames {
 public:
  explicit ObjectNames(const AnalysisModel& model) : objects_(model.gadgets.size()), window_names_(model.windows) {
    // The index refers to the upper-cased names: they are all in place before it is built.
    upper_windows_.reserve(model.windows.size());
    for (const Text& window : model.windows) upper_windows_.push_back(Upper(window));
    window_by_upper_.Reserve(upper_windows_.size());
    for (const Text& upper : upper_windows_) window_by_upper_.Insert(upper);
    Text upper;
    auto add_object = [&](const Text& name) {
      UpperInto(name, &upper);
      if (objects_.InsertUpper(upper)) AddOwners(upper);
    };
    for (const Lines* list : {&model.menu_bars, &model.menu_items, &model.status_bars, &model.tool_bars}) {
      for (const Text& name : *list) add_object(name);
    }
    for (const GadgetRecord& gadget : model.gadgets) add_object(gadget.name);
  }

  bool IsWindowOrObject(const Text& upper) const {
    return window_by_upper_.Find(upper) != ViewIndex::kNone || objects_.ContainsUpper(upper);
  }
  bool IsObject(const Text& upper) const { return objects_.ContainsUpper(upper); }

  // The window W for which W + "_" + name is an object, when there is
  // exactly one; nullptr otherwise.
  const Text* SoleOwner(const Text& upper_name) const {
    const auto found = owners_.find(upper_name);
    if (found == owners_.end() || found->second.size() != 1) return nullptr;
    return found->second.front();
  }

 private:
  // Every window whose name + "_" begins the object's name owns the rest.
  void AddOwners(TextView upper_object) {
    for (size_t underscore = upper_object.find('_'); underscore != TextView::npos;
         underscore = upper_object.find('_', underscore + 1)) {
      const uint32_t window = window_by_upper_.Find(upper_object.substr(0, underscore));
      if (window == ViewIndex::kNone) continue;
      const Text* name = &window_names_[window];
      std::vector<const Text*>& owners = owners_[Text(upper_object.substr(underscore + 1))];
      // Two owners already make the rest ambiguous; a rest that every
      // window shares ("Gadget_1") would otherwise be compared per window.
      if (owners.size() < 2 && std::find(owners.begin(), owners.end(), name) == owners.end()) {
        owners.push_back(name);
      }
    }
  }

  UpperNameSet objects_;
  const Lines& window_names_;                                  // as recorded
  Lines upper_windows_;                                        // the same upper-cased
  ViewIndex window_by_upper_;                                  // upper-cased name -> its place in window_names_
  std::unordered_map<Text, std::vector<const Text*>> owners_;  // rest of a name -> its windows
};

// The calls that set the window prefix, in the order of their bits.
enum PrefixSetter : unsigned { kOpenWindow, kUseGadgetList, kCreateToolBar, kCreateStatusBar };
constexpr CallKeywords kPrefixSetters({"OPENWINDOW(#", "USEGADGETLIST(", "CREATETOOLBAR(", "CREATESTATUSBAR("});

class ReferencePass {
 public:
  explicit ReferencePass(const AnalysisModel& model) : names_(model) {}

  void SetPrefix(Text prefix) {
    prefix_ = std::move(prefix);
    upper_prefix_ = Upper(prefix_);
  }

  void Line(Text& line) {
    const long semicolon = Position(line, ';');
    if (semicolon >= 1 && semicolon <= 9) return;
    UpperInto(line, &upper_);
    // Enumeration blocks define constants; they stay as written.
    if (in_enumeration_) {
      if (IsEnumerationEnd(upper_)) in_enumeration_ = false;
      return;
    }
    if (IsEnumerationStart(upper_)) {
      in_enumeration_ = true;
      return;
    }
    // The window prefix follows the prefix pass.
    const uint32_t calls = kPrefixSetters.In(upper_);
    if (Holds(calls, kOpenWindow)) {
      SetPrefix(ObjectNameOfLine(line, false) + "_");
      return;
    }
    if (Holds(calls, kUseGadgetList)) {
      SetPrefix(WindowOfNestedCall(line, Position(upper_, "WINDOWID(") + 2));
      return;
    }
    if (Holds(calls, kCreateToolBar) || Holds(calls, kCreateStatusBar)) {
      SetPrefix(WindowOfNestedCall(line, Position(line, '(') + 2));
    }
    Rewrite(line);
  }

 private:
  void Rewrite(Text& line) {
    if (line.find('#') == Text::npos) return;
    tokens_.clear();
    FindConstantTokens(line, &tokens_);
    Text out;
    size_t copied = 0;
    for (const ConstantToken& token : tokens_) {
      if (token.string_constant) continue;
      const TextView name = token.Name(line);
      if (IsPureBasicConstantName(name)) continue;
      UpperInto(name, &upper_name_);
      if (names_.IsWindowOrObject(upper_name_)) continue;
      TextView insert;
      prefixed_.assign(upper_prefix_).append(upper_name_);
      if (!prefix_.empty() && names_.IsObject(prefixed_)) {
        insert = prefix_;
      } else if (const Text* owner = names_.SoleOwner(upper_name_)) {
        owner_prefix_ = *owner + "_";
        insert = owner_prefix_;
      } else {
        continue;
      }
      out.append(line, copied, token.hash + 1 - copied);
      out.append(insert);
      copied = token.hash + 1;
    }
    if (copied == 0) return;
    out.append(line, copied, Text::npos);
    line = std::move(out);
  }

  ObjectNames names_;
  Text prefix_;  // stays in force across procedures and files
  Text upper_prefix_;
  bool in_enumeration_ = false;
  std::vector<ConstantToken> tokens_;
  Text upper_;
  Text upper_name_;
  Text prefixed_;
  Text owner_prefix_;
};

}  // namespace

void PrefixObjectReferences(Workspace& ws) {
  ReferencePass pass(ws.analysis);
  const std::vector<std::pair<size_t, Text>> file_starts = FileStartPrefixes(ws.analysis);
  size_t next = 0;
  Lines& code = ws.analysis.form_code;
  for (size_t i = 0; i < code.size(); ++i) {
    if (next < file_starts.size() && file_starts[next].first == i) pass.SetPrefix(file_starts[next++].second);
    pass.Line(code[i]);
  }
}

}  // namespace quillon
