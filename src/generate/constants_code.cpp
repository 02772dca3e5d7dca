#include "generate/constants_code.h"

namespace quillon {

namespace {

template <typename List, typename ElementLine>
void AppendBlock(Lines& code, TextView title, const List& list, ElementLine element_line) {
  code.emplace_back(title);
  code.push_back(U";");
  code.push_back(U"Enumeration");
  code.reserve(code.size() + list.size() + 5);
  for (const auto& element : list) code.push_back(element_line(element));
  code.push_back(U"EndEnumeration");
  code.emplace_back();
}

Text ConstantLine(const Text& name) { return Concat({U"  #", name}); }

}  // namespace

void BuildConstantsCode(Workspace& ws) {
  const AnalysisModel& model = ws.analysis;
  Lines& code = ws.analysis.constants_code;
  AppendBlock(code, U";- Window Constants", model.windows, ConstantLine);
  AppendBlock(code, U";- Menubar Constants", model.menu_bars, ConstantLine);
  AppendBlock(code, U";- MenuItem Constants", model.menu_items, ConstantLine);
  AppendBlock(code, U";- Gadget Constants", model.gadgets,
              [](const GadgetRecord& gadget) { return ConstantLine(gadget.name); });
  AppendBlock(code, U";- StatusBar Constants", model.status_bars, ConstantLine);
  AppendBlock(code, U";- ToolBar Constants", model.tool_bars, ConstantLine);
  AppendBlock(code, U";- Font Constants", model.fonts, [](const FontRecord& font) { return U"  " + font.number; });
  AppendBlock(code, U";- Image Constants", model.images, [](const ImageRecord& image) { return U"  " + image.number; });
}

}  // namespace quillon
