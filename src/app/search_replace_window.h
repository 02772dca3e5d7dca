// Window 2, "Search and Replace - <kind>": the user pairs old constant names
// with new ones. The window shows a BindModel (which holds the lists and
// selections) and reports its events as gadgets 14 to 19 and its close box;
// the dispatch tables hand them back to HandleGadget. Main thread only.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "app/child_window_ports.h"
#include "app/dialog_service.h"
#include "app/single_column_list.h"
#include "check/bind_model.h"

namespace quillon::app {

enum BindGadget : int {
  kGadgetOldLabel = 11,
  kGadgetNewLabel = 12,
  kGadgetTodoLabel = 13,
  kGadgetOldList = 14,
  kGadgetNewList = 15,
  kGadgetTodoList = 16,
  kGadgetBind = 17,
  kGadgetRelease = 18,
  kGadgetContinue = 19,
  kGadgetBindSuggested = 24,  // after the gadgets of the User gadget window
};

// The line above the lists that says what the window is for.
inline constexpr const char* kBindIntroText =
    "Pair each old name with the name it was renamed to; your code is renamed with it.";

class SearchReplaceWindow final : public BindWindowPort {
 public:
  // `dialogs` asks the question of "Continue".
  explicit SearchReplaceWindow(DialogService& dialogs) : dialogs_(dialogs) {}
  ~SearchReplaceWindow() override;
  SearchReplaceWindow(const SearchReplaceWindow&) = delete;
  SearchReplaceWindow& operator=(const SearchReplaceWindow&) = delete;

  void Open(GtkWindow* parent, int kind, const Lines& unbound_old, const Lines& unbound_new,
            const ChildWindowEvents& events) override;
  void Suggest(const std::vector<SuggestedBinding>& suggested) override;
  void HandleGadget(int gadget, int event_type) override;
  Lines TodoList() const override;
  Lines SuggestedTodo() const override { return model_ ? model_->suggested_todo() : Lines(); }
  void Close() override;

  bool IsOpen() const { return window_ != nullptr; }
  GtkWindow* window() const { return GTK_WINDOW(window_); }
  // Gadget 11 to 19 or 24 (the frame of a list); null otherwise or when closed.
  GtkWidget* gadget(int number) const;
  // The tree view of list 14, 15 or 16; null otherwise or when closed.
  GtkTreeView* list(int number) const;
  // The line that says what closing the window does.
  GtkWidget* close_hint() const { return close_hint_; }
  // The line above the lists; null when closed.
  GtkWidget* intro() const { return intro_; }

 private:
  void Build(GtkWindow* parent, int kind);
  void LayOut(GtkFixed* fixed);
  void Refresh();
  void UpdateButtons();
  // Bind, then the suggestion of the next old name; true when bound.
  bool BindSelected();
  void Continue();
  void Reply(DialogAction action);
  // Escape and the close box.
  void ReportClose();

  DialogService& dialogs_;
  ChildWindowEvents events_;
  std::unique_ptr<BindModel> model_;
  std::unique_ptr<SingleColumnList> old_list_;
  std::unique_ptr<SingleColumnList> new_list_;
  std::unique_ptr<SingleColumnList> todo_list_;
  GtkWidget* window_ = nullptr;
  GtkWidget* intro_ = nullptr;
  GtkWidget* close_hint_ = nullptr;
  GtkWidget* gadgets_[kGadgetBindSuggested + 1] = {};
};

}  // namespace quillon::app
