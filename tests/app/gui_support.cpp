#include "app/gui_support.h"

#include <gtest/gtest.h>

#include <chrono>

#include "text/encoding.h"

namespace quillon::testing {

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  // A short timer wakes the blocking iteration so the deadline is checked.
  const guint tick = g_timeout_add(
      5, [](gpointer) -> gboolean { return TRUE; }, nullptr);
  bool ok = true;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) {
      ok = false;
      break;
    }
    g_main_context_iteration(nullptr, TRUE);
  }
  g_source_remove(tick);
  return ok;
}

void PumpPending() {
  gdk_flush();
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

namespace {

std::string Join(const Text& a, const Text& b) { return ToUtf8(a) + ": " + ToUtf8(b); }

template <typename T>
T Pop(std::deque<T>& script, const std::string& what) {
  if (script.empty()) {
    ADD_FAILURE() << "unscripted " << what;
    return T();
  }
  T value = script.front();
  script.pop_front();
  return value;
}

}  // namespace

bool FakeDialogs::AskYesNo(const Text& title, const Text& text) {
  questions.push_back(Join(title, text));
  return Pop(answers, "question " + questions.back());
}

app::Answer FakeDialogs::AskYesNoClosable(const Text& title, const Text& text) {
  if (!closable.empty()) {
    questions.push_back(Join(title, text));
    return Pop(closable, "closable question");
  }
  return AskYesNo(title, text) ? app::Answer::kYes : app::Answer::kNo;
}

app::Answer FakeDialogs::AskYesNoCancel(const Text& title, const Text& text, const Text&, app::Answer, app::Answer) {
  questions.push_back(Join(title, text));
  return Pop(three_way, "three-way question " + questions.back());
}

Text FakeDialogs::AskInput(const Text& title, const Text& prompt, const Text& preset) {
  input_boxes.push_back(ToUtf8(title) + "|" + ToUtf8(prompt) + "|" + ToUtf8(preset));
  return Pop(inputs, "input box " + input_boxes.back());
}

void FakeDialogs::ShowMessage(const Text& title, const Text& text) { messages.push_back(Join(title, text)); }

void FakeDialogs::ShowError(const Text& title, const Text& text) {
  messages.push_back(Join(title, text));
  errors.push_back(Join(title, text));
}

Text FakeDialogs::ChooseSaveFile(const Text& title, const Text& start, const Text& patterns) {
  choosers.push_back(ToUtf8(title) + "|" + ToUtf8(start) + "|" + ToUtf8(patterns));
  return Pop(save_names, "save chooser");
}

Text FakeDialogs::ChooseOpenFile(const Text& title, const Text& start, const Text& patterns) {
  choosers.push_back(ToUtf8(title) + "|" + ToUtf8(start) + "|" + ToUtf8(patterns));
  return Pop(open_names, "open chooser");
}

Lines FakeDialogs::ChooseOpenFiles(const Text& title, const Text& start, const Text& patterns) {
  choosers.push_back(ToUtf8(title) + "|" + ToUtf8(start) + "|" + ToUtf8(patterns));
  return Pop(open_lists, "multiple chooser");
}

AppFixture::AppFixture(const std::string& first_argument, const std::string& settings_text,
                       const std::string& user_list_text) {
  if (!settings_text.empty()) WriteBytes(dir.File("QN4.INI"), settings_text);
  if (!user_list_text.empty()) WriteBytes(dir.File("UserList.INI"), user_list_text);
  app = std::make_unique<app::App>(ws, dialogs, app::AppPaths{dir.File("QN4.INI"), dir.File("UserList.INI")});
  if (!app->Open()) {
    ADD_FAILURE() << "main window did not open";
    return;
  }
  app->LoadStartup(FromUtf8(first_argument));
  PumpUntil([this] { return gtk_widget_get_mapped(GTK_WIDGET(app->main->window())); });
  PumpPending();
}

AppFixture::~AppFixture() {
  app.reset();
  PumpPending();
}

std::string AppFixture::WriteProject(const std::string& name, const std::vector<std::string>& files) {
  std::string text = "[FILES]\n";
  for (const std::string& f : files) text += f + "\n";
  text += "\n[SWITCH]\nParend=0\n\n";
  WriteBytes(dir.File(name), text);
  return dir.File(name);
}

DialogResponder::DialogResponder(std::string title, std::string text, int response)
    : title_(std::move(title)), text_(std::move(text)), response_(response) {
  source_ = g_timeout_add(10, &DialogResponder::Tick, this);
}

DialogResponder::~DialogResponder() { g_source_remove(source_); }

std::unique_ptr<DialogResponder> DialogResponder::PressingKey(std::string title, std::string text, guint keyval) {
  auto responder = std::make_unique<DialogResponder>(std::move(title), std::move(text), GTK_RESPONSE_NONE);
  responder->keyval_ = keyval;
  return responder;
}

gboolean DialogResponder::Tick(gpointer self_data) {
  auto* self = static_cast<DialogResponder*>(self_data);
  if (!self->ready()) return TRUE;
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w; w = w->next) {
    GtkWidget* widget = GTK_WIDGET(w->data);
    if (!GTK_IS_DIALOG(widget) || !gtk_widget_get_mapped(widget) || !gtk_window_get_modal(GTK_WINDOW(widget))) continue;
    if (g_object_get_data(G_OBJECT(widget), "answered")) continue;
    const char* title = gtk_window_get_title(GTK_WINDOW(widget));
    if (!title || self->title_ != title) continue;
    if (GTK_IS_MESSAGE_DIALOG(widget)) {
      gchar* text = nullptr;
      gchar* secondary = nullptr;
      GtkMessageType type = GTK_MESSAGE_OTHER;
      g_object_get(widget, "text", &text, "secondary-text", &secondary, "message-type", &type, nullptr);
      const bool match = text && self->text_ == text;
      if (match) {
        self->message_type_ = type;
        self->secondary_text_ = secondary ? secondary : "";
      }
      g_free(text);
      g_free(secondary);
      if (!match) continue;
    }
    g_object_set_data(G_OBJECT(widget), "answered", GINT_TO_POINTER(1));
    ++self->answered_;
    GList* buttons = gtk_container_get_children(GTK_CONTAINER(gtk_dialog_get_action_area(GTK_DIALOG(widget))));
    self->button_count_ = static_cast<int>(g_list_length(buttons));
    g_list_free(buttons);
    if (self->keyval_) {
      // Into the widget that has the focus, as the keyboard delivers it.
      GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(widget));
      gtk_test_widget_send_key(focus ? focus : gtk_dialog_get_action_area(GTK_DIALOG(widget)), self->keyval_,
                               GdkModifierType(0));
    } else {
      gtk_dialog_response(GTK_DIALOG(widget), self->response_);
    }
    break;
  }
  g_list_free(windows);
  return TRUE;
}

namespace {

guint32 fake_time = 100000;

void SendButton(GtkTreeView* view, GdkEventType type, double x, double y, guint32 time) {
  GdkEvent* event = gdk_event_new(type);
  event->button.window = GDK_WINDOW(g_object_ref(gtk_tree_view_get_bin_window(view)));
  event->button.send_event = TRUE;
  event->button.time = time;
  event->button.x = x;
  event->button.y = y;
  event->button.button = 1;
  event->button.device = gdk_display_get_core_pointer(gdk_display_get_default());
  gint origin_x = 0, origin_y = 0;
  gdk_window_get_origin(event->button.window, &origin_x, &origin_y);
  event->button.x_root = origin_x + x;
  event->button.y_root = origin_y + y;
  gtk_main_do_event(event);
  gdk_event_free(event);
}

bool RowPoint(GtkTreeView* view, int row, double* x, double* y) {
  if (!gtk_widget_get_mapped(GTK_WIDGET(view)) || !gtk_tree_view_get_bin_window(view)) return false;
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  GdkRectangle rect;
  gtk_tree_view_get_cell_area(view, path, gtk_tree_view_get_column(view, 0), &rect);
  gtk_tree_path_free(path);
  if (rect.height <= 0) return false;
  *x = rect.x + 5;
  *y = rect.y + rect.height / 2.0;
  return true;
}

}  // namespace

bool ClickRow(GtkTreeView* view, int row) {
  double x = 0, y = 0;
  if (!RowPoint(view, row, &x, &y)) return false;
  fake_time += 5000;
  SendButton(view, GDK_BUTTON_PRESS, x, y, fake_time);
  SendButton(view, GDK_BUTTON_RELEASE, x, y, fake_time + 20);
  PumpPending();
  return true;
}

bool DoubleClickRow(GtkTreeView* view, int row) {
  double x = 0, y = 0;
  if (!RowPoint(view, row, &x, &y)) return false;
  fake_time += 5000;
  // What the X server and GDK deliver for a double click.
  SendButton(view, GDK_BUTTON_PRESS, x, y, fake_time);
  SendButton(view, GDK_BUTTON_RELEASE, x, y, fake_time + 20);
  SendButton(view, GDK_BUTTON_PRESS, x, y, fake_time + 60);
  SendButton(view, GDK_2BUTTON_PRESS, x, y, fake_time + 60);
  SendButton(view, GDK_BUTTON_RELEASE, x, y, fake_time + 80);
  PumpPending();
  return true;
}

void SendCloseBox(GtkWindow* window) {
  GdkEvent* event = gdk_event_new(GDK_DELETE);
  event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(window))));
  event->any.send_event = TRUE;
  gtk_main_do_event(event);
  gdk_event_free(event);
}

bool WaitMapped(GtkWidget* widget) {
  const bool mapped = PumpUntil([widget] { return gtk_widget_get_mapped(widget); });
  PumpPending();
  return mapped;
}

GtkAllocation Allocation(GtkWidget* widget) {
  GtkAllocation a;
  gtk_widget_get_allocation(widget, &a);
  return a;
}

std::vector<std::string> ListRows(GtkTreeView* view) {
  std::vector<std::string> rows;
  GtkTreeModel* model = gtk_tree_view_get_model(view);
  GtkTreeIter iter;
  for (gboolean ok = gtk_tree_model_get_iter_first(model, &iter); ok; ok = gtk_tree_model_iter_next(model, &iter)) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &iter, 0, &text, -1);
    rows.push_back(text ? text : "");
    g_free(text);
  }
  return rows;
}

int SelectedRowCount(GtkTreeView* view) {
  return gtk_tree_selection_count_selected_rows(gtk_tree_view_get_selection(view));
}

bool WriteSnapshot(GtkWidget* widget, const std::string& path) {
  GdkPixmap* pixmap = gtk_widget_get_snapshot(widget, nullptr);
  if (!pixmap) return false;
  int width = 0, height = 0;
  gdk_pixmap_get_size(pixmap, &width, &height);
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_drawable(nullptr, pixmap, nullptr, 0, 0, 0, 0, width, height);
  g_object_unref(pixmap);
  if (!pixbuf) return false;
  const gboolean ok = gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, nullptr);
  g_object_unref(pixbuf);
  return ok;
}

namespace {

void CollectLabels(GtkWidget* widget, std::vector<std::string>* out) {
  if (GTK_IS_LABEL(widget)) out->push_back(gtk_label_get_label(GTK_LABEL(widget)));
  if (GTK_IS_CONTAINER(widget)) {
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* c = children; c; c = c->next) CollectLabels(GTK_WIDGET(c->data), out);
    g_list_free(children);
  }
}

}  // namespace

std::vector<std::string> LabelTexts(GtkWidget* widget) {
  std::vector<std::string> labels;
  CollectLabels(widget, &labels);
  return labels;
}

}  // namespace quillon::testing
