#include "app/gtk_dialog_service.h"

#include "app/display_text.h"
#include "app/file_patterns.h"
#include "io/file_io.h"

namespace quillon::app {

int GtkDialogService::RunMessage(GtkMessageType type, GtkButtonsType buttons, const Text& title, const Text& text) {
  GtkWidget* box = gtk_message_dialog_new(parent_, GTK_DIALOG_MODAL, type, buttons, "%s", DisplayUtf8(text).c_str());
  gtk_window_set_title(GTK_WINDOW(box), DisplayUtf8(title).c_str());
  const int response = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  return response;
}

Answer GtkDialogService::RunQuestion(const Text& title, const Text& text, const Text& detail, bool with_cancel,
                                     Answer default_answer, Answer if_closed) {
  GtkWidget* box = gtk_message_dialog_new(parent_, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE, "%s",
                                          DisplayUtf8(text).c_str());
  gtk_window_set_title(GTK_WINDOW(box), DisplayUtf8(title).c_str());
  if (!detail.empty()) {
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(box), "%s", DisplayUtf8(detail).c_str());
  }
  gtk_dialog_add_buttons(GTK_DIALOG(box), GTK_STOCK_YES, GTK_RESPONSE_YES, GTK_STOCK_NO, GTK_RESPONSE_NO, nullptr);
  if (with_cancel) gtk_dialog_add_button(GTK_DIALOG(box), GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL);
  const int default_response = default_answer == Answer::kYes  ? GTK_RESPONSE_YES
                               : default_answer == Answer::kNo ? GTK_RESPONSE_NO
                                                               : GTK_RESPONSE_CANCEL;
  gtk_dialog_set_default_response(GTK_DIALOG(box), default_response);
  // The default button also has the focus, so Return answers with it.
  if (GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(box), default_response)) {
    gtk_widget_grab_focus(button);
  }
  const int response = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  switch (response) {
    case GTK_RESPONSE_YES: return Answer::kYes;
    case GTK_RESPONSE_NO: return Answer::kNo;
    case GTK_RESPONSE_CANCEL: return Answer::kCancel;
    default: return if_closed;  // Escape or the close box: no answer given
  }
}

bool GtkDialogService::AskYesNo(const Text& title, const Text& text) {
  return RunQuestion(title, text, Text(), false, Answer::kNo, Answer::kNo) == Answer::kYes;
}

Answer GtkDialogService::AskYesNoClosable(const Text& title, const Text& text) {
  return RunQuestion(title, text, Text(), true, Answer::kYes, Answer::kCancel);
}

Answer GtkDialogService::AskYesNoCancel(const Text& title, const Text& text, const Text& detail, Answer default_answer,
                                        Answer if_closed) {
  return RunQuestion(title, text, detail, true, default_answer, if_closed);
}

Text GtkDialogService::AskInput(const Text& title, const Text& prompt, const Text& preset) {
  GtkWidget* box = gtk_dialog_new_with_buttons(DisplayUtf8(title).c_str(), parent_,
                                               GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_NO_SEPARATOR), GTK_STOCK_OK,
                                               GTK_RESPONSE_OK, nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(box));
  GtkWidget* label = gtk_label_new(DisplayUtf8(prompt).c_str());
  gtk_misc_set_alignment(GTK_MISC(label), 0.0f, 0.5f);
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_text(GTK_ENTRY(entry), DisplayUtf8(preset).c_str());
  gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);  // Enter confirms
  gtk_box_pack_start(GTK_BOX(content), label, FALSE, FALSE, 4);
  gtk_box_pack_start(GTK_BOX(content), entry, FALSE, FALSE, 4);
  gtk_widget_set_size_request(entry, 260, -1);
  gtk_widget_show_all(content);
  Text answer;
  if (gtk_dialog_run(GTK_DIALOG(box)) == GTK_RESPONSE_OK) answer = FromUtf8(gtk_entry_get_text(GTK_ENTRY(entry)));
  gtk_widget_destroy(box);
  return answer;
}

void GtkDialogService::ShowMessage(const Text& title, const Text& text) {
  RunMessage(GTK_MESSAGE_INFO, GTK_BUTTONS_OK, title, text);
}

void GtkDialogService::ShowError(const Text& title, const Text& text) {
  RunMessage(GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, title, text);
}

GtkWidget* GtkDialogService::NewChooser(const Text& title, GtkFileChooserAction action, const Text& start,
                                        const Text& patterns) {
  const bool saving = action == GTK_FILE_CHOOSER_ACTION_SAVE;
  GtkWidget* chooser = gtk_file_chooser_dialog_new(ToUtf8(title).c_str(), parent_, action, GTK_STOCK_CANCEL,
                                                   GTK_RESPONSE_CANCEL, saving ? GTK_STOCK_SAVE : GTK_STOCK_OPEN,
                                                   GTK_RESPONSE_ACCEPT, nullptr);
  gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
  for (const FileFilter& filter_spec : ParsePatternList(patterns)) {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, filter_spec.name.c_str());
    for (const std::string& pattern : filter_spec.patterns) gtk_file_filter_add_pattern(filter, pattern.c_str());
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
  }
  GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(chooser));
  if (filters) gtk_file_chooser_set_filter(GTK_FILE_CHOOSER(chooser), GTK_FILE_FILTER(filters->data));
  g_slist_free(filters);

  // The start is a folder ("/dir/") or a proposed file ("/dir/name.pbm").
  const std::string folder = ToUtf8(DirectoryPart(start));
  const std::string name = ToUtf8(FilePart(start));
  if (!folder.empty() && IsDirectory(folder)) {
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), folder.c_str());
  } else {
    // A folder that is gone: the current folder, not the recent files.
    gchar* current = g_get_current_dir();
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), current);
    g_free(current);
  }
  if (!name.empty()) {
    if (saving) {
      gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), name.c_str());
    } else if (FileExists(ToUtf8(start))) {
      gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(chooser), ToUtf8(start).c_str());
    }
  }
  return chooser;
}

namespace {

Lines RunChooser(GtkWidget* chooser) {
  Lines chosen;
  if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
    GSList* names = gtk_file_chooser_get_filenames(GTK_FILE_CHOOSER(chooser));
    for (GSList* item = names; item; item = item->next) {
      chosen.push_back(FromUtf8(static_cast<const char*>(item->data)));
      g_free(item->data);
    }
    g_slist_free(names);
  }
  gtk_widget_destroy(chooser);
  return chosen;
}

}  // namespace

Text GtkDialogService::ChooseSaveFile(const Text& title, const Text& start, const Text& patterns) {
  const Lines chosen = RunChooser(NewChooser(title, GTK_FILE_CHOOSER_ACTION_SAVE, start, patterns));
  return chosen.empty() ? Text() : chosen.front();
}

Text GtkDialogService::ChooseOpenFile(const Text& title, const Text& start, const Text& patterns) {
  const Lines chosen = RunChooser(NewChooser(title, GTK_FILE_CHOOSER_ACTION_OPEN, start, patterns));
  return chosen.empty() ? Text() : chosen.front();
}

Lines GtkDialogService::ChooseOpenFiles(const Text& title, const Text& start, const Text& patterns) {
  GtkWidget* chooser = NewChooser(title, GTK_FILE_CHOOSER_ACTION_OPEN, start, patterns);
  gtk_file_chooser_set_select_multiple(GTK_FILE_CHOOSER(chooser), TRUE);
  return RunChooser(chooser);
}

}  // namespace quillon::app
