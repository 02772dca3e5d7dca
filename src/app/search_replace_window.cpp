#include "app/search_replace_window.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>

#include "app/display_text.h"

namespace quillon::app {

namespace {

constexpr int kWidth = 770;
constexpr int kHeight = 400;

struct Place {
  int gadget;
  const char* text;  // labels and buttons
  int x, y, width, height;
};

constexpr Place kPlaces[] = {
    {kGadgetOldLabel, "Old Entry", 10, 10, 130, 20},   {kGadgetNewLabel, "New Entry", 220, 10, 120, 20},
    {kGadgetTodoLabel, "Todo List", 430, 10, 110, 20}, {kGadgetOldList, nullptr, 10, 30, 200, 320},
    {kGadgetNewList, nullptr, 220, 30, 200, 320},      {kGadgetTodoList, nullptr, 430, 30, 330, 320},
    {kGadgetBind, "Bind", 10, 360, 120, 30},           {kGadgetRelease, "Release", 150, 360, 120, 30},
    {kGadgetContinue, "Continue", 640, 360, 120, 30},  {kGadgetBindSuggested, "Bind Suggested", 290, 360, 120, 30},
};

// A line of text beside the buttons (wrapped), no gadget of its own.
constexpr Place kCloseHint = {0, "Escape or closing this window cancels the run.", 420, 360, 210, 30};
constexpr int kGap = 10;
constexpr int kMinHintWidth = 100;

const Place& PlaceOf(int gadget) {
  return *std::find_if(std::begin(kPlaces), std::end(kPlaces), [gadget](const Place& p) { return p.gadget == gadget; });
}

constexpr TextView kContinueDetail =
    "Yes: go on; the names left under Old Entry are not renamed. No: back to binding. Cancel: cancel the run.";

QuestionAnswer ToQuestionAnswer(Answer answer) {
  switch (answer) {
    case Answer::kYes: return QuestionAnswer::kYes;
    case Answer::kNo: return QuestionAnswer::kNo;
    case Answer::kCancel: return QuestionAnswer::kCancel;
  }
  return QuestionAnswer::kCancel;
}

}  // namespace

SearchReplaceWindow::~SearchReplaceWindow() { Close(); }

void SearchReplaceWindow::Open(GtkWindow* parent, int kind, const Lines& unbound_old, const Lines& unbound_new,
                               const ChildWindowEvents& events) {
  Close();  // one window at a time
  events_ = events;
  model_ = std::make_unique<BindModel>(unbound_old, unbound_new);
  Build(parent, kind);
  Refresh();
  gtk_widget_show_all(window_);
}

void SearchReplaceWindow::Build(GtkWindow* parent, int kind) {
  auto gadget_event = [this](int gadget) {
    return [this, gadget] {
      const auto report = events_.gadget;  // the handler may close the window
      if (report) report(gadget, kEventDoubleClick);
    };
  };
  old_list_ = std::make_unique<SingleColumnList>(
      [this](std::optional<size_t> index) {
        // The suggested new name of the old one is selected with it.
        const std::optional<size_t> new_before = model_->selected_new();
        model_->SelectOld(index);
        if (model_->selected_new() != new_before) new_list_->Show(model_->new_entries(), model_->selected_new());
        UpdateButtons();
      },
      gadget_event(kGadgetOldList));
  new_list_ = std::make_unique<SingleColumnList>(
      [this](std::optional<size_t> index) {
        model_->SelectNew(index);
        UpdateButtons();
      },
      gadget_event(kGadgetNewList));
  todo_list_ = std::make_unique<SingleColumnList>(
      [this](std::optional<size_t> index) {
        model_->SelectTodo(index);
        UpdateButtons();
      },
      gadget_event(kGadgetTodoList));
  // Delete or BackSpace on a todo row releases it, as "Release" does.
  todo_list_->OnDeleteKey([this] {
    const auto report = events_.gadget;
    if (report) report(kGadgetRelease, kEventClick);
  });

  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), DisplayUtf8(BindDialogTitle(kind)).c_str());
  gtk_window_set_transient_for(GTK_WINDOW(window_), parent);
  gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  // The intro line grows the window upwards; the gadgets keep their places
  // in their own area below it.
  GtkWidget* box = gtk_vbox_new(FALSE, 0);
  gtk_container_add(GTK_CONTAINER(window_), box);
  intro_ = gtk_label_new(kBindIntroText);
  gtk_misc_set_alignment(GTK_MISC(intro_), 0.0f, 0.5f);
  gtk_misc_set_padding(GTK_MISC(intro_), 10, 4);
  gtk_box_pack_start(GTK_BOX(box), intro_, FALSE, FALSE, 0);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_fixed_set_has_window(GTK_FIXED(fixed), TRUE);
  gtk_box_pack_start(GTK_BOX(box), fixed, FALSE, FALSE, 0);

  for (const Place& p : kPlaces) {
    GtkWidget* w = nullptr;
    switch (p.gadget) {
      case kGadgetOldList: w = old_list_->frame(); break;
      case kGadgetNewList: w = new_list_->frame(); break;
      case kGadgetTodoList: w = todo_list_->frame(); break;
      case kGadgetBind:
      case kGadgetRelease:
      case kGadgetContinue:
      case kGadgetBindSuggested:
        w = gtk_button_new_with_label(p.text);
        g_object_set_data(G_OBJECT(w), "gadget", GINT_TO_POINTER(p.gadget));
        g_signal_connect(w, "clicked", G_CALLBACK(+[](GtkButton* button, SearchReplaceWindow* self) {
                           const int gadget = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), "gadget"));
                           const auto report = self->events_.gadget;
                           if (report) report(gadget, kEventClick);
                         }),
                         this);
        break;
      default:
        w = gtk_label_new(p.text);
        gtk_misc_set_alignment(GTK_MISC(w), 0.0f, 0.5f);
        break;
    }
    gtk_widget_set_size_request(w, p.width, p.height);
    gtk_fixed_put(GTK_FIXED(fixed), w, p.x, p.y);
    gadgets_[p.gadget] = w;
  }
  close_hint_ = gtk_label_new(kCloseHint.text);
  gtk_label_set_line_wrap(GTK_LABEL(close_hint_), TRUE);
  gtk_misc_set_alignment(GTK_MISC(close_hint_), 0.0f, 0.5f);
  gtk_widget_set_size_request(close_hint_, kCloseHint.width, kCloseHint.height);
  gtk_fixed_put(GTK_FIXED(fixed), close_hint_, kCloseHint.x, kCloseHint.y);
  LayOut(GTK_FIXED(fixed));

  g_signal_connect_swapped(window_, "delete-event", G_CALLBACK(+[](SearchReplaceWindow* self) -> gboolean {
                             self->ReportClose();
                             return TRUE;  // the window stays until the worker closes it
                           }),
                           this);
  g_signal_connect(window_, "key-press-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, SearchReplaceWindow* self) -> gboolean {
                     if (key->keyval != GDK_Escape) return FALSE;
                     self->ReportClose();  // Escape answers as the close box does
                     return TRUE;
                   }),
                   this);
}

void SearchReplaceWindow::LayOut(GtkFixed* fixed) {
  // "Bind Suggested" is as wide as its text needs at the current font; the
  // hint takes the room left before "Continue", as many lines as its text
  // needs there, and the gadget area grows downwards when they do not fit.
  const Place& suggested_place = PlaceOf(kGadgetBindSuggested);
  GtkWidget* suggested = gadgets_[kGadgetBindSuggested];
  gtk_widget_set_size_request(suggested, -1, -1);
  GtkRequisition natural;
  gtk_widget_size_request(suggested, &natural);
  const int suggested_width = std::max(suggested_place.width, natural.width);
  gtk_widget_set_size_request(suggested, suggested_width, suggested_place.height);

  const int hint_x = std::max(kCloseHint.x, suggested_place.x + suggested_width + kGap);
  const int hint_width = std::max(kMinHintWidth, PlaceOf(kGadgetContinue).x - kGap - hint_x);
  gtk_widget_set_size_request(close_hint_, hint_width, -1);
  GtkRequisition wrapped;
  gtk_widget_size_request(close_hint_, &wrapped);
  const int hint_height = std::max(kCloseHint.height, wrapped.height);
  gtk_widget_set_size_request(close_hint_, hint_width, hint_height);
  gtk_fixed_move(fixed, close_hint_, hint_x, kCloseHint.y);
  gtk_widget_set_size_request(GTK_WIDGET(fixed), kWidth, std::max(kHeight, kCloseHint.y + hint_height));
}

void SearchReplaceWindow::UpdateButtons() {
  if (!window_) return;
  // Greyed out while nothing they could act on is selected.
  gtk_widget_set_sensitive(gadgets_[kGadgetBind], model_->selected_old() && model_->selected_new());
  gtk_widget_set_sensitive(gadgets_[kGadgetRelease], model_->selected_todo().has_value());
}

bool SearchReplaceWindow::BindSelected() {
  if (!model_->Bind()) return false;
  // The next old name comes with its suggestion, ready for the next Bind.
  model_->SelectOld(model_->selected_old());
  return true;
}

void SearchReplaceWindow::ReportClose() {
  const auto close = events_.close;
  if (close) close();
}

void SearchReplaceWindow::Refresh() {
  old_list_->Show(model_->old_entries(), model_->selected_old());
  new_list_->Show(model_->new_entries(), model_->selected_new());
  todo_list_->Show(model_->todo(), model_->selected_todo());
  UpdateButtons();
}

void SearchReplaceWindow::HandleGadget(int gadget, int event_type) {
  if (!model_) return;
  switch (gadget) {
    case kGadgetOldList:
    case kGadgetNewList:
      if (event_type == kEventDoubleClick && BindSelected()) Refresh();
      return;
    case kGadgetTodoList:
      if (event_type == kEventDoubleClick && model_->Release()) Refresh();
      return;
    case kGadgetBind:
      if (BindSelected()) Refresh();
      return;
    case kGadgetRelease:
      if (model_->Release()) Refresh();
      return;
    case kGadgetContinue: Continue(); return;
    case kGadgetBindSuggested:
      if (model_->BindSuggested()) Refresh();
      return;
    default: return;
  }
}

void SearchReplaceWindow::Continue() {
  DialogAction action = model_->Continue();
  if (action == DialogAction::kAskQuestion) {
    // No is the default and closing the question means No: a stray Return
    // or Escape keeps the user binding, only the Cancel button cancels.
    const Answer answer = dialogs_.AskYesNoCancel(Text(kBindQuestionTitle), Text(kBindQuestionText),
                                                  Text(kContinueDetail), Answer::kNo, Answer::kNo);
    action = BindModel::AnswerQuestion(ToQuestionAnswer(answer));
  }
  Reply(action);
}

void SearchReplaceWindow::Reply(DialogAction action) {
  const auto reply = events_.reply;
  if (!reply) return;
  if (action == DialogAction::kReplyContinue) reply(0);
  if (action == DialogAction::kReplyCancel) reply(2);
}

void SearchReplaceWindow::Suggest(const std::vector<SuggestedBinding>& suggested) {
  if (model_) model_->SetSuggestions(suggested);
}

Lines SearchReplaceWindow::TodoList() const { return model_ ? model_->todo() : Lines(); }

void SearchReplaceWindow::Close() {
  // Null first: a list may report its selection while it is destroyed.
  GtkWidget* window = window_;
  window_ = nullptr;
  if (window) gtk_widget_destroy(window);
  close_hint_ = nullptr;
  intro_ = nullptr;
  for (GtkWidget*& w : gadgets_) w = nullptr;
  old_list_.reset();
  new_list_.reset();
  todo_list_.reset();
  model_.reset();
}

GtkWidget* SearchReplaceWindow::gadget(int number) const {
  const bool ours = (number >= kGadgetOldLabel && number <= kGadgetContinue) || number == kGadgetBindSuggested;
  return ours ? gadgets_[number] : nullptr;
}

GtkTreeView* SearchReplaceWindow::list(int number) const {
  const SingleColumnList* l = number == kGadgetOldList    ? old_list_.get()
                              : number == kGadgetNewList  ? new_list_.get()
                              : number == kGadgetTodoList ? todo_list_.get()
                                                          : nullptr;
  return l ? l->view() : nullptr;
}

}  // namespace quillon::app
