#include "analysis/own_names.h"

#include "analysis/constant_tokens.h"

namespace quillon {

namespace {

// A font or image number as collected ("#Name", blanks possible): its name.
Text NumberName(TextView number) {
  Text name = TrimBlanksAndTabs(number);
  if (!name.empty() && name[0] == '#') name.erase(0, 1);
  return Upper(name);
}

}  // namespace

OwnNames::OwnNames(const AnalysisModel& model) {
  std::unordered_set<Text> windows;
  for (const Text& window : model.windows) windows.insert(Upper(window));
  auto add_object = [this, &windows](const Text& name) {
    const Text upper = Upper(name);
    names_.insert(upper);
    // Every window whose name + "_" begins the object's name owns the rest.
    for (size_t underscore = upper.find('_'); underscore != Text::npos; underscore = upper.find('_', underscore + 1)) {
      if (windows.count(upper.substr(0, underscore)) > 0) names_.insert(upper.substr(underscore + 1));
    }
  };
  names_.insert(windows.begin(), windows.end());
  for (const Lines* list : {&model.menu_bars, &model.menu_items, &model.status_bars, &model.tool_bars}) {
    for (const Text& name : *list) add_object(name);
  }
  for (const GadgetRecord& gadget : model.gadgets) add_object(gadget.name);
  for (const FontRecord& font : model.fonts) names_.insert(NumberName(font.number));
  for (const ImageRecord& image : model.images) names_.insert(NumberName(image.number));
}

bool OwnNames::Contains(TextView name) const { return IsPureBasicConstantName(name) || names_.count(Upper(name)) > 0; }

}  // namespace quillon
