#include "check/bind_model.h"

#include <algorithm>

#include "check/check_lists.h"
#include "check/todo_entry.h"

namespace quillon {

Text BindDialogTitle(int kind) {
  Text title(kBindTitlePrefix);
  title.append(KindWord(kind));
  return title;
}

BindModel::BindModel(Lines old_entries, Lines new_entries)
    : old_entries_(std::move(old_entries)), new_entries_(std::move(new_entries)) {}

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
  old_entries_.erase(old_entries_.begin() + static_cast<std::ptrdiff_t>(*selected_old_));
  new_entries_.erase(new_entries_.begin() + static_cast<std::ptrdiff_t>(*selected_new_));
  selected_old_.reset();
  selected_new_.reset();
  return true;
}

bool BindModel::Release() {
  if (!selected_todo_) return false;
  TodoParts parts = SplitTodoEntry(todo_[*selected_todo_]);
  old_entries_.push_back(std::move(parts.old_name));
  new_entries_.push_back(std::move(parts.new_name));
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
  return reply;
}

}  // namespace quillon
