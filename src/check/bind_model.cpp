#include "check/bind_model.h"

#include <algorithm>

#include "model/check_lists.h"
#include "check/todo_entry.h"

namespace quillon {

Text BindDialogTitle(int kind) {
  Text title(kBindTitlePrefix);
  title.append(KindWord(kind));
  return title;
}

namespace {

// Puts `name` back where it stood in `original` relative to the names still
// in `list`; a name that was never there goes to the end.
void InsertInListOrder(Lines& list, const Lines& original, Text name) {
  const auto rank = [&original](const Text& entry) {
    return static_cast<size_t>(std::find(original.begin(), original.end(), entry) - original.begin());
  };
  const size_t wanted = rank(name);
  auto at = list.begin();
  while (at != list.end() && rank(*at) <= wanted) ++at;
  list.insert(at, std::move(name));
}

}  // namespace

BindModel::BindModel(Lines old_entries, Lines new_entries)
    : old_entries_(std::move(old_entries)),
      new_entries_(std::move(new_entries)),
      original_old_(old_entries_),
      original_new_(new_entries_) {}

namespace {

std::optional<size_t> IndexOf(const Lines& list, const Text& name) {
  const auto found = std::find(list.begin(), list.end(), name);
  if (found == list.end()) return std::nullopt;
  return static_cast<size_t>(found - list.begin());
}

}  // namespace

void BindModel::SelectOld(std::optional<size_t> index) {
  selected_old_ = Checked(index, old_entries_);
  if (!selected_old_) return;
  const Text* suggestion = SuggestionFor(suggestions_, old_entries_[*selected_old_]);
  if (!suggestion) return;
  if (const std::optional<size_t> new_index = IndexOf(new_entries_, *suggestion)) selected_new_ = new_index;
}

bool BindModel::BindSuggested() {
  bool changed = false;
  for (size_t i = 0; i < old_entries_.size();) {
    const Text* suggestion = SuggestionFor(suggestions_, old_entries_[i]);
    const std::optional<size_t> new_index = suggestion ? IndexOf(new_entries_, *suggestion) : std::nullopt;
    selected_old_ = i;
    selected_new_ = new_index;
    if (new_index && Bind()) {
      suggested_todo_.push_back(todo_.back());
      changed = true;  // the next old name moved up to position i
    } else {
      ++i;
    }
  }
  selected_old_.reset();
  selected_new_.reset();
  return changed;
}

bool BindModel::Bind() {
  if (!selected_old_ || !selected_new_) return false;
  Text entry = MakeTodoEntry(old_entries_[*selected_old_], new_entries_[*selected_new_]);
  if (std::find(todo_.begin(), todo_.end(), entry) != todo_.end()) return false;
  todo_.push_back(std::move(entry));
  const size_t bound_old = *selected_old_;
  old_entries_.erase(old_entries_.begin() + static_cast<std::ptrdiff_t>(bound_old));
  new_entries_.erase(new_entries_.begin() + static_cast<std::ptrdiff_t>(*selected_new_));
  // The next unbound old name is selected, ready for the next pair.
  selected_old_.reset();
  if (!old_entries_.empty()) selected_old_ = std::min(bound_old, old_entries_.size() - 1);
  selected_new_.reset();
  return true;
}

bool BindModel::Release() {
  if (!selected_todo_) return false;
  TodoParts parts = SplitTodoEntry(todo_[*selected_todo_]);
  InsertInListOrder(old_entries_, original_old_, std::move(parts.old_name));
  InsertInListOrder(new_entries_, original_new_, std::move(parts.new_name));
  const auto suggested = std::find(suggested_todo_.begin(), suggested_todo_.end(), todo_[*selected_todo_]);
  if (suggested != suggested_todo_.end()) suggested_todo_.erase(suggested);
  todo_.erase(todo_.begin() + static_cast<std::ptrdiff_t>(*selected_todo_));
  selected_todo_.reset();
  return true;
}

DialogAction BindModel::Continue() const {
  return old_entries_.empty() ? DialogAction::kReplyContinue : DialogAction::kAskQuestion;
}

DialogAction BindModel::AnswerQuestion(QuestionAnswer answer) {
  switch (answer) {
    case QuestionAnswer::kYes: return DialogAction::kReplyContinue;
    case QuestionAnswer::kNo: return DialogAction::kStay;
    case QuestionAnswer::kCancel: return DialogAction::kReplyCancel;
  }
  return DialogAction::kStay;
}

BindReply BindModel::Reply(DialogAction action) const {
  BindReply reply;
  reply.cancelled = action == DialogAction::kReplyCancel;
  reply.todo = todo_;
  reply.suggested = suggested_todo_;
  return reply;
}

}  // namespace quillon
