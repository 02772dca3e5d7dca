// The collections through which the four steps of a generation run talk.
// Lists keep insertion order and are never sorted; constant names are stored
// without "#" and in the letter case of their source line.
#pragma once

#include <unordered_set>

#include "model/language_map.h"
#include "text/line_store.h"
#include "text/text.h"

namespace quillon {

struct GadgetRecord {
  Text name;
  Text kind;  // upper-cased creating command, e.g. "BUTTONGADGET"
};

struct ImageRecord {
  Text number;  // as written, "#" included
  Text file;    // as written between the quotes
};

struct FontRecord {
  Text number;  // first argument as written
  Text line;    // the whole source line
};

// A constant that a source file defines outside its procedures.
struct OutsideConstant {
  Text name;  // without "#"; a string constant's name ends in "$"
  Text file;  // the file list item, as written
};

// A procedure that a carried Declare line declares.
struct DeclaredProcedure {
  Text name;       // as written, without type or "*"
  Text signature;  // the Declare line turned into its Procedure line
};

// An object whose designer event setting ("Case #X", then a call) calls a
// declared procedure.
struct DesignerWiring {
  Text object;  // without "#"
  Text call;    // the calling line's code, trimmed
};

// A top-level line of a form file that CommonFile.pb may carry, as Step 1
// reads it; which ones are carried is decided once the objects are known.
struct DeclarationCandidate {
  Text line;
  Text name;              // the constant it defines (without "#"); empty when carried anyway
  long enumeration = -1;  // the Enumeration block it belongs to (dropped without members)
  bool decoder = false;   // a Use...ImageDecoder() line
};

struct AnalysisModel {
  Lines source_files;
  Lines include_files;
  Lines form_code;
  Lines include_file_lines;

  Lines windows;
  Lines menu_bars;
  Lines menu_items;  // menu items and tool bar buttons together
  Lines status_bars;
  Lines tool_bars;
  std::vector<GadgetRecord> gadgets;
  std::vector<ImageRecord> images;
  std::vector<FontRecord> fonts;
  std::vector<OutsideConstant> outside_constants;  // in file list order, then line order
  // Designer forms: the top-level declaration lines of the form files that
  // CommonFile.pb carries (Global, Declare, Enumeration blocks ...), as
  // written, in file list order and line order.
  Lines carried_declarations;
  // Collected object names (window prefix included, as collected) that were
  // made from a #PB_Any variable; the variable is the name without its
  // window prefix and "_", for a window the window name itself.
  Lines pb_any_objects;
  std::vector<DeclarationCandidate> declaration_candidates;
  // Index in form_code of the first line of each source file, in file order.
  std::vector<size_t> form_file_starts;

  Lines constants_code;
  Lines images_code;
  Lines fonts_code;
  Lines common_file_lines;
  Lines main_lines;
  Lines event_main_lines;
  // The event files hold the user's code and are the largest a run keeps.
  LineStore event_window_lines;
  LineStore event_menu_lines;
  LineStore event_gadget_lines;
  LineStore event_designer_lines;
  std::vector<DeclaredProcedure> declared_procedures;  // first declaration of a name, in order
  std::vector<DesignerWiring> designer_wirings;        // first wiring of an object, in order
  Lines load_language_lines;

  LanguageMap language_strings;

  // Names of generated files that exist but could not be read back
  // faithfully (unreadable, not a regular file, a UTF-16 BE or UTF-32 text):
  // Step 4 keeps them as they are instead of overwriting the user's code.
  Lines kept_generated_files;

  // Output format of this run's generated files (kOutputUtf8 or kOutputAscii).
  int output_format = 2;

  // Empties everything a run rebuilds (the start of Step 1).
  void ClearForRun();
};

// The line of a semicolon, a space and 87 asterisks.
extern const TextView kSeparatorLine;
// Appends the separator block that follows every procedure in the form code
// and in the event files: "", the separator line, "".
void AppendSeparatorBlock(Lines& lines);
void AppendSeparatorBlock(LineStore& lines);

// Upper-case keyword sets, built once at program start.
struct KeywordSets {
  std::unordered_set<Text> command_keywords;
  std::unordered_set<Text> gadget_keywords;
};

// The built-in tables, in their stored order (124 and 32 names).
const std::vector<TextView>& BuiltinCommandKeywords();
const std::vector<TextView>& BuiltinGadgetKeywords();

// Both sets: built-in names, then every user gadget name, all upper-cased.
KeywordSets BuildKeywordSets(const Lines& user_gadgets);

}  // namespace quillon
