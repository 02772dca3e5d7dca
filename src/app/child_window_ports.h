// Seams for two child windows: the Search and Replace window (window 2,
// gadgets 11 to 19) and the User gadget window (window 3, gadgets 20 to 23).
// The main thread owns both; the app calls them from its dispatch tables and
// they answer through ChildWindowEvents. Tests may put scripted ones in.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <vector>

#include "host/run_host.h"
#include "text/text.h"

namespace quillon::app {

// Event types of gadget events.
enum GadgetEvent : int {
  kEventClick = 1,
  kEventDoubleClick = 2,
};

struct ChildWindowEvents {
  // A gadget event into the gadget table (which hands it back to the window).
  std::function<void(int gadget, int event_type)> gadget;
  // The window's close box, into the close table.
  std::function<void()> close;
  // Window 2 only: ReplyRequest on PendingRequest; 0 continue, 2 cancel.
  std::function<void(int result)> reply;
};

class BindWindowPort {
 public:
  virtual ~BindWindowPort() = default;
  // Request 1026: open window 2 for one constant kind (the main window is
  // already disabled). The reply comes later through `events.reply`.
  virtual void Open(GtkWindow* parent, int kind, const Lines& unbound_old, const Lines& unbound_new,
                    const ChildWindowEvents& events) = 0;
  // Right after Open: the pairs the core suggests for the open kind.
  virtual void Suggest(const std::vector<SuggestedBinding>& suggested) { (void)suggested; }
  // Gadgets 14 to 19 and 24 (click or double-click).
  virtual void HandleGadget(int gadget, int event_type) = 0;
  // The todo list at the moment of the reply, top to bottom ("old > new").
  virtual Lines TodoList() const = 0;
  // The todo entries Bind Suggested made that are still there, in the order
  // bound: the run logs them.
  virtual Lines SuggestedTodo() const { return {}; }
  // Request 1027: close window 2.
  virtual void Close() = 0;
};

class UserGadgetPort {
 public:
  virtual ~UserGadgetPort() = default;
  // Command 4: open window 3 (the main window is already disabled).
  virtual void Open(GtkWindow* parent, const ChildWindowEvents& events) = 0;
  // Gadgets 20 to 23.
  virtual void HandleGadget(int gadget, int event_type) = 0;
  // Close table 3: close without storing the list.
  virtual void Close() = 0;
};

}  // namespace quillon::app
