#include "model/analysis_model.h"

namespace quillon {

const TextView kSeparatorLine =
    "; ***************************************************************************************";

void AppendSeparatorBlock(Lines& lines) {
  lines.emplace_back();
  lines.emplace_back(kSeparatorLine);
  lines.emplace_back();
}

void AppendSeparatorBlock(LineStore& lines) {
  lines.emplace_back();
  lines.push_back(kSeparatorLine);
  lines.emplace_back();
}

void AnalysisModel::ClearForRun() {
  // The lists and tables below are packed by hand, a full line at a time.
  // clang-format off
  for (Lines* list : {&source_files, &include_files, &form_code, &constants_code, &images_code, &fonts_code,
                      &windows, &menu_bars, &menu_items, &status_bars, &tool_bars, &common_file_lines,
                      &main_lines, &event_main_lines, &load_language_lines, &include_file_lines,
                      &kept_generated_files, &carried_declarations, &pb_any_objects}) {
    // clang-format on
    list->clear();
  }
  gadgets.clear();
  images.clear();
  fonts.clear();
  outside_constants.clear();
  for (LineStore* list : {&event_window_lines, &event_menu_lines, &event_gadget_lines, &event_designer_lines}) {
    list->clear();
  }
  declared_procedures.clear();
  designer_wirings.clear();
  declaration_candidates.clear();
  form_file_starts.clear();
  language_strings.Clear();
}

const std::vector<TextView>& BuiltinCommandKeywords() {
  // clang-format off
  static const std::vector<TextView> table = {
      "AddGadgetColumn", "AddGadgetItem", "ButtonGadget", "ButtonImageGadget", "CalendarGadget",
      "CanvasGadget", "CanvasOutput", "ChangeListIconGadgetDisplay", "CheckBoxGadget",
      "ClearGadgetItemList", "ClearGadgetItems", "CloseGadgetList", "ComboBoxGadget", "ContainerGadget",
      "CountGadgetItems", "DateGadget", "DisableGadget", "EditorGadget", "ExplorerComboGadget",
      "ExplorerListGadget", "ExplorerTreeGadget", "Frame3DGadget", "FreeGadget", "GadgetHeight",
      "GadgetID", "GadgetItemID", "GadgetToolTip", "GadgetType", "GadgetWidth", "GadgetX", "GadgetY",
      "GetActiveGadget", "GetGadgetAttribute", "GetGadgetColor", "GetGadgetData", "GetGadgetFont",
      "GetGadgetItemAttribute", "GetGadgetItemColor", "GetGadgetItemData", "GetGadgetItemState",
      "GetGadgetItemText", "GetGadgetState", "GetGadgetText", "HideGadget", "HyperLinkGadget",
      "IPAddressGadget", "ImageGadget", "IsGadget", "ListIconGadget", "ListViewGadget", "MDIGadget",
      "OpenGadgetList", "OptionGadget", "PanelGadget", "ProgressBarGadget", "RemoveGadgetColumn",
      "RemoveGadgetItem", "ResizeGadget", "ScrollAreaGadget", "ScrollBarGadget", "SetActiveGadget",
      "SetGadgetAttribute", "SetGadgetColor", "SetGadgetData", "SetGadgetFont", "SetGadgetItemAttribute",
      "SetGadgetItemColor", "SetGadgetItemData", "SetGadgetItemState", "SetGadgetItemText",
      "SetGadgetState", "SetGadgetText", "ShortcutGadget", "SpinGadget", "SplitterGadget",
      "StringGadget", "TextGadget", "TrackBarGadget", "TreeGadget", "WebGadget", "WebGadgetPath",
      "CloseSubMenu", "CreateImageMenu", "CreateMenu", "CreatePopupImageMenu", "CreatePopupMenu",
      "DisableMenuItem", "DisplayPopupMenu", "FreeMenu", "GetMenuItemState", "GetMenuItemText",
      "GetMenuTitleText", "HideMenu", "IsMenu", "MenuBar", "MenuHeight", "MenuID", "MenuItem",
      "MenuTitle", "OpenSubMenu", "SetMenuItemState", "SetMenuItemText", "SetMenuTitleText",
      "CreateToolBar", "DisableToolBarButton", "FreeToolBar", "GetToolBarButtonState", "IsToolBar",
      "SetToolBarButtonState", "ToolBarHeight", "ToolBarID", "ToolBarImageButton", "ToolBarSeparator",
      "ToolBarStandardButton", "ToolBarToolTip", "AddStatusBarField", "CreateStatusBar", "FreeStatusBar",
      "IsStatusBar", "StatusBarHeight", "StatusBarID", "StatusBarImage", "StatusBarProgress",
      "StatusBarText"};
  // clang-format on
  return table;
}

const std::vector<TextView>& BuiltinGadgetKeywords() {
  // clang-format off
  static const std::vector<TextView> table = {
      "ButtonGadget", "ButtonImageGadget", "CalendarGadget", "CanvasGadget", "CheckBoxGadget",
      "ComboBoxGadget", "ContainerGadget", "DateGadget", "EditorGadget", "ExplorerComboGadget",
      "ExplorerListGadget", "ExplorerTreeGadget", "Frame3DGadget", "HyperLinkGadget", "IPAddressGadget",
      "ImageGadget", "ListIconGadget", "ListViewGadget", "MDIGadget", "OptionGadget", "PanelGadget",
      "ProgressBarGadget", "ScrollAreaGadget", "ScrollBarGadget", "ShortcutGadget", "SpinGadget",
      "SplitterGadget", "StringGadget", "TextGadget", "TrackBarGadget", "TreeGadget", "WebGadget"};
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
