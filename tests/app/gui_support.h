// Shared pieces of the GUI tests: pumping the main loop with a deadline, a
// scripted dialog service, an opened application on a temporary folder, a
// responder for real modal dialogs and screenshots.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/dialog_service.h"
#include "support/temp_dir.h"

namespace quillon::testing {

// Runs the main loop until `done` or the deadline; false on timeout.
bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 5000);
// Runs every pending event (layout, redraw, idle handlers).
void PumpPending();

// Answers from a script; an unscripted question fails the test.
class FakeDialogs final : public app::DialogService {
 public:
  bool AskYesNo(const Text& title, const Text& text) override;
  // Answered from `closable` while it has answers, else from `answers`.
  app::Answer AskYesNoClosable(const Text& title, const Text& text) override;
  app::Answer AskYesNoCancel(const Text& title, const Text& text, const Text& detail, app::Answer default_answer,
                             app::Answer if_closed) override;
  void ShowMessage(const Text& title, const Text& text) override;
  // Recorded in `messages` and in `errors`.
  void ShowError(const Text& title, const Text& text) override;
  Text AskInput(const Text& title, const Text& prompt, const Text& preset) override;
  Text ChooseSaveFile(const Text& title, const Text& start, const Text& patterns) override;
  Text ChooseOpenFile(const Text& title, const Text& start, const Text& patterns) override;
  Lines ChooseOpenFiles(const Text& title, const Text& start, const Text& patterns) override;

  std::deque<bool> answers;              // Yes/No questions in order
  std::deque<app::Answer> three_way;     // Yes/No/Cancel questions in order
  std::deque<app::Answer> closable;      // Yes/No questions that may be closed
  std::deque<Text> inputs;               // input box answers in order
  std::deque<Text> save_names;           // save chooser results ("" = cancel)
  std::deque<Text> open_names;           // open chooser results
  std::deque<Lines> open_lists;          // multiple-selection results
  std::vector<std::string> questions;    // "title: text"
  std::vector<std::string> messages;     // "title: text"
  std::vector<std::string> errors;       // "title: text" of boxes with the error icon
  std::vector<std::string> input_boxes;  // "title|prompt|preset"
  std::vector<std::string> choosers;     // "title|start|patterns"
};

// An opened application (main window shown, start-up loaded) with its
// settings and user list in a temporary folder.
struct AppFixture {
  explicit AppFixture(const std::string& first_argument = "", const std::string& settings_text = "",
                      const std::string& user_list_text = "");
  ~AppFixture();

  // A project file in the temporary folder with these files listed.
  std::string WriteProject(const std::string& name, const std::vector<std::string>& files);

  TempDir dir;
  Workspace ws;
  FakeDialogs dialogs;
  std::unique_ptr<app::App> app;
};

// Answers modal GtkDialogs from a 10 ms timer: the first mapped, modal,
// unanswered dialog whose title and text match gets `response`.
class DialogResponder {
 public:
  DialogResponder(std::string title, std::string text, int response);
  ~DialogResponder();
  // Answers with a key pressed in the dialog instead (Escape, Return), as a
  // user at the keyboard does.
  static std::unique_ptr<DialogResponder> PressingKey(std::string title, std::string text, guint keyval);
  int answered() const { return answered_; }
  // What the last answered message box showed.
  GtkMessageType message_type() const { return message_type_; }
  const std::string& secondary_text() const { return secondary_text_; }
  int button_count() const { return button_count_; }
  // Answer only when this returns true (e.g. after a worker finished).
  std::function<bool()> ready = [] { return true; };

 private:
  static gboolean Tick(gpointer self);
  std::string title_;
  std::string text_;
  int response_;
  guint keyval_ = 0;
  int answered_ = 0;
  GtkMessageType message_type_ = GTK_MESSAGE_OTHER;
  std::string secondary_text_;
  int button_count_ = 0;
  guint source_ = 0;
};

// A user's mouse on a list row, as the window receives it (press and
// release on the rows' window, time stamps far enough apart that single
// clicks never pair up). False when the row is not laid out.
bool ClickRow(GtkTreeView* view, int row);
bool DoubleClickRow(GtkTreeView* view, int row);
// The window manager's close box.
void SendCloseBox(GtkWindow* window);
// Waits until the widget is shown and laid out.
bool WaitMapped(GtkWidget* widget);
// Position and size inside the parent, as laid out.
GtkAllocation Allocation(GtkWidget* widget);

// Text of every row of a single-column list.
std::vector<std::string> ListRows(GtkTreeView* view);
int SelectedRowCount(GtkTreeView* view);
// Writes a PNG of a realized widget (in-process snapshot); false on failure.
bool WriteSnapshot(GtkWidget* widget, const std::string& path);
// The first GtkLabel texts found inside a widget, depth first.
std::vector<std::string> LabelTexts(GtkWidget* widget);

}  // namespace quillon::testing
