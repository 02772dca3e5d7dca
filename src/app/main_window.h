// Window 0: menu bar, tool bar, the hidden "CMD" button, the file list and
// the log list in a split pane, and the status bar. It only builds and shows;
// every event goes out through MainWindowEvents to the dispatch tables.
#pragma once

#include <gtk/gtk.h>

#include <array>
#include <functional>

#include "app/icons.h"
#include "text/text.h"

namespace quillon::app {

inline constexpr int kCommandCount = 13;
// "Undo Last Generate" in the Action menu.
inline constexpr int kCommandUndoLastGenerate = 12;
inline constexpr int kInitialDivider = 100;

struct MainWindowEvents {
  std::function<void(int command)> command;  // menu item, tool bar button, shortcut
  std::function<void()> size;                // size event of window 0
  std::function<void()> close;               // close box of window 0
};

// A menu text with "&" mnemonics as GTK wants it: "&" becomes "_" and a
// literal "_" is doubled. Only the text before a tab.
std::string MnemonicLabel(const char* text);

class MainWindow {
 public:
  MainWindow(const IconSet& icons, MainWindowEvents events);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Start-up steps 5 to 11: window, CMD button, menus, status bar, lists,
  // tool bar, split pane, shortcuts. False when the window cannot be made.
  bool Open();
  void Show();

  // Fits the split pane to the inner size minus menu, tool and status bar.
  void ResizeMainWindow();
  void PlaceDivider(int pixels);

  // Keyboard focus into the file list (the tool bar never takes it, so a
  // stray Return or Space cannot run a command).
  void FocusFileList();
  // "*" in front of the title while the project has unsaved changes.
  void ShowModified(bool modified);
  // The watch cursor over the window while a run lasts.
  void SetBusy(bool busy);

  void SetStatusText(const Text& text);
  std::string StatusText() const;

  // The file list mirrors the project's list; it is rebuilt from it.
  void SetFileList(const Lines& files);
  // Index of the selected file list item, -1 when none.
  int SelectedFile() const;

  // Appends a line, selects it (scrolling it into view), clears the selection.
  void AppendLogLine(const Text& line);
  void ClearLog();

  void SetEnabled(bool enabled);
  bool Enabled() const;
  // Menu items and tool bar buttons of commands that change the project.
  // Common Delete and Common First File also need a selected file.
  void SetProjectCommandsSensitive(bool sensitive);

  GtkWindow* window() const { return GTK_WINDOW(window_); }
  GtkWidget* cmd_button() const { return cmd_button_; }
  GtkWidget* menu_bar() const { return menu_bar_; }
  GtkWidget* tool_bar() const { return tool_bar_; }
  GtkWidget* status_bar() const { return status_bar_; }
  GtkWidget* pane() const { return pane_; }
  GtkTreeView* file_view() const { return GTK_TREE_VIEW(file_view_); }
  GtkTreeView* log_view() const { return GTK_TREE_VIEW(log_view_); }
  GtkWidget* menu_item(int command) const;
  GtkWidget* tool_button(int command) const;
  GtkWidget* preferences_item() const { return preferences_item_; }

 private:
  struct CommandSlot {
    MainWindow* window = nullptr;
    int command = 0;
  };

  void BuildMenuBar();
  void BuildToolBar();
  void BindShortcuts();
  GtkWidget* NewMenuItem(const char* text, int icon);
  void Fire(int command) const;
  void UpdateFileCommands();
  void SetCommandSensitive(int command, bool sensitive);

  const IconSet& icons_;
  MainWindowEvents events_;
  std::array<CommandSlot, kCommandCount> slots_{};
  std::array<GtkWidget*, kCommandCount> menu_items_{};
  std::array<GtkWidget*, kCommandCount> tool_buttons_{};
  GtkWidget* window_ = nullptr;
  GtkWidget* cmd_button_ = nullptr;
  GtkWidget* menu_bar_ = nullptr;
  GtkWidget* preferences_item_ = nullptr;
  GtkWidget* tool_bar_ = nullptr;
  GtkWidget* status_bar_ = nullptr;
  GtkWidget* pane_ = nullptr;
  GtkWidget* file_view_ = nullptr;
  GtkWidget* log_view_ = nullptr;
  GtkListStore* file_store_ = nullptr;
  GtkListStore* log_store_ = nullptr;
  GtkAccelGroup* accels_ = nullptr;
  guint status_context_ = 0;
  bool project_commands_enabled_ = true;
};

}  // namespace quillon::app
