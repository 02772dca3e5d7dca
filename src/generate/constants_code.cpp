#include "generate/constants_code.h"

namespace quillon {

namespace {

template <typename List, typename ElementLine>
void AppendBlock(Lines& code, TextView title, const List& list, ElementLine element_line) {
  code.emplace_back(title);
  code.push_back(";");
  code.push_back("Enumeration");
  code.reserve(code.size() + list.size() + 5);
  for (const auto& element : list) code.push_back(element_line(element));
  code.push_back("EndEnumeration");
  code.emplace_back();
}

Text ConstantLine(const Text& name) { return Concat({"  #", name}); }

}  // namespace

void BuildConstantsCode(Workspace& ws) {
  const AnalysisModel& model = ws.analysis;
  Lines& code = ws.analysis.constants_code;
  AppendBlock(code, ";- Window Constants", model.windows, ConstantLine);
  AppendBlock(code, ";- Menubar Constants", model.menu_bars, ConstantLine);
  AppendBlock(code, ";- MenuItem Constants", model.menu_items, ConstantLine);
  AppendBlock(code, ";- Gadget Constants", model.gadgets,
              [](const GadgetRecord& gadget) { return ConstantLine(gadget.name); });
  AppendBlock(code, ";- StatusBar Constants", model.status_bars, ConstantLine);
  AppendBlock(code, ";- ToolBar Constants", model.tool_bars, ConstantLine);
  AppendBlock(code, ";- Font Constants", model.fonts, [](const FontRecord& font) { return "  " + font.number; });
  AppendBlock(code, ";- Image Constants", model.images, [](const ImageRecord& image) { return "  " + image.number; });
}

}  // namespace quillon
