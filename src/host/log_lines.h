// Every fixed text a generation run writes into the log. Lines that carry a
// name or a number are built by the functions below from these pieces.
#pragma once

#include "text/text.h"

namespace quillon::log {

inline constexpr TextView kStep1 = "Generate Code Step 1 ...";
inline constexpr TextView kStep2 = "Generate Code Step 2 ...";
inline constexpr TextView kStep3 = "Generate Code Step 3 ...";
inline constexpr TextView kStep4 = "Generate Code Step 4 ...";

inline constexpr TextView kCheckMain = "- Check Main.pb";
inline constexpr TextView kMainNotFound = " -> Main.pb not found.";
inline constexpr TextView kNoBom = " -> No BOM found.";
inline constexpr TextView kUtf8Bom = " -> UTF-8 BOM found.";
inline constexpr TextView kUtf16LeBom = " -> UTF-16 (Little Endian) BOM found.";
inline constexpr TextView kUtf16BeBom = " -> UTF-16 (Big Endian) BOM found.";
inline constexpr TextView kUtf32LeBom = " -> UTF-32 (Little Endian) BOM found.";
inline constexpr TextView kUtf32BeBom = " -> UTF-32 (Big Endian) BOM found.";
inline constexpr TextView kLoadFiles = "- Load Files...";
inline constexpr TextView kNoFiles = "None Files to Generate.";
inline constexpr TextView kInterpret = "- Interpret code...";
inline constexpr TextView kPbAnyStop = " -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!";

inline constexpr TextView kCheckConstants = "- Check Constants...";

inline constexpr TextView kMakeBackup = "- Make Backup...";
inline constexpr TextView kBackupFailed = "- Error CopyDirectory";
inline constexpr TextView kUpdatePrefix = "- Update Prefix";
inline constexpr TextView kUpdateProcedure = "- Update Procedure";
inline constexpr TextView kUpdateConstants = "- Update Constants";
inline constexpr TextView kUpdateOpenWindow = "- Update Open Window";
inline constexpr TextView kUpdateIncludeFiles = "- Update IncludeFiles";

inline constexpr TextView kCreateCode = "- Create new code...";
inline constexpr TextView kWriteFiles = "- Write Files...";
inline constexpr TextView kReady = "Ready.";
inline constexpr TextView kCancel = "Cancel.";
inline constexpr TextView kRunInProgress = " -> Error: another run of this project is in progress. Stop!";
inline constexpr TextView kNoWindowFound = " -> Warning: no window found in the procedures of the form files";
inline constexpr TextView kNoLoadLanguageBlock = " -> Warning: LoadLanguage.pb has no DefaultLanguage block";

// The error number of file error lines; the system never asks the operating
// system for one, so it is always 1.
int LastErrorCode();
// "Errorcode: " followed by the code in signed decimal.
Text ErrorCodeText(int code);
// " / Errorcode: 1": the tail of every file error line.
Text FileErrorTail();

// The Main.pb check line for a format code; empty for a code outside the table.
Text BomLine(int format_code);

Text DuplicateWindow(TextView name);         // " -> Error: Find duplicate WindowID(#name). Stop!"
Text DuplicateMenu(TextView name);           // " -> Error: Find duplicate MenuID(#name). Stop!"
Text DuplicateMenuItem(TextView name);       // " -> Warning: ... by MenuItem."
Text DuplicateToolbarButton(TextView name);  // " -> Warning: ... by ToolbarButton."
Text DuplicateStatusBar(TextView name);
Text DuplicateToolBar(TextView name);

Text ErrorOpenFile(TextView path);   // " -> Error OpenFile " path tail
Text ErrorWriteFile(TextView path);  // " -> Error WriteFile " path tail
Text ErrorFile(TextView path);       // " -> Error File " path tail
Text WriteFile(TextView path);       // " -> Write File " path
Text UpdateIncludeFile(TextView path, long count);
Text UpdateFile(TextView path, long count);          // " -> Update " path " / Count Change: " n
Text UnusedProcedure(TextView name, TextView path);  // " -> Unused Procedure " name " in " path
Text Count(TextView what, long count);               // " -> Count <what>: n"
Text Utf8Needed(TextView path);                      // " -> Warning: UTF-8 needed for " path
// " -> Warning: text with a double quote left out of LoadLanguage.pb: " text
Text QuotedTextLeftOut(TextView text);
Text SourceOpenError(TextView path);  // "Error " path ": Open file error"
// " -> Error: " path " was changed by another program during the run; not written"
Text ChangedDuringRun(TextView path);
// " -> Warning: #name is defined outside the procedures of " file
Text OutsideConstant(TextView name, TextView file);

// A line that reports an error starts with "Error" after its marks (" -> ",
// "- "); "Error" inside a warning or a file name reports nothing.
bool ReportsError(TextView line);

}  // namespace quillon::log
