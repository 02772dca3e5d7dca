// Window 3, "UserGadget": edits a copy of the user gadget list. "Ok" stores
// the copy in the workspace and in UserList.INI; Cancel, Escape and the close
// box drop it; Delete in the list removes an entry as "Del" does. A line
// under the buttons says what the names are. The
// keyword sets keep what start-up built from the list: new names count from
// the next start. Events go out as gadgets 20 to 23 and the close box; the
// dispatch tables hand them back to HandleGadget. Main thread only.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "app/child_window_ports.h"
#include "app/dialog_service.h"
#include "app/single_column_list.h"
#include "model/workspace.h"

namespace quillon::app {

enum UserGadgetGadget : int {
  kGadgetUserList = 20,
  kGadgetAdd = 21,
  kGadgetDel = 22,
  kGadgetOk = 23,
};

class UserGadgetWindow final : public UserGadgetPort {
 public:
  // `user_list_path` is UserList.INI; `reporter` shows its save error box.
  UserGadgetWindow(DialogService& dialogs, Workspace& ws, std::string user_list_path, ErrorReporter& reporter)
      : dialogs_(dialogs), ws_(ws), user_list_path_(std::move(user_list_path)), reporter_(reporter) {}
  ~UserGadgetWindow() override;
  UserGadgetWindow(const UserGadgetWindow&) = delete;
  UserGadgetWindow& operator=(const UserGadgetWindow&) = delete;

  void Open(GtkWindow* parent, const ChildWindowEvents& events) override;
  void HandleGadget(int gadget, int event_type) override;
  void Close() override;

  bool IsOpen() const { return window_ != nullptr; }
  GtkWindow* window() const { return GTK_WINDOW(window_); }
  // Gadget 20 (the list's frame) to 23; null otherwise or when closed.
  GtkWidget* gadget(int number) const;
  GtkTreeView* list() const { return list_ ? list_->view() : nullptr; }
  GtkWidget* cancel_button() const { return cancel_; }
  GtkWidget* hint() const { return hint_; }
  // The entries as edited so far.
  const Lines& entries() const { return entries_; }

 private:
  // The hint and Cancel sized from their text at the current font.
  void LayOut(GtkFixed* fixed);
  void Edit();
  void Add();
  void Delete();
  void Store();
  // Cancel, Escape and the close box.
  void ReportClose();

  DialogService& dialogs_;
  Workspace& ws_;
  std::string user_list_path_;
  ErrorReporter& reporter_;
  ChildWindowEvents events_;
  Lines entries_;
  std::optional<size_t> selected_;
  std::unique_ptr<SingleColumnList> list_;
  GtkWidget* window_ = nullptr;
  GtkWidget* hint_ = nullptr;
  GtkWidget* cancel_ = nullptr;
  GtkWidget* gadgets_[kGadgetOk + 1] = {};
};

}  // namespace quillon::app
