#include "app/main_window.h"

#include <gdk/gdkkeysyms.h>

#include <cstring>

#include "app/display_text.h"
#include "quillon_version.h"

namespace quillon::app {

namespace {

constexpr const char* kTitle = QUILLON_PRODUCT_TITLE;
constexpr int kNone = -1;

// One row of the menu table; a null text is a separator.
struct MenuRow {
  const char* text;
  int command;
  int icon;
};

constexpr MenuRow kFileMenu[] = {
    {"Project &New\tCtrl-N", 0, 0},
    {nullptr, kNone, kNone},
    {"Project &Load\tCtrl-L", 1, 1},
    {"Project &Save\tCtrl-S", 2, 2},
    {"Project Save &As", 3, 3},
    {nullptr, kNone, kNone},
    // the "&Preferences" submenu with command 4 is placed here
    {nullptr, kNone, kNone},
    {"E&xit", 5, 8},
};
constexpr MenuRow kActionMenu[] = {
    {"Common &Add", 6, 4},
    {nullptr, kNone, kNone},
    {"Common &Delete", 7, 5},
    {"Common &First File", 8, 6},
    {nullptr, kNone, kNone},
    {"&Start Generate", 9, 7},
    {"&Undo Last Generate", kCommandUndoLastGenerate, kNone},
};
constexpr MenuRow kHelpMenu[] = {{"&Info", 10, 10}, {"&Licence", 11, 11}};

// Tool bar, left to right; command kNone is a separator.
struct ToolRow {
  int command;
  int icon;
  const char* tooltip;
};
constexpr ToolRow kToolBar[] = {
    {kNone, kNone, nullptr},     {0, 0, "Project New"},
    {1, 1, "Project Load"},      {2, 2, "Project Save"},
    {kNone, kNone, nullptr},     {6, 4, "Add Commonfile"},
    {7, 5, "Remove Commonfile"}, {8, 6, "Selected Commonfile as first"},
    {kNone, kNone, nullptr},     {9, 7, "Generate"},
};

// Commands that change the project, the file list or the switches.
constexpr int kProjectCommands[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, kCommandUndoLastGenerate};
// Commands that act on the selected file of the file list.
constexpr int kCommonDelete = 7;
constexpr int kCommonFirstFile = 8;

bool IsFileCommand(int command) { return command == kCommonDelete || command == kCommonFirstFile; }

GtkWidget* NewList(GtkListStore** store, GtkWidget** view) {
  *store = gtk_list_store_new(1, G_TYPE_STRING);
  *view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(*store));
  g_object_unref(*store);  // the view holds it
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(*view), FALSE);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(*view), -1, "", gtk_cell_renderer_text_new(), "text", 0,
                                              nullptr);
  GtkWidget* scroll = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroll), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroll), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(scroll), *view);
  return scroll;
}

void AppendRow(GtkListStore* store, const Text& text, GtkTreeIter* iter) {
  gtk_list_store_append(store, iter);
  gtk_list_store_set(store, iter, 0, DisplayUtf8(text).c_str(), -1);
}

}  // namespace

std::string MnemonicLabel(const char* text) {
  std::string label;
  for (const char* p = text; *p && *p != '\t'; ++p) {
    if (*p == '&') {
      label += '_';
    } else if (*p == '_') {
      label += "__";
    } else {
      label += *p;
    }
  }
  return label;
}

MainWindow::MainWindow(const IconSet& icons, MainWindowEvents events) : icons_(icons), events_(std::move(events)) {
  for (int i = 0; i < kCommandCount; ++i) slots_[i] = CommandSlot{this, i};
}

MainWindow::~MainWindow() {
  if (window_) gtk_widget_destroy(window_);
}

void MainWindow::Fire(int command) const {
  if (events_.command) events_.command(command);
}

GtkWidget* MainWindow::NewMenuItem(const char* text, int icon) {
  GtkWidget* item = gtk_image_menu_item_new();
  GtkWidget* box = gtk_hbox_new(FALSE, 16);
  GtkWidget* label = gtk_label_new_with_mnemonic(MnemonicLabel(text).c_str());
  gtk_misc_set_alignment(GTK_MISC(label), 0.0f, 0.5f);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), item);
  gtk_box_pack_start(GTK_BOX(box), label, TRUE, TRUE, 0);
  // The shortcut label after the tab is shown at the right of the item.
  if (const char* tab = std::strchr(text, '\t')) {
    GtkWidget* shortcut = gtk_label_new(tab + 1);
    gtk_misc_set_alignment(GTK_MISC(shortcut), 1.0f, 0.5f);
    gtk_box_pack_end(GTK_BOX(box), shortcut, FALSE, FALSE, 0);
  }
  gtk_container_add(GTK_CONTAINER(item), box);
  if (GdkPixbuf* image = icons_.Image(icon)) {
    gtk_image_menu_item_set_image(GTK_IMAGE_MENU_ITEM(item), gtk_image_new_from_pixbuf(image));
    gtk_image_menu_item_set_always_show_image(GTK_IMAGE_MENU_ITEM(item), TRUE);
  }
  return item;
}

void MainWindow::BuildMenuBar() {
  menu_bar_ = gtk_menu_bar_new();
  auto add_rows = [this](GtkWidget* menu, const MenuRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      GtkWidget* item = nullptr;
      if (!rows[i].text) {
        item = gtk_separator_menu_item_new();
      } else {
        item = NewMenuItem(rows[i].text, rows[i].icon);
        menu_items_[rows[i].command] = item;
        g_signal_connect_swapped(item, "activate",
                                 G_CALLBACK(+[](CommandSlot* slot) { slot->window->Fire(slot->command); }),
                                 &slots_[rows[i].command]);
      }
      gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
      // The submenu sits after the second separator of the File menu.
      if (rows == kFileMenu && i == 5) {
        preferences_item_ = NewMenuItem("&Preferences", 9);
        GtkWidget* submenu = gtk_menu_new();
        GtkWidget* user_gadget = NewMenuItem("User&Gadget", 9);
        menu_items_[4] = user_gadget;
        g_signal_connect_swapped(user_gadget, "activate",
                                 G_CALLBACK(+[](CommandSlot* slot) { slot->window->Fire(slot->command); }), &slots_[4]);
        gtk_menu_shell_append(GTK_MENU_SHELL(submenu), user_gadget);
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(preferences_item_), submenu);
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), preferences_item_);
      }
    }
  };
  const struct {
    const char* title;
    const MenuRow* rows;
    size_t count;
  } menus[] = {{"&File", kFileMenu, G_N_ELEMENTS(kFileMenu)},
               {"&Action", kActionMenu, G_N_ELEMENTS(kActionMenu)},
               {"&?", kHelpMenu, G_N_ELEMENTS(kHelpMenu)}};
  for (const auto& m : menus) {
    GtkWidget* title = gtk_menu_item_new_with_mnemonic(MnemonicLabel(m.title).c_str());
    GtkWidget* menu = gtk_menu_new();
    gtk_menu_set_accel_group(GTK_MENU(menu), accels_);
    add_rows(menu, m.rows, m.count);
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(title), menu);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_bar_), title);
  }
}

void MainWindow::BuildToolBar() {
  tool_bar_ = gtk_toolbar_new();
  gtk_toolbar_set_style(GTK_TOOLBAR(tool_bar_), GTK_TOOLBAR_ICONS);
  gtk_toolbar_set_icon_size(GTK_TOOLBAR(tool_bar_), GTK_ICON_SIZE_MENU);
  for (const ToolRow& row : kToolBar) {
    GtkToolItem* item = nullptr;
    if (row.command == kNone) {
      item = gtk_separator_tool_item_new();
    } else {
      item = gtk_tool_button_new(gtk_image_new_from_pixbuf(icons_.Image(row.icon)), nullptr);
      gtk_tool_item_set_tooltip_text(item, row.tooltip);
      // A focused tool button would take Return and Space for its command.
      gtk_widget_set_can_focus(GTK_WIDGET(item), FALSE);
      if (GtkWidget* button = gtk_bin_get_child(GTK_BIN(item))) gtk_widget_set_can_focus(button, FALSE);
      tool_buttons_[row.command] = GTK_WIDGET(item);
      g_signal_connect_swapped(item, "clicked",
                               G_CALLBACK(+[](CommandSlot* slot) { slot->window->Fire(slot->command); }),
                               &slots_[row.command]);
    }
    gtk_toolbar_insert(GTK_TOOLBAR(tool_bar_), item, -1);
  }
}

void MainWindow::BindShortcuts() {
  const struct {
    guint key;
    int command;
  } shortcuts[] = {{GDK_n, 0}, {GDK_l, 1}, {GDK_s, 2}};
  for (const auto& s : shortcuts) {
    GClosure* closure = g_cclosure_new_swap(G_CALLBACK(+[](CommandSlot* slot) -> gboolean {
                                              slot->window->Fire(slot->command);
                                              return TRUE;
                                            }),
                                            &slots_[s.command], nullptr);
    gtk_accel_group_connect(accels_, s.key, GDK_CONTROL_MASK, GtkAccelFlags(0), closure);
  }
}

bool MainWindow::Open() {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  if (!window_) return false;
  gtk_window_set_title(GTK_WINDOW(window_), kTitle);
  gtk_window_set_default_size(GTK_WINDOW(window_), 800, 600);
  gtk_window_set_resizable(GTK_WINDOW(window_), TRUE);
  accels_ = gtk_accel_group_new();
  gtk_window_add_accel_group(GTK_WINDOW(window_), accels_);
  g_object_unref(accels_);  // the window holds it

  GtkWidget* box = gtk_vbox_new(FALSE, 0);
  gtk_container_add(GTK_CONTAINER(window_), box);

  // Gadget 0: reserves the number under which the worker's requests arrive.
  cmd_button_ = gtk_button_new_with_label("CMD");
  gtk_widget_set_size_request(cmd_button_, 0, 0);
  gtk_widget_set_sensitive(cmd_button_, FALSE);
  gtk_widget_set_no_show_all(cmd_button_, TRUE);

  BuildMenuBar();
  status_bar_ = gtk_statusbar_new();
  gtk_statusbar_set_has_resize_grip(GTK_STATUSBAR(status_bar_), FALSE);
  status_context_ = gtk_statusbar_get_context_id(GTK_STATUSBAR(status_bar_), "project");
  GtkWidget* file_scroll = NewList(&file_store_, &file_view_);
  GtkWidget* log_scroll = NewList(&log_store_, &log_view_);
  g_signal_connect_swapped(gtk_tree_view_get_selection(file_view()), "changed",
                           G_CALLBACK(+[](MainWindow* self) { self->UpdateFileCommands(); }), this);
  // Delete in the file list is Common Delete.
  g_signal_connect(file_view_, "key-press-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, MainWindow* self) -> gboolean {
                     if (key->keyval != GDK_Delete && key->keyval != GDK_KP_Delete) return FALSE;
                     if (gtk_widget_is_sensitive(self->menu_items_[kCommonDelete])) self->Fire(kCommonDelete);
                     return TRUE;
                   }),
                   this);
  BuildToolBar();
  pane_ = gtk_vpaned_new();
  // The upper pane keeps its height when the window grows; the log takes the rest.
  gtk_paned_pack1(GTK_PANED(pane_), file_scroll, FALSE, TRUE);
  gtk_paned_pack2(GTK_PANED(pane_), log_scroll, TRUE, TRUE);
  BindShortcuts();

  gtk_box_pack_start(GTK_BOX(box), menu_bar_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), tool_bar_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), cmd_button_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), pane_, TRUE, TRUE, 0);
  gtk_box_pack_end(GTK_BOX(box), status_bar_, FALSE, FALSE, 0);

  g_signal_connect_swapped(window_, "delete-event", G_CALLBACK(+[](MainWindow* self) -> gboolean {
                             if (self->events_.close) self->events_.close();
                             return TRUE;  // the close table decides
                           }),
                           this);
  g_signal_connect_swapped(window_, "configure-event", G_CALLBACK(+[](MainWindow* self) -> gboolean {
                             if (self->events_.size) self->events_.size();
                             return FALSE;
                           }),
                           this);
  return true;
}

void MainWindow::Show() {
  gtk_widget_show_all(window_);
  UpdateFileCommands();
}

void MainWindow::FocusFileList() { gtk_widget_grab_focus(file_view_); }

void MainWindow::ShowModified(bool modified) {
  const std::string title = modified ? std::string("*") + kTitle : std::string(kTitle);
  gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
}

void MainWindow::SetBusy(bool busy) {
  GdkWindow* gdk_window = gtk_widget_get_window(window_);
  if (!gdk_window) return;
  GdkCursor* cursor = busy ? gdk_cursor_new(GDK_WATCH) : nullptr;
  gdk_window_set_cursor(gdk_window, cursor);
  if (cursor) gdk_cursor_unref(cursor);
}

void MainWindow::ResizeMainWindow() {
  // The box gives the pane the window's inner size minus the menu bar, the
  // tool bar and the status bar; ask it to lay out again for the new size.
  gtk_widget_queue_resize(pane_);
}

void MainWindow::PlaceDivider(int pixels) { gtk_paned_set_position(GTK_PANED(pane_), pixels); }

void MainWindow::SetStatusText(const Text& text) {
  gtk_statusbar_pop(GTK_STATUSBAR(status_bar_), status_context_);
  gtk_statusbar_push(GTK_STATUSBAR(status_bar_), status_context_, DisplayUtf8(text).c_str());
}

std::string MainWindow::StatusText() const {
  std::string text;
  GtkWidget* area = gtk_statusbar_get_message_area(GTK_STATUSBAR(status_bar_));
  GList* children = gtk_container_get_children(GTK_CONTAINER(area));
  for (GList* c = children; c; c = c->next) {
    if (GTK_IS_LABEL(c->data)) text = gtk_label_get_text(GTK_LABEL(c->data));
  }
  g_list_free(children);
  return text;
}

void MainWindow::SetFileList(const Lines& files) {
  gtk_list_store_clear(file_store_);
  GtkTreeIter iter;
  for (const Text& file : files) AppendRow(file_store_, file, &iter);
  UpdateFileCommands();
}

int MainWindow::SelectedFile() const {
  GtkTreeModel* model = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(file_view()), &model, &iter)) return -1;
  GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
  const int index = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return index;
}

void MainWindow::AppendLogLine(const Text& line) {
  GtkTreeIter iter;
  AppendRow(log_store_, line, &iter);
  GtkTreePath* path = gtk_tree_model_get_path(GTK_TREE_MODEL(log_store_), &iter);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(log_view());
  gtk_tree_selection_select_path(selection, path);
  gtk_tree_view_scroll_to_cell(log_view(), path, nullptr, FALSE, 0, 0);
  gtk_tree_selection_unselect_all(selection);
  gtk_tree_path_free(path);
}

void MainWindow::ClearLog() { gtk_list_store_clear(log_store_); }

void MainWindow::SetEnabled(bool enabled) { gtk_widget_set_sensitive(window_, enabled); }

bool MainWindow::Enabled() const { return gtk_widget_get_sensitive(window_); }

void MainWindow::SetCommandSensitive(int command, bool sensitive) {
  if (menu_items_[command]) gtk_widget_set_sensitive(menu_items_[command], sensitive);
  if (tool_buttons_[command]) gtk_widget_set_sensitive(tool_buttons_[command], sensitive);
}

void MainWindow::SetProjectCommandsSensitive(bool sensitive) {
  project_commands_enabled_ = sensitive;
  for (int command : kProjectCommands) {
    if (!IsFileCommand(command)) SetCommandSensitive(command, sensitive);
  }
  UpdateFileCommands();
}

void MainWindow::UpdateFileCommands() {
  const bool usable = project_commands_enabled_ && SelectedFile() >= 0;
  SetCommandSensitive(kCommonDelete, usable);
  SetCommandSensitive(kCommonFirstFile, usable);
}

GtkWidget* MainWindow::menu_item(int command) const {
  return command >= 0 && command < kCommandCount ? menu_items_[command] : nullptr;
}

GtkWidget* MainWindow::tool_button(int command) const {
  return command >= 0 && command < kCommandCount ? tool_buttons_[command] : nullptr;
}

}  // namespace quillon::app
