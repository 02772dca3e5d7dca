// A single-column list without header in a scrolled frame, as the child
// windows use it: shows a list of texts, reports selection changes and
// double clicks (row activation), and keeps no data of its own. A text wider
// than the list is shortened with "..." and shown whole in its tooltip.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <optional>

#include "text/text.h"

namespace quillon::app {

class SingleColumnList {
 public:
  // `selected` gets the new selection (none when cleared); `activated` a
  // double click (or Enter) on a row, after the row was selected.
  SingleColumnList(std::function<void(std::optional<size_t>)> selected, std::function<void()> activated);
  ~SingleColumnList();
  SingleColumnList(const SingleColumnList&) = delete;
  SingleColumnList& operator=(const SingleColumnList&) = delete;

  // The frame to place; the list lives as long as it.
  GtkWidget* frame() const { return scroll_; }
  GtkTreeView* view() const { return GTK_TREE_VIEW(view_); }

  // Delete, keypad Delete or BackSpace on the list calls `pressed`.
  void OnDeleteKey(std::function<void()> pressed) { delete_key_ = std::move(pressed); }

  // Replaces the rows and selects `selection`; raises no selection event.
  void Show(const Lines& rows, std::optional<size_t> selection);
  std::optional<size_t> Selected() const;

 private:
  static void OnChanged(GtkTreeSelection* selection, SingleColumnList* self);
  static gboolean OnQueryTooltip(GtkWidget* widget, gint x, gint y, gboolean keyboard, GtkTooltip* tooltip,
                                 SingleColumnList* self);
  static void OnActivated(GtkTreeView* view, GtkTreePath* path, GtkTreeViewColumn* column, SingleColumnList* self);
  static gboolean OnKeyPress(GtkWidget* view, GdkEventKey* key, SingleColumnList* self);

  std::function<void(std::optional<size_t>)> selected_;
  std::function<void()> activated_;
  std::function<void()> delete_key_;
  GtkListStore* store_ = nullptr;
  // Held until this object goes, whenever the window destroys its widgets.
  GtkWidget* view_ = nullptr;
  GtkTreeSelection* selection_ = nullptr;
  GtkWidget* scroll_ = nullptr;
  bool updating_ = false;
};

}  // namespace quillon::app
