#include "host/log_lines.h"

#include "text/encoding.h"

namespace quillon::log {

namespace {
Text Join(std::initializer_list<TextView> parts) {
  Text out;
  for (TextView p : parts) out.append(p);
  return out;
}
}  // namespace

int LastErrorCode() { return 1; }

Text ErrorCodeText(int code) { return Join({"Errorcode: ", ToText(code)}); }

Text FileErrorTail() { return Join({" / ", ErrorCodeText(LastErrorCode())}); }

Text BomLine(int format_code) {
  switch (format_code) {
    case kFormatAscii: return Text(kNoBom);
    case kFormatUtf8: return Text(kUtf8Bom);
    case kFormatUtf16Le: return Text(kUtf16LeBom);
    case kFormatUtf16Be: return Text(kUtf16BeBom);
    case kFormatUtf32Le: return Text(kUtf32LeBom);
    case kFormatUtf32Be: return Text(kUtf32BeBom);
    case kFormatUnreadable: return Text(kMainNotFound);
    default: return Text();
  }
}

Text DuplicateWindow(TextView name) { return Join({" -> Error: Find duplicate WindowID(#", name, "). Stop!"}); }
Text DuplicateMenu(TextView name) { return Join({" -> Error: Find duplicate MenuID(#", name, "). Stop!"}); }
Text DuplicateMenuItem(TextView name) {
  return Join({" -> Warning: Find duplicate MenuItemID(#", name, ") by MenuItem."});
}
Text DuplicateToolbarButton(TextView name) {
  return Join({" -> Warning: Find duplicate MenuItemID(#", name, ") by ToolbarButton."});
}
Text DuplicateStatusBar(TextView name) { return Join({" -> Error: Find duplicate StatusBarID(#", name, "). Stop!"}); }
Text DuplicateToolBar(TextView name) { return Join({" -> Error: Find duplicate ToolBarID(#", name, "). Stop!"}); }

Text ErrorOpenFile(TextView path) { return Join({" -> Error OpenFile ", path, FileErrorTail()}); }
Text ErrorWriteFile(TextView path) { return Join({" -> Error WriteFile ", path, FileErrorTail()}); }
Text ErrorFile(TextView path) { return Join({" -> Error File ", path, FileErrorTail()}); }
Text ChangedDuringRun(TextView path) {
  return Join({" -> Error: ", path, " was changed by another program during the run; not written"});
}
Text WriteFile(TextView path) { return Join({" -> Write File ", path}); }
Text SourceOpenError(TextView path) { return Join({"Error ", path, ": Open file error"}); }
Text OutsideConstant(TextView name, TextView file) {
  return Join({" -> Warning: #", name, " is defined outside the procedures of ", file});
}
Text UpdateIncludeFile(TextView path, long count) {
  return Join({" -> Update Includefile ", path, " / Count Change: ", ToText(count)});
}
Text UpdateFile(TextView path, long count) { return Join({" -> Update ", path, " / Count Change: ", ToText(count)}); }
Text UnusedProcedure(TextView name, TextView path) { return Join({" -> Unused Procedure ", name, " in ", path}); }
Text Count(TextView what, long count) { return Join({" -> Count ", what, ": ", ToText(count)}); }
Text Utf8Needed(TextView path) { return Join({" -> Warning: UTF-8 needed for ", path}); }

Text QuotedTextLeftOut(TextView text) {
  return Join({" -> Warning: text with a double quote left out of LoadLanguage.pb: ", text});
}

bool ReportsError(TextView line) {
  size_t at = 0;
  while (at < line.size() && (line[at] == ' ' || line[at] == '-' || line[at] == '>')) ++at;
  return line.substr(at, 5) == "Error";
}

}  // namespace quillon::log
