#include "app/single_column_list.h"

#include <gdk/gdkkeysyms.h>

#include "app/display_text.h"

namespace quillon::app {

SingleColumnList::SingleColumnList(std::function<void(std::optional<size_t>)> selected, std::function<void()> activated)
    : selected_(std::move(selected)), activated_(std::move(activated)) {
  store_ = gtk_list_store_new(1, G_TYPE_STRING);
  view_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store_));
  g_object_unref(store_);  // the view holds it
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view_), FALSE);
  // A long name is shortened in the middle (its start and end are what
  // tell names apart) and shown whole in the row's tooltip.
  GtkCellRenderer* renderer = gtk_cell_renderer_text_new();
  g_object_set(renderer, "ellipsize", PANGO_ELLIPSIZE_MIDDLE, nullptr);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view_), -1, "", renderer, "text", 0, nullptr);
  gtk_widget_set_has_tooltip(view_, TRUE);
  g_signal_connect(view_, "query-tooltip", G_CALLBACK(&SingleColumnList::OnQueryTooltip), this);
  g_object_ref_sink(view_);
  selection_ = GTK_TREE_SELECTION(g_object_ref(gtk_tree_view_get_selection(GTK_TREE_VIEW(view_))));
  gtk_tree_selection_set_mode(selection_, GTK_SELECTION_SINGLE);
  g_signal_connect(selection_, "changed", G_CALLBACK(&SingleColumnList::OnChanged), this);
  g_signal_connect(view_, "row-activated", G_CALLBACK(&SingleColumnList::OnActivated), this);
  g_signal_connect(view_, "key-press-event", G_CALLBACK(&SingleColumnList::OnKeyPress), this);
  scroll_ = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroll_), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroll_), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(scroll_), view_);
}

SingleColumnList::~SingleColumnList() {
  g_signal_handlers_disconnect_by_data(selection_, this);
  g_signal_handlers_disconnect_by_data(view_, this);
  g_object_unref(selection_);
  g_object_unref(view_);
}

void SingleColumnList::Show(const Lines& rows, std::optional<size_t> selection) {
  updating_ = true;
  gtk_list_store_clear(store_);
  GtkTreeIter iter;
  for (const Text& row : rows) {
    gtk_list_store_append(store_, &iter);
    gtk_list_store_set(store_, &iter, 0, DisplayUtf8(row).c_str(), -1);
  }
  if (selection && *selection < rows.size()) {
    GtkTreePath* path = gtk_tree_path_new_from_indices(static_cast<gint>(*selection), -1);
    gtk_tree_selection_select_path(selection_, path);
    gtk_tree_path_free(path);
  }
  updating_ = false;
}

std::optional<size_t> SingleColumnList::Selected() const {
  GtkTreeModel* model = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_selection_get_selected(selection_, &model, &iter)) return std::nullopt;
  GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
  const int index = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return static_cast<size_t>(index);
}

void SingleColumnList::OnChanged(GtkTreeSelection*, SingleColumnList* self) {
  if (self->updating_ || !self->selected_) return;
  self->selected_(self->Selected());
}

gboolean SingleColumnList::OnQueryTooltip(GtkWidget* widget, gint x, gint y, gboolean keyboard, GtkTooltip* tooltip,
                                          SingleColumnList*) {
  GtkTreeView* view = GTK_TREE_VIEW(widget);
  GtkTreeModel* model = nullptr;
  GtkTreePath* path = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_view_get_tooltip_context(view, &x, &y, keyboard, &model, &path, &iter)) return FALSE;
  gchar* text = nullptr;
  gtk_tree_model_get(model, &iter, 0, &text, -1);
  const bool shown = text && *text;
  if (shown) {
    gtk_tooltip_set_text(tooltip, text);  // plain text: names may hold "<" or "&"
    gtk_tree_view_set_tooltip_row(view, tooltip, path);
  }
  g_free(text);
  gtk_tree_path_free(path);
  return shown;
}

void SingleColumnList::OnActivated(GtkTreeView*, GtkTreePath* path, GtkTreeViewColumn*, SingleColumnList* self) {
  // The activated row is the one the handler acts on.
  gtk_tree_selection_select_path(self->selection_, path);
  const auto activated = self->activated_;  // the handler may rebuild the window
  if (activated) activated();
}

gboolean SingleColumnList::OnKeyPress(GtkWidget*, GdkEventKey* key, SingleColumnList* self) {
  const bool delete_key = key->keyval == GDK_Delete || key->keyval == GDK_KP_Delete || key->keyval == GDK_BackSpace;
  if (!delete_key || !self->delete_key_) return FALSE;
  const auto pressed = self->delete_key_;  // the handler may rebuild the window
  pressed();
  return TRUE;
}

}  // namespace quillon::app
