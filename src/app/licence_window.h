// The licence window: "Licence", one 600 x 480 list at 0, 0 that keeps its
// size when the window is resized, and a Close button below it. Modal to the
// main window; it runs no loop of its own, so the main loop keeps serving
// worker requests while it is open.
#pragma once

#include <gtk/gtk.h>

#include <functional>

#include "text/text.h"

namespace quillon::app {

class LicenceWindow {
 public:
  // `close` is the close box, Close and Escape; the owner destroys the window.
  LicenceWindow(GtkWindow* parent, const Lines& items, std::function<void()> close);
  ~LicenceWindow();
  LicenceWindow(const LicenceWindow&) = delete;
  LicenceWindow& operator=(const LicenceWindow&) = delete;

  GtkWindow* window() const { return GTK_WINDOW(window_); }
  GtkWidget* list_frame() const { return scroll_; }
  GtkTreeView* list() const { return GTK_TREE_VIEW(list_); }
  GtkWidget* close_button() const { return close_button_; }

 private:
  void Close();

  std::function<void()> close_;
  GtkWidget* window_ = nullptr;
  GtkWidget* scroll_ = nullptr;
  GtkWidget* list_ = nullptr;
  GtkWidget* close_button_ = nullptr;
};

}  // namespace quillon::app
