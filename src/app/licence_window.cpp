#include "app/licence_window.h"

#include <gdk/gdkkeysyms.h>

#include "app/display_text.h"

namespace quillon::app {

LicenceWindow::LicenceWindow(GtkWindow* parent, const Lines& items, std::function<void()> close)
    : close_(std::move(close)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), "Licence");
  gtk_window_set_resizable(GTK_WINDOW(window_), TRUE);
  gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
  gtk_window_set_modal(GTK_WINDOW(window_), TRUE);

  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  GtkTreeIter iter;
  for (const Text& item : items) {
    gtk_list_store_append(store, &iter);
    gtk_list_store_set(store, &iter, 0, DisplayUtf8(item).c_str(), -1);
  }
  list_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(list_), FALSE);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(list_), -1, "", gtk_cell_renderer_text_new(), "text", 0,
                                              nullptr);
  scroll_ = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroll_), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
  gtk_container_add(GTK_CONTAINER(scroll_), list_);
  // A fixed layout: the list stays 600 x 480 whatever the window's size.
  GtkWidget* fixed = gtk_fixed_new();
  gtk_widget_set_size_request(scroll_, 600, 480);
  gtk_fixed_put(GTK_FIXED(fixed), scroll_, 0, 0);
  // Below the list: a Close button (Escape and the close box do the same).
  close_button_ = gtk_button_new_with_label("Close");
  gtk_widget_set_size_request(close_button_, 100, 30);
  gtk_fixed_put(GTK_FIXED(fixed), close_button_, 490, 490);
  gtk_widget_set_size_request(fixed, 600, 530);
  gtk_container_add(GTK_CONTAINER(window_), fixed);
  gtk_window_set_default_size(GTK_WINDOW(window_), 600, 530);

  g_signal_connect_swapped(close_button_, "clicked", G_CALLBACK(+[](LicenceWindow* self) { self->Close(); }), this);
  g_signal_connect_swapped(window_, "delete-event", G_CALLBACK(+[](LicenceWindow* self) -> gboolean {
                             self->Close();
                             return TRUE;
                           }),
                           this);
  g_signal_connect(window_, "key-press-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, LicenceWindow* self) -> gboolean {
                     if (key->keyval != GDK_Escape) return FALSE;
                     self->Close();
                     return TRUE;
                   }),
                   this);
  gtk_widget_show_all(window_);
  gtk_widget_grab_focus(close_button_);
}

void LicenceWindow::Close() {
  const auto on_close = close_;  // the owner destroys this window
  if (on_close) on_close();
}

LicenceWindow::~LicenceWindow() { gtk_widget_destroy(window_); }

}  // namespace quillon::app
