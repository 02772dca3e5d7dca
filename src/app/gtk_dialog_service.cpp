#include "app/gtk_dialog_service.h"

#include "app/file_patterns.h"
#include "io/file_io.h"

namespace quillon::app {

int GtkDialogService::RunMessage(GtkMessageType type, GtkButtonsType buttons, const Text& title,
                                 const Text& text) {
  GtkWidget* box = gtk_message_dialog_new(parent_, GTK_DIALOG_MODAL, type, buttons, "%s",
                                          ToUtf8(text).c_str());
  gtk_window_set_title(GTK_WINDOW(box), ToUtf8(title).c_str());
  const int response = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  return response;
}

bool GtkDialogService::AskYesNo(const Text& title, const Text& text) {
  return RunMessage(GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO, title, text) == GTK_RESPONSE_YES;
}

void GtkDialogService::ShowMessage(const Text& title, const Text& text) {
  RunMessage(GTK_MESSAGE_INFO, GTK_BUTTONS_OK, title, text);
}

GtkWidget* GtkDialogService::NewChooser(const Text& title, GtkFileChooserAction action,
                                        const Text& start, const Text& patterns) {
  const bool saving = action == GTK_FILE_CHOOSER_ACTION_SAVE;
  GtkWidget* chooser = gtk_file_chooser_dialog_new(
      ToUtf8(title).c_str(), parent_, action, GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL,
      saving ? GTK_STOCK_SAVE : GTK_STOCK_OPEN, GTK_RESPONSE_ACCEPT, nullptr);
  gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
  for (const FileFilterSpec& spec : ParsePatternList(patterns)) {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, spec.name.c_str());
    for (const std::string& pattern : spec.patterns) gtk_file_filter_add_pattern(filter, pattern.c_str());
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
