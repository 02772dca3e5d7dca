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

Text ErrorCodeText(int code) { return Join({U"Errorcode: ", ToText(code)}); }

Text FileErrorTail() { return Join({U" / ", ErrorCodeText(LastErrorCode())}); }

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

Text DuplicateWindow(TextView name) { return Join({U" -> Error: Find duplicate WindowID(#", name, U"). Stop!"}); }
Text DuplicateMenu(TextView name) { return Join({U" -> Error: Find duplicate MenuID(#", name, U"). Stop!"}); }
Text DuplicateMenuItem(TextView name) {
  return Join({U" -> Warning: Find duplicate MenuItemID(#", name, U") by MenuItem."});
}
Text DuplicateToolbarButton(TextView name) {
  return Join({U" -> Warning: Find duplicate MenuItemID(#", name, U") by ToolbarButton."});
}
Text DuplicateStatusBar(TextView name) { return Join({U" -> Error: Find duplicate StatusBarID(#", name, U"). Stop!"}); }
Text DuplicateToolBar(TextView name) { return Join({U" -> Error: Find duplicate ToolBarID(#", name, U"). Stop!"}); }

Text ErrorOpenFile(TextView path) { return Join({U" -> Error OpenFile ", path, FileErrorTail()}); }
Text ErrorWriteFile(TextView path) { return Join({U" -> Error WriteFile ", path, FileErrorTail()}); }
Text ErrorFile(TextView path) { return Join({U" -> Error File ", path, FileErrorTail()}); }
Text ChangedDuringRun(TextView path) {
  return Join({U" -> Error: ", path, U" was changed by another program during the run; not written"});
}
Text WriteFile(TextView path) { return Join({U" -> Write File ", path}); }
Text SourceOpenError(TextView path) { return Join({U"Error ", path, U": Open file error"}); }
Text OutsideConstant(TextView name, TextView file) {
  return Join({U" -> Warning: #", name, U" is defined outside the procedures of ", file});
}
Text UpdateIncludeFile(TextView path, long count) {
  return Join({U" -> Update Includefile ", path, U" / Count Change: ", ToText(count)});
}
Text UpdateFile(TextView path, long count) { return Join({U" -> Update ", path, U" / Count Change: ", ToText(count)}); }
Text UnusedProcedure(TextView name, TextView path) { return Join({U" -> Unused Procedure ", name, U" in ", path}); }
Text Count(TextView what, long count) { return Join({U" -> Count ", what, U": ", ToText(count)}); }
Text Utf8Needed(TextView path) { return Join({U" -> Warning: UTF-8 needed for ", path}); }

Text QuotedTextLeftOut(TextView text) {
  return Join({U" -> Warning: text with a double quote left out of LoadLanguage.pb: ", text});
}

bool ReportsError(TextView line) {
  size_t at = 0;
  while (at < line.size() && (line[at] == U' ' || line[at] == U'-' || line[at] == U'>')) ++at;
  return line.substr(at, 5) == U"Error";
}

}  // namespace quillon::log
