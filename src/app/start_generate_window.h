// Window 1: the seven switch check boxes, "Start" (the default button) and
// "Cancel". It reports clicks as gadget events (3 to 10); Cancel, Escape and
// the close box report the close box. The dispatch tables act on them (the
// close table puts the switches back as they were when the window opened).
#pragma once

#include <gtk/gtk.h>

#include <array>

#include "app/child_window_ports.h"
#include "model/project_model.h"

namespace quillon::app {

inline constexpr int kGadgetStart = 8;

// Switch index (file order) of check box gadget 3..7, 9, 10; -1 otherwise.
int SwitchOfGadget(int gadget);

class StartGenerateWindow {
 public:
  // Opens the window with each box checked when its switch is not 0.
  StartGenerateWindow(GtkWindow* parent, const Switches& switches, ChildWindowEvents events);
  ~StartGenerateWindow();
  StartGenerateWindow(const StartGenerateWindow&) = delete;
  StartGenerateWindow& operator=(const StartGenerateWindow&) = delete;

  bool Checked(int gadget) const;
  // Sets a box without raising a gadget event.
  void SetChecked(int gadget, bool checked);
  // Refuses further clicks once a run starts.
  void SetSensitive(bool sensitive);

  GtkWindow* window() const { return GTK_WINDOW(window_); }
  // Gadget 3 to 10; null otherwise.
  GtkWidget* gadget(int number) const;
  GtkWidget* cancel_button() const { return cancel_; }

 private:
  struct Slot {
    StartGenerateWindow* window = nullptr;
    int gadget = 0;
  };
  static void OnClicked(GtkButton* button, Slot* slot);
  void LayOut(GtkFixed* fixed);
  // Cancel, Escape and the close box.
  void Close();

  ChildWindowEvents events_;
  GtkWidget* window_ = nullptr;
  GtkWidget* cancel_ = nullptr;
  std::array<GtkWidget*, 11> gadgets_{};
  std::array<Slot, 11> slots_{};
  bool updating_ = false;
};

}  // namespace quillon::app
