// GUI tests: GTK needs a display (run under xvfb-run -a). GTK warnings and
// criticals fail the running test: they mean real misuse.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>

namespace {

void FailOnGtkWarning(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
  if (level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_ERROR)) {
    ADD_FAILURE() << (domain ? domain : "") << ": " << message;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return RUN_ALL_TESTS();
  }
  // A busy machine can refuse a connection now and then (the X server is
  // still starting, or another test process is leaving): a few more tries.
  bool display = gtk_init_check(&argc, &argv);
  for (int attempt = 0; !display && attempt < 5; ++attempt) {
    g_usleep(200 * 1000);
    display = gtk_init_check(&argc, &argv);
  }
  if (!display) {
    std::fprintf(stderr, "gui_tests: no display; run under xvfb-run -a\n");
    return 1;
  }
  for (const char* domain : {"Gtk", "Gdk", "GLib", "GLib-GObject", "GdkPixbuf", "Pango"}) {
    g_log_set_handler(domain, GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL), FailOnGtkWarning, nullptr);
  }
  return RUN_ALL_TESTS();
}
