// The list logic of the Search and Replace window, free of any toolkit: the
// window shows the three lists, forwards selections and button presses, and
// acts on the returned DialogAction. Tests drive it directly.
#pragma once

#include <cstddef>
#include <optional>

#include <vector>

#include "check/binding_suggestions.h"
#include "host/run_host.h"
#include "text/text.h"

namespace quillon {

inline constexpr TextView kBindTitlePrefix = "Search and Replace - ";
inline constexpr TextView kBindQuestionTitle = "Info";
inline constexpr TextView kBindQuestionText = "Some old constants not to bind! Continue?";

// "Search and Replace - " followed by the kind's word.
Text BindDialogTitle(int kind);

// What the window has to do after a press.
enum class DialogAction {
  kStay,           // keep the dialog open
  kAskQuestion,    // show the Yes/No/Cancel question, then call AnswerQuestion
  kReplyContinue,  // reply "continue" with Reply(...)
  kReplyCancel,    // reply "cancel"
};

enum class QuestionAnswer { kYes, kNo, kCancel };

class BindModel {
 public:
  BindModel(Lines old_entries, Lines new_entries);

  const Lines& old_entries() const { return old_entries_; }
  const Lines& new_entries() const { return new_entries_; }
  const Lines& todo() const { return todo_; }
  // The todo entries BindSuggested made and Release has not taken back.
  const Lines& suggested_todo() const { return suggested_todo_; }

  // Selections: an index into the list, or none. An index past the end
  // counts as none.
  // Selecting an old name also selects its suggested new name, when that is
  // still in the new list.
  void SelectOld(std::optional<size_t> index);
  void SelectNew(std::optional<size_t> index) { selected_new_ = Checked(index, new_entries_); }
  void SelectTodo(std::optional<size_t> index) { selected_todo_ = Checked(index, todo_); }
  std::optional<size_t> selected_old() const { return selected_old_; }
  std::optional<size_t> selected_new() const { return selected_new_; }
  std::optional<size_t> selected_todo() const { return selected_todo_; }

  // "old > new" appended to the todo list, both names leave their lists and
  // the next old name (the one that followed, else the last) is selected.
  // Needs a selection in both lists; an equal todo entry blocks it. True
  // when the lists changed.
  bool Bind();
  // The pairs the core suggests (SuggestBindings); none by default.
  void SetSuggestions(std::vector<SuggestedBinding> suggestions) { suggestions_ = std::move(suggestions); }
  // Binds, top to bottom in the old list, every old name whose suggested
  // new name is still in the new list, as Bind would. True when the lists
  // changed.
  bool BindSuggested();
  // The selected todo entry goes back: its two names to their places in
  // the order the lists were opened with. True when the lists changed.
  bool Release();

  // "Continue": replies at once when no old entry is left, else the
  // question has to be asked.
  DialogAction Continue() const;
  static DialogAction AnswerQuestion(QuestionAnswer answer);
  // The close box.
  static DialogAction Close() { return DialogAction::kReplyCancel; }

  // The reply for the worker, with a copy of the todo entries as they are now.
  BindReply Reply(DialogAction action) const;

 private:
  static std::optional<size_t> Checked(std::optional<size_t> index, const Lines& list) {
    if (index && *index < list.size()) return index;
    return std::nullopt;
  }

  Lines old_entries_;
  Lines new_entries_;
  Lines original_old_;  // as opened: the order Release restores
  Lines original_new_;
  Lines todo_;
  Lines suggested_todo_;
  std::optional<size_t> selected_old_;
  std::optional<size_t> selected_new_;
  std::optional<size_t> selected_todo_;
  std::vector<SuggestedBinding> suggestions_;
};

}  // namespace quillon
