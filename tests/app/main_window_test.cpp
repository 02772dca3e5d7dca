// The main window as built at start-up: title, size, menus, tool bar, status
// bar, hidden CMD button, the split pane and its divider, resizing.
#include <gtest/gtest.h>

#include "app/gui_support.h"
#include "app/icons.h"

namespace quillon::testing {
namespace {

using app::MainWindow;

struct MenuExpectation {
  int command;
  const char* label;     // GTK mnemonic form
  const char* shortcut;  // text at the right, "" for none
};

TEST(MainWindowTest, TitleSizeStatusBarAndHiddenCommandButton) {
  AppFixture f;
  MainWindow& w = *f.app->main;
  EXPECT_STREQ(gtk_window_get_title(w.window()), "Quillon Deluxe Version v5.17");
  int width = 0, height = 0;
  gtk_window_get_size(w.window(), &width, &height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  EXPECT_TRUE(gtk_window_get_resizable(w.window()));
  // First start without settings: the unnamed project.
  EXPECT_EQ(w.StatusText(), "Unbekannt.pbm");
  // Gadget 0 exists, is disabled and is never shown.
  EXPECT_FALSE(gtk_widget_get_sensitive(w.cmd_button()));
  EXPECT_FALSE(gtk_widget_get_visible(w.cmd_button()));
  EXPECT_EQ(LabelTexts(w.cmd_button()), std::vector<std::string>{"CMD"});
  // Single-column lists without headers.
  for (GtkTreeView* view : {w.file_view(), w.log_view()}) {
    EXPECT_FALSE(gtk_tree_view_get_headers_visible(view));
    EXPECT_EQ(gtk_tree_view_get_columns(view) ? g_list_length(gtk_tree_view_get_columns(view)) : 0u, 1u);
  }
}

TEST(MainWindowTest, MenuTextsMnemonicsShortcutLabelsAndIcons) {
  AppFixture f;
  MainWindow& w = *f.app->main;
  const MenuExpectation items[] = {
      {0, "Project _New", "Ctrl-N"},
      {1, "Project _Load", "Ctrl-L"},
      {2, "Project _Save", "Ctrl-S"},
      {3, "Project Save _As", ""},
      {4, "User_Gadget", ""},
      {5, "E_xit", ""},
      {6, "Common _Add", ""},
      {7, "Common _Delete", ""},
      {8, "Common _First File", ""},
      {9, "_Start Generate", ""},
      {10, "_Info", ""},
      {11, "_Licence", ""},
  };
  for (const MenuExpectation& e : items) {
    GtkWidget* item = w.menu_item(e.command);
    ASSERT_NE(item, nullptr) << e.command;
    std::vector<std::string> labels = LabelTexts(item);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0], e.label);
    EXPECT_EQ(labels.size() > 1 ? labels[1] : "", e.shortcut) << e.label;
    GtkWidget* image = gtk_image_menu_item_get_image(GTK_IMAGE_MENU_ITEM(item));
    ASSERT_TRUE(image && GTK_IS_IMAGE(image)) << e.label;
    GdkPixbuf* pixbuf = gtk_image_get_pixbuf(GTK_IMAGE(image));
    ASSERT_NE(pixbuf, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(pixbuf), 16);
  }
  EXPECT_EQ(LabelTexts(w.preferences_item())[0], "_Preferences");
  // "User&Gadget" sits inside "&Preferences".
  EXPECT_EQ(gtk_menu_get_attach_widget(GTK_MENU(gtk_widget_get_parent(w.menu_item(4)))), w.preferences_item());

  // Menu titles and the order of the File menu, separators included.
  std::vector<std::string> titles;
  GList* menus = gtk_container_get_children(GTK_CONTAINER(w.menu_bar()));
  for (GList* m = menus; m; m = m->next) titles.push_back(LabelTexts(GTK_WIDGET(m->data))[0]);
  EXPECT_EQ(titles, (std::vector<std::string>{"_File", "_Action", "_?"}));
  GtkWidget* file_menu = gtk_menu_item_get_submenu(GTK_MENU_ITEM(menus->data));
  g_list_free(menus);
  std::vector<std::string> order;
  GList* entries = gtk_container_get_children(GTK_CONTAINER(file_menu));
  for (GList* e = entries; e; e = e->next) {
    order.push_back(GTK_IS_SEPARATOR_MENU_ITEM(e->data) ? "-" : LabelTexts(GTK_WIDGET(e->data))[0]);
  }
  g_list_free(entries);
  EXPECT_EQ(order, (std::vector<std::string>{"Project _New", "-", "Project _Load", "Project _Save", "Project Save _As",
                                             "-", "_Preferences", "-", "E_xit"}));
}

TEST(MainWindowTest, ToolBarButtonsSeparatorsAndTooltips) {
  AppFixture f;
  std::vector<std::string> items;
  GList* children = gtk_container_get_children(GTK_CONTAINER(f.app->main->tool_bar()));
  for (GList* c = children; c; c = c->next) {
    if (GTK_IS_SEPARATOR_TOOL_ITEM(c->data)) {
      items.push_back("|");
    } else {
      // GTK keeps a tool button's tooltip on its inner button.
      gchar* tip = gtk_widget_get_tooltip_text(gtk_bin_get_child(GTK_BIN(c->data)));
      items.push_back(tip ? tip : "");
      g_free(tip);
      EXPECT_EQ(gtk_tool_button_get_label(GTK_TOOL_BUTTON(c->data)), nullptr);
    }
  }
  g_list_free(children);
  EXPECT_EQ(items, (std::vector<std::string>{"|", "Project New", "Project Load", "Project Save", "|", "Add Commonfile",
                                             "Remove Commonfile", "Selected Commonfile as first", "|", "Generate"}));
  EXPECT_EQ(gtk_toolbar_get_style(GTK_TOOLBAR(f.app->main->tool_bar())), GTK_TOOLBAR_ICONS);
}

TEST(MainWindowTest, DividerStartsAt100AndPaneFollowsResize) {
  AppFixture f;
  MainWindow& w = *f.app->main;
  ASSERT_TRUE(PumpUntil([&] {
    GtkAllocation a;
    gtk_widget_get_allocation(gtk_paned_get_child1(GTK_PANED(w.pane())), &a);
    return a.height == 100;
  })) << "upper pane is not 100 pixels high";
  EXPECT_EQ(gtk_paned_get_position(GTK_PANED(w.pane())), 100);

  auto bars = [&] {
    GtkAllocation m, t, s;
    gtk_widget_get_allocation(w.menu_bar(), &m);
    gtk_widget_get_allocation(w.tool_bar(), &t);
    gtk_widget_get_allocation(w.status_bar(), &s);
    return m.height + t.height + s.height;
  };
  auto pane_fits = [&](int width, int height) {
    GtkAllocation p;
    gtk_widget_get_allocation(w.pane(), &p);
    return p.x == 0 && p.width == width && p.height == height - bars();
  };
  EXPECT_TRUE(PumpUntil([&] { return pane_fits(800, 600); }));
  gtk_window_resize(w.window(), 1000, 700);
  EXPECT_TRUE(PumpUntil([&] { return pane_fits(1000, 700); })) << "pane did not follow the window";
  // The log list takes the growth; the divider stays.
  EXPECT_EQ(gtk_paned_get_position(GTK_PANED(w.pane())), 100);
  GtkAllocation log;
  gtk_widget_get_allocation(gtk_paned_get_child2(GTK_PANED(w.pane())), &log);
  EXPECT_GT(log.height, 400);
}

TEST(MainWindowTest, IconsDecodeToSixteenPixelRgbaImages) {
  app::IconSet icons;
  ASSERT_TRUE(icons.Decode());
  for (int i = 0; i < app::kIconCount; ++i) {
    GdkPixbuf* image = icons.Image(i);
    ASSERT_NE(image, nullptr) << i;
    EXPECT_EQ(gdk_pixbuf_get_width(image), 16);
    EXPECT_EQ(gdk_pixbuf_get_height(image), 16);
    EXPECT_TRUE(gdk_pixbuf_get_has_alpha(image));
    EXPECT_EQ(gdk_pixbuf_get_n_channels(image), 4);
  }
  EXPECT_EQ(icons.Image(12), nullptr);
  // Distinct pictures: no two icons share their pixels.
  for (int i = 0; i < app::kIconCount; ++i) {
    for (int j = i + 1; j < app::kIconCount; ++j) {
      EXPECT_NE(0, memcmp(gdk_pixbuf_get_pixels(icons.Image(i)), gdk_pixbuf_get_pixels(icons.Image(j)),
                          16 * gdk_pixbuf_get_rowstride(icons.Image(i))))
          << i << " and " << j;
    }
  }
  const unsigned char not_png[] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(app::DecodePngIcon(not_png, sizeof not_png), nullptr);
}

// Optional look at the window: QUILLON_SNAPSHOT=/path.png writes a picture.
TEST(MainWindowTest, SnapshotOfTheMainWindow) {
  const char* path = getenv("QUILLON_SNAPSHOT");
  if (!path) GTEST_SKIP() << "set QUILLON_SNAPSHOT to write a picture";
  AppFixture f;
  gtk_menu_shell_select_item(GTK_MENU_SHELL(f.app->main->menu_bar()),
                             GTK_WIDGET(gtk_container_get_children(GTK_CONTAINER(f.app->main->menu_bar()))->data));
  PumpPending();
  EXPECT_TRUE(WriteSnapshot(GTK_WIDGET(f.app->main->window()), path));
  GtkWidget* menu = gtk_menu_item_get_submenu(
      GTK_MENU_ITEM(gtk_widget_get_parent(f.app->main->menu_item(0))
                        ? gtk_menu_get_attach_widget(GTK_MENU(gtk_widget_get_parent(f.app->main->menu_item(0))))
                        : nullptr));
  PumpUntil([&] { return gtk_widget_get_mapped(menu); }, 1000);
  PumpPending();
  EXPECT_TRUE(WriteSnapshot(gtk_widget_get_toplevel(menu), std::string(path) + ".menu.png"));
  gtk_menu_shell_deactivate(GTK_MENU_SHELL(f.app->main->menu_bar()));
}

}  // namespace
}  // namespace quillon::testing
