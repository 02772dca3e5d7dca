#include "analysis/own_names.h"

#include "analysis/constant_tokens.h"

namespace quillon {

namespace {

// A font or image number as collected ("#Name", blanks possible): its name.
Text NumberName(TextView number) {
  Text name = TrimBlanksAndTabs(number);
  if (!name.empty() && name[0] == '#') name.erase(0, 1);
  return name;
}

}  // namespace

OwnNames::OwnNames(const AnalysisModel& model) : names_(model.windows.size() + 2 * model.gadgets.size()) {
  UpperNameSet windows(model.windows.size());
  for (const Text& window : model.windows) {
    windows.Insert(window);
    names_.Insert(window);
  }
  Text upper;
  auto add_object = [&](const Text& name) {
    UpperInto(name, &upper);
    names_.InsertUpper(upper);
    // Every window whose name + "_" begins the object's name owns the rest.
    const TextView view(upper);
    for (size_t underscore = view.find('_'); underscore != TextView::npos;
         underscore = view.find('_', underscore + 1)) {
      if (windows.ContainsUpper(view.substr(0, underscore))) names_.InsertUpper(view.substr(underscore + 1));
    }
  };
  for (const Lines* list : {&model.menu_bars, &model.menu_items, &model.status_bars, &model.tool_bars}) {
    for (const Text& name : *list) add_object(name);
  }
  for (const GadgetRecord& gadget : model.gadgets) add_object(gadget.name);
  for (const FontRecord& font : model.fonts) names_.Insert(NumberName(font.number));
  for (const ImageRecord& image : model.images) names_.Insert(NumberName(image.number));
}

bool OwnNames::Contains(TextView name) const { return IsPureBasicConstantName(name) || names_.Contains(name); }

}  // namespace quillon
