#include "model/analysis_model.h"

namespace quillon {

const TextView kSeparatorLine =
    U"; ***************************************************************************************";

void AppendSeparatorBlock(Lines& lines) {
  lines.emplace_back();
  lines.emplace_back(kSeparatorLine);
  lines.emplace_back();
}

void AnalysisModel::ClearForRun() {
  // The lists and tables below are packed by hand, a full line at a time.
  // clang-format off
  for (Lines* list : {&source_files, &include_files, &form_code, &constants_code, &images_code, &fonts_code,
                      &windows, &menu_bars, &menu_items, &status_bars, &tool_bars, &common_file_lines,
                      &main_lines, &event_main_lines, &event_window_lines, &event_menu_lines,
                      &event_gadget_lines, &load_language_lines, &include_file_lines, &kept_generated_files,
                      &carried_declarations, &pb_any_objects}) {
    // clang-format on
    list->clear();
  }
  gadgets.clear();
  images.clear();
  fonts.clear();
  outside_constants.clear();
  event_designer_lines.clear();
  declared_procedures.clear();
  designer_wirings.clear();
  declaration_candidates.clear();
  form_file_starts.clear();
  language_strings.Clear();
}

const std::vector<TextView>& BuiltinCommandKeywords() {
  // clang-format off
  static const std::vector<TextView> table = {
      U"AddGadgetColumn", U"AddGadgetItem", U"ButtonGadget", U"ButtonImageGadget", U"CalendarGadget",
      U"CanvasGadget", U"CanvasOutput", U"ChangeListIconGadgetDisplay", U"CheckBoxGadget",
      U"ClearGadgetItemList", U"ClearGadgetItems", U"CloseGadgetList", U"ComboBoxGadget", U"ContainerGadget",
      U"CountGadgetItems", U"DateGadget", U"DisableGadget", U"EditorGadget", U"ExplorerComboGadget",
      U"ExplorerListGadget", U"ExplorerTreeGadget", U"Frame3DGadget", U"FreeGadget", U"GadgetHeight",
      U"GadgetID", U"GadgetItemID", U"GadgetToolTip", U"GadgetType", U"GadgetWidth", U"GadgetX", U"GadgetY",
      U"GetActiveGadget", U"GetGadgetAttribute", U"GetGadgetColor", U"GetGadgetData", U"GetGadgetFont",
      U"GetGadgetItemAttribute", U"GetGadgetItemColor", U"GetGadgetItemData", U"GetGadgetItemState",
      U"GetGadgetItemText", U"GetGadgetState", U"GetGadgetText", U"HideGadget", U"HyperLinkGadget",
      U"IPAddressGadget", U"ImageGadget", U"IsGadget", U"ListIconGadget", U"ListViewGadget", U"MDIGadget",
      U"OpenGadgetList", U"OptionGadget", U"PanelGadget", U"ProgressBarGadget", U"RemoveGadgetColumn",
      U"RemoveGadgetItem", U"ResizeGadget", U"ScrollAreaGadget", U"ScrollBarGadget", U"SetActiveGadget",
      U"SetGadgetAttribute", U"SetGadgetColor", U"SetGadgetData", U"SetGadgetFont", U"SetGadgetItemAttribute",
      U"SetGadgetItemColor", U"SetGadgetItemData", U"SetGadgetItemState", U"SetGadgetItemText",
      U"SetGadgetState", U"SetGadgetText", U"ShortcutGadget", U"SpinGadget", U"SplitterGadget",
      U"StringGadget", U"TextGadget", U"TrackBarGadget", U"TreeGadget", U"WebGadget", U"WebGadgetPath",
      U"CloseSubMenu", U"CreateImageMenu", U"CreateMenu", U"CreatePopupImageMenu", U"CreatePopupMenu",
      U"DisableMenuItem", U"DisplayPopupMenu", U"FreeMenu", U"GetMenuItemState", U"GetMenuItemText",
      U"GetMenuTitleText", U"HideMenu", U"IsMenu", U"MenuBar", U"MenuHeight", U"MenuID", U"MenuItem",
      U"MenuTitle", U"OpenSubMenu", U"SetMenuItemState", U"SetMenuItemText", U"SetMenuTitleText",
      U"CreateToolBar", U"DisableToolBarButton", U"FreeToolBar", U"GetToolBarButtonState", U"IsToolBar",
      U"SetToolBarButtonState", U"ToolBarHeight", U"ToolBarID", U"ToolBarImageButton", U"ToolBarSeparator",
      U"ToolBarStandardButton", U"ToolBarToolTip", U"AddStatusBarField", U"CreateStatusBar", U"FreeStatusBar",
      U"IsStatusBar", U"StatusBarHeight", U"StatusBarID", U"StatusBarImage", U"StatusBarProgress",
      U"StatusBarText"};
  // clang-format on
  return table;
}

const std::vector<TextView>& BuiltinGadgetKeywords() {
  // clang-format off
  static const std::vector<TextView> table = {
      U"ButtonGadget", U"ButtonImageGadget", U"CalendarGadget", U"CanvasGadget", U"CheckBoxGadget",
      U"ComboBoxGadget", U"ContainerGadget", U"DateGadget", U"EditorGadget", U"ExplorerComboGadget",
      U"ExplorerListGadget", U"ExplorerTreeGadget", U"Frame3DGadget", U"HyperLinkGadget", U"IPAddressGadget",
      U"ImageGadget", U"ListIconGadget", U"ListViewGadget", U"MDIGadget", U"OptionGadget", U"PanelGadget",
      U"ProgressBarGadget", U"ScrollAreaGadget", U"ScrollBarGadget", U"ShortcutGadget", U"SpinGadget",
      U"SplitterGadget", U"StringGadget", U"TextGadget", U"TrackBarGadget", U"TreeGadget", U"WebGadget"};
  // clang-format on
  return table;
}

KeywordSets BuildKeywordSets(const Lines& user_gadgets) {
  KeywordSets sets;
  for (TextView name : BuiltinCommandKeywords()) sets.command_keywords.insert(Upper(name));
  for (TextView name : BuiltinGadgetKeywords()) sets.gadget_keywords.insert(Upper(name));
  for (const Text& name : user_gadgets) {
    sets.command_keywords.insert(Upper(name));
    sets.gadget_keywords.insert(Upper(name));
  }
  return sets;
}

}  // namespace quillon
