#include "app/start_generate_window.h"

namespace quillon::app {

namespace {

struct Control {
  int gadget;
  const char* text;
  int x, y, width, height;
};

constexpr Control kControls[] = {
    {3, "First Window as Parend Window", 10, 10, 200, 20},
    {4, "Windowposition Auto (PB_Ignore)", 10, 40, 200, 20},
    {5, "Multi Language", 10, 70, 200, 20},
    {6, "Images Include", 10, 100, 200, 20},
    {7, "ImageGadget set Zero", 10, 130, 200, 20},
    {kGadgetStart, "Start", 10, 160, 120, 30},
    {9, "Call Event Fast", 230, 10, 200, 20},
    {10, "Fileformat UTF8", 230, 40, 200, 20},
};

}  // namespace

int SwitchOfGadget(int gadget) {
  switch (gadget) {
    case 3: case 4: case 5: case 6: case 7: return gadget - 3;
    case 9: return 5;
    case 10: return 6;
    default: return -1;
  }
}

StartGenerateWindow::StartGenerateWindow(GtkWindow* parent, const Switches& switches, ChildWindowEvents events)
    : events_(std::move(events)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), "Start Generate");
  gtk_window_set_default_size(GTK_WINDOW(window_), 600, 200);
  gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
  gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed);
  for (const Control& c : kControls) {
    GtkWidget* w = c.gadget == kGadgetStart ? gtk_button_new_with_label(c.text) : gtk_check_button_new_with_label(c.text);
    gtk_widget_set_size_request(w, c.width, c.height);
    gtk_fixed_put(GTK_FIXED(fixed), w, c.x, c.y);
    gadgets_[c.gadget] = w;
    const int index = SwitchOfGadget(c.gadget);
    if (index >= 0) gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w), SwitchAt(switches, index) != 0);
    // Connected after the initial state, so opening raises no events.
    slots_[c.gadget] = Slot{this, c.gadget};
    g_signal_connect(w, "clicked", G_CALLBACK(&StartGenerateWindow::OnClicked), &slots_[c.gadget]);
  }
  g_signal_connect_swapped(window_, "delete-event", G_CALLBACK(+[](StartGenerateWindow* self) -> gboolean {
                             // The close table may destroy this window: call a copy.
                             const auto close = self->events_.close;
                             if (close) close();
                             return TRUE;
                           }),
                           this);
  gtk_widget_show_all(window_);
}

StartGenerateWindow::~StartGenerateWindow() { gtk_widget_destroy(window_); }

void StartGenerateWindow::OnClicked(GtkButton*, Slot* slot) {
  if (slot->window->updating_) return;
  const auto gadget_event = slot->window->events_.gadget;
  if (gadget_event) gadget_event(slot->gadget, kEventClick);
}

bool StartGenerateWindow::Checked(int gadget) const {
  GtkWidget* w = this->gadget(gadget);
  return w && GTK_IS_TOGGLE_BUTTON(w) && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w));
}

void StartGenerateWindow::SetChecked(int gadget, bool checked) {
  GtkWidget* w = this->gadget(gadget);
  if (!w || !GTK_IS_TOGGLE_BUTTON(w)) return;
  updating_ = true;
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w), checked);
  updating_ = false;
}

void StartGenerateWindow::SetSensitive(bool sensitive) { gtk_widget_set_sensitive(window_, sensitive); }

GtkWidget* StartGenerateWindow::gadget(int number) const {
  return number >= 3 && number <= 10 ? gadgets_[number] : nullptr;
}

}  // namespace quillon::app
