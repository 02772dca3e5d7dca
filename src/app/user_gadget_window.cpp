#include "app/user_gadget_window.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>

#include "app/display_text.h"
#include "project/user_gadget_file.h"

namespace quillon::app {

namespace {

constexpr int kWidth = 220;
constexpr int kHeight = 480;

struct Place {
  int gadget;
  const char* text;
  int x, y, width, height;
};

constexpr Place kButtons[] = {
    {kGadgetAdd, "Add", 10, 360, 60, 30},
    {kGadgetDel, "Del", 80, 360, 60, 30},
    {kGadgetOk, "Ok", 150, 360, 60, 30},
};

// Below the buttons: what to enter, and Cancel (no gadget: it answers as
// the close box does, dropping the edits). The hint is as high as its text
// needs at the current font; Cancel and the window's bottom follow it.
constexpr Place kHint = {0,
                         "Names of your own procedures that create a gadget, one per entry. "
                         "Double-click an entry to edit it.",
                         10,
                         395,
                         200,
                         45};
constexpr Place kCancel = {0, "Cancel", 150, 440, 60, 30};
constexpr int kGap = 5;
constexpr int kRightEdge = 210;

}  // namespace

UserGadgetWindow::~UserGadgetWindow() { Close(); }

void UserGadgetWindow::Open(GtkWindow* parent, const ChildWindowEvents& events) {
  Close();
  events_ = events;
  entries_ = ws_.user_gadgets;
  selected_.reset();
  list_ = std::make_unique<SingleColumnList>([this](std::optional<size_t> index) { selected_ = index; },
                                             [this] {
                                               const auto report = events_.gadget;
                                               if (report) report(kGadgetUserList, kEventDoubleClick);
                                             });
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), "UserGadget");
  gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
  gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed);

  gtk_widget_set_size_request(list_->frame(), 220, 350);
  gtk_fixed_put(GTK_FIXED(fixed), list_->frame(), 0, 0);
  gadgets_[kGadgetUserList] = list_->frame();
  for (const Place& p : kButtons) {
    GtkWidget* button = gtk_button_new_with_label(p.text);
    gtk_widget_set_size_request(button, p.width, p.height);
    gtk_fixed_put(GTK_FIXED(fixed), button, p.x, p.y);
    g_object_set_data(G_OBJECT(button), "gadget", GINT_TO_POINTER(p.gadget));
    g_signal_connect(button, "clicked", G_CALLBACK(+[](GtkButton* b, UserGadgetWindow* self) {
                       const int gadget = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(b), "gadget"));
                       const auto report = self->events_.gadget;  // "Ok" closes the window
                       if (report) report(gadget, kEventClick);
                     }),
                     this);
    gadgets_[p.gadget] = button;
  }
  hint_ = gtk_label_new(kHint.text);
  gtk_label_set_line_wrap(GTK_LABEL(hint_), TRUE);
  gtk_misc_set_alignment(GTK_MISC(hint_), 0.0f, 0.0f);
  gtk_fixed_put(GTK_FIXED(fixed), hint_, kHint.x, kHint.y);
  cancel_ = gtk_button_new_with_label(kCancel.text);
  gtk_fixed_put(GTK_FIXED(fixed), cancel_, kCancel.x, kCancel.y);
  LayOut(GTK_FIXED(fixed));
  g_signal_connect_swapped(cancel_, "clicked", G_CALLBACK(+[](UserGadgetWindow* self) { self->ReportClose(); }), this);
  g_signal_connect_swapped(window_, "delete-event", G_CALLBACK(+[](UserGadgetWindow* self) -> gboolean {
                             self->ReportClose();
                             return TRUE;
                           }),
                           this);
  g_signal_connect(window_, "key-press-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, UserGadgetWindow* self) -> gboolean {
                     if (key->keyval != GDK_Escape) return FALSE;
                     self->ReportClose();
                     return TRUE;
                   }),
                   this);
  // Delete in the list removes the selected entry, as "Del" does.
  list_->OnDeleteKey([this] {
    const auto report = events_.gadget;
    if (report) report(kGadgetDel, kEventClick);
  });
  list_->Show(entries_, std::nullopt);
  gtk_widget_show_all(window_);
}

void UserGadgetWindow::LayOut(GtkFixed* fixed) {
  gtk_widget_set_size_request(hint_, kHint.width, -1);
  GtkRequisition hint;
  gtk_widget_size_request(hint_, &hint);
  const int hint_height = std::max(kHint.height, hint.height);
  gtk_widget_set_size_request(hint_, kHint.width, hint_height);
  // Cancel under the hint, right-aligned with "Ok", as wide as its text.
  GtkRequisition cancel;
  gtk_widget_size_request(cancel_, &cancel);
  const int cancel_width = std::max(kCancel.width, cancel.width);
  const int cancel_y = std::max(kCancel.y, kHint.y + hint_height + kGap);
  gtk_widget_set_size_request(cancel_, cancel_width, kCancel.height);
  gtk_fixed_move(fixed, cancel_, kRightEdge - cancel_width, cancel_y);
  gtk_widget_set_size_request(GTK_WIDGET(fixed), kWidth, std::max(kHeight, cancel_y + kCancel.height + 2 * kGap));
}

void UserGadgetWindow::HandleGadget(int gadget, int event_type) {
  if (!window_) return;
  switch (gadget) {
    case kGadgetUserList:
      if (event_type == kEventDoubleClick) Edit();
      return;
    case kGadgetAdd: Add(); return;
    case kGadgetDel: Delete(); return;
    case kGadgetOk: Store(); return;
    default: return;
  }
}

void UserGadgetWindow::Edit() {
  if (!selected_ || *selected_ >= entries_.size()) return;
  const size_t index = *selected_;
  const Text answer = dialogs_.AskInput(T("Edit Gadget"), Text(), entries_[index]);
  if (!window_ || answer.empty()) return;
  // The box shows undecodable bytes as U+FFFD: an answer left as shown keeps
  // the entry's own bytes.
  if (DisplayUtf8(answer) == DisplayUtf8(entries_[index])) return;
  entries_[index] = answer;
  list_->Show(entries_, selected_);
}

void UserGadgetWindow::Add() {
  const Text answer = dialogs_.AskInput(T("Add Gadget"), Text(), Text());
  if (!window_ || answer.empty()) return;
  entries_.push_back(answer);
  list_->Show(entries_, selected_);
}

void UserGadgetWindow::Delete() {
  if (!selected_ || *selected_ >= entries_.size()) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*selected_));
  selected_.reset();
  list_->Show(entries_, selected_);
}

void UserGadgetWindow::Store() {
  ws_.user_gadgets = entries_;
  SaveUserGadgets(user_list_path_, ws_.user_gadgets, reporter_);  // a failure showed its box; the names stay
  const auto close = events_.close;                               // enables the main window and closes this one
  if (close) close();
}

void UserGadgetWindow::ReportClose() {
  const auto close = events_.close;  // destroys the window
  if (close) close();
}

void UserGadgetWindow::Close() {
  if (window_) gtk_widget_destroy(window_);
  window_ = nullptr;
  hint_ = nullptr;
  cancel_ = nullptr;
  for (GtkWidget*& w : gadgets_) w = nullptr;
  list_.reset();
  selected_.reset();
}

GtkWidget* UserGadgetWindow::gadget(int number) const {
  return number >= kGadgetUserList && number <= kGadgetOk ? gadgets_[number] : nullptr;
}

}  // namespace quillon::app
