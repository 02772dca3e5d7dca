#include "app/start_generate_window.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>

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
    case 3:
    case 4:
    case 5:
    case 6:
    case 7: return gadget - 3;
    case 9: return 5;
    case 10: return 6;
    default: return -1;
  }
}

namespace {

constexpr int kWindowWidth = 600;
constexpr int kWindowHeight = 200;
constexpr int kColumnGap = 10;
constexpr int kSecondColumnX = 230;
// Not a gadget of the dispatch table: it only closes the window, like the
// close box.
constexpr Control kCancel = {0, "Cancel", 140, 160, 120, 30};

// Tab goes down the first column of check boxes, then the second, then to
// Start and Cancel (0).
constexpr int kTabOrder[] = {3, 4, 5, 6, 7, 9, 10, kGadgetStart, 0};

}  // namespace

StartGenerateWindow::StartGenerateWindow(GtkWindow* parent, const Switches& switches, ChildWindowEvents events)
    : events_(std::move(events)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), "Start Generate");
  gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
  gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER_ON_PARENT);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed);
  for (const Control& c : kControls) {
    const bool check_box = c.gadget != kGadgetStart;
    GtkWidget* w = check_box ? gtk_check_button_new_with_label(c.text) : gtk_button_new_with_label(c.text);
    gtk_fixed_put(GTK_FIXED(fixed), w, c.x, c.y);
    gadgets_[c.gadget] = w;
    // Return starts the run from any check box instead of toggling it.
    if (check_box) gtk_widget_set_receives_default(w, FALSE);
    const int index = SwitchOfGadget(c.gadget);
    if (index >= 0) gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w), SwitchAt(switches, index) != 0);
    // Connected after the initial state, so opening raises no events.
    slots_[c.gadget] = Slot{this, c.gadget};
    g_signal_connect(w, "clicked", G_CALLBACK(&StartGenerateWindow::OnClicked), &slots_[c.gadget]);
  }
  cancel_ = gtk_button_new_with_label(kCancel.text);
  gtk_widget_set_size_request(cancel_, kCancel.width, kCancel.height);
  gtk_fixed_put(GTK_FIXED(fixed), cancel_, kCancel.x, kCancel.y);
  g_signal_connect_swapped(cancel_, "clicked", G_CALLBACK(+[](StartGenerateWindow* self) { self->Close(); }), this);
  LayOut(GTK_FIXED(fixed));

  GList* chain = nullptr;
  for (int gadget : kTabOrder) chain = g_list_append(chain, gadget == 0 ? cancel_ : gadgets_[gadget]);
  gtk_container_set_focus_chain(GTK_CONTAINER(fixed), chain);
  g_list_free(chain);

  GtkWidget* start = gadgets_[kGadgetStart];
  gtk_widget_set_can_default(start, TRUE);
  gtk_window_set_default(GTK_WINDOW(window_), start);

  g_signal_connect_swapped(window_, "delete-event", G_CALLBACK(+[](StartGenerateWindow* self) -> gboolean {
                             self->Close();
                             return TRUE;
                           }),
                           this);
  g_signal_connect(window_, "key-press-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, StartGenerateWindow* self) -> gboolean {
                     if (key->keyval != GDK_Escape) return FALSE;
                     self->Close();
                     return TRUE;
                   }),
                   this);
  gtk_widget_show_all(window_);
}

void StartGenerateWindow::Close() {
  // The close table destroys this window: call a copy.
  const auto close = events_.close;
  if (close) close();
}

void StartGenerateWindow::LayOut(GtkFixed* fixed) {
  // Each check box gets at least its table width and as much as its text
  // needs at the current font; the second column moves right only when the
  // first one has grown into it.
  int first_column_end = 0;
  for (const Control& c : kControls) {
    GtkWidget* w = gadgets_[c.gadget];
    GtkRequisition natural;
    gtk_widget_size_request(w, &natural);
    const int width = c.gadget == kGadgetStart ? c.width : std::max(c.width, natural.width);
    gtk_widget_set_size_request(w, width, c.height);
    if (c.x < kSecondColumnX) first_column_end = std::max(first_column_end, c.x + width);
  }
  const int second_x = std::max(kSecondColumnX, first_column_end + kColumnGap);
  int right_end = 0;
  for (const Control& c : kControls) {
    GtkWidget* w = gadgets_[c.gadget];
    int width = 0;
    gtk_widget_get_size_request(w, &width, nullptr);
    const int x = c.x < kSecondColumnX ? c.x : second_x;
    if (x != c.x) gtk_fixed_move(fixed, w, x, c.y);
    right_end = std::max(right_end, x + width);
  }
  gtk_widget_set_size_request(GTK_WIDGET(fixed), std::max(kWindowWidth, right_end + kColumnGap), kWindowHeight);
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
