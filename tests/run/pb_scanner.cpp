#include "run/pb_scanner.h"

#include <cctype>
#include <map>
#include <sstream>

namespace quillon::testing {

namespace {

bool IsWordByte(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The line without its comment, string literals blanked out.
std::string CodeOf(const std::string& line) {
  std::string code;
  bool in_string = false;
  for (char c : line) {
    if (c == '"') {
      in_string = !in_string;
      code += ' ';
    } else if (in_string) {
      code += ' ';
    } else if (c == ';') {
      break;
    } else {
      code += c;
    }
  }
  return code;
}

// The first word of the code, upper-cased.
std::string FirstWord(const std::string& code) {
  size_t a = code.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  size_t b = a;
  while (b < code.size() && IsWordByte(static_cast<unsigned char>(code[b]))) ++b;
  return UpperAscii(code.substr(a, b - a));
}

struct Token {
  size_t at;
  std::string name;  // upper-cased, "$" kept
};

std::vector<Token> ConstantTokens(const std::string& code) {
  std::vector<Token> tokens;
  for (size_t i = 0; i < code.size(); ++i) {
    if (code[i] != '#' || i + 1 >= code.size()) continue;
    const unsigned char first = static_cast<unsigned char>(code[i + 1]);
    if (!IsWordByte(first) || std::isdigit(first)) continue;
    size_t end = i + 1;
    while (end < code.size() && IsWordByte(static_cast<unsigned char>(code[end]))) ++end;
    if (end < code.size() && code[end] == '$') ++end;
    tokens.push_back({i, UpperAscii(code.substr(i + 1, end - i - 1))});
    i = end - 1;
  }
  return tokens;
}

}  // namespace

void ScanPureBasic(const std::string& text, PbConstants* out) {
  std::string normalised = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
  for (char& c : normalised) {
    if (c == '\r') c = '\n';
  }
  std::istringstream in(normalised);
  std::string line;
  bool in_enumeration = false;
  bool in_procedure = false;
  while (std::getline(in, line)) {
    const std::string code = CodeOf(line);
    const std::string word = FirstWord(code);
    if (word == "PROCEDURE" || word == "PROCEDUREC" || word == "PROCEDUREDLL" || word == "PROCEDURECDLL") {
      in_procedure = true;
    }
    if (word == "ENDPROCEDURE") in_procedure = false;
    if (word == "ENUMERATION" || word == "ENUMERATIONBINARY") {
      in_enumeration = true;
      continue;
    }
    if (word == "ENDENUMERATION") {
      in_enumeration = false;
      continue;
    }
    const std::vector<Token> tokens = ConstantTokens(code);
    const size_t start = code.find_first_not_of(" \t");
    for (size_t i = 0; i < tokens.size(); ++i) {
      bool defines = false;
      if (i == 0 && tokens[i].at == start) {
        const size_t after = code.find_first_not_of(" \t", tokens[i].at + 1 + tokens[i].name.size());
        defines = in_enumeration || (after != std::string::npos && code[after] == '=');
      }
      if (!defines) {
        out->used.push_back(tokens[i].name);
      } else {
        out->defined.insert(tokens[i].name);
        if (!in_procedure) out->defined_outside_procedures.insert(tokens[i].name);
      }
    }
  }
}

}  // namespace quillon::testing

namespace quillon::testing {

namespace {

std::string Normalised(const std::string& text) {
  std::string out = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
  for (char& c : out) {
    if (c == '\r') c = '\n';
  }
  return out;
}

std::string Trimmed(const std::string& text) {
  const size_t a = text.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  return text.substr(a, text.find_last_not_of(" \t") - a + 1);
}

bool IsNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos && text.size() < 18;
}

// Keywords that open a block, with the keywords that may close it.
const std::map<std::string, std::set<std::string>>& BlockEnds() {
  static const std::map<std::string, std::set<std::string>> ends = {{"PROCEDURE", {"ENDPROCEDURE"}},
                                                                    {"PROCEDUREC", {"ENDPROCEDURE"}},
                                                                    {"PROCEDUREDLL", {"ENDPROCEDURE"}},
                                                                    {"PROCEDURECDLL", {"ENDPROCEDURE"}},
                                                                    {"IF", {"ENDIF"}},
                                                                    {"SELECT", {"ENDSELECT"}},
                                                                    {"FOR", {"NEXT"}},
                                                                    {"FOREACH", {"NEXT"}},
                                                                    {"WHILE", {"WEND"}},
                                                                    {"REPEAT", {"UNTIL", "FOREVER"}},
                                                                    {"ENUMERATION", {"ENDENUMERATION"}},
                                                                    {"ENUMERATIONBINARY", {"ENDENUMERATION"}},
                                                                    {"DATASECTION", {"ENDDATASECTION"}},
                                                                    {"COMPILERIF", {"COMPILERENDIF"}},
                                                                    {"COMPILERSELECT", {"COMPILERENDSELECT"}},
                                                                    {"STRUCTURE", {"ENDSTRUCTURE"}},
                                                                    {"STRUCTUREUNION", {"ENDSTRUCTUREUNION"}},
                                                                    {"WITH", {"ENDWITH"}},
                                                                    {"MODULE", {"ENDMODULE"}},
                                                                    {"DECLAREMODULE", {"ENDDECLAREMODULE"}},
                                                                    {"INTERFACE", {"ENDINTERFACE"}},
                                                                    {"IMPORT", {"ENDIMPORT"}},
                                                                    {"IMPORTC", {"ENDIMPORT"}},
                                                                    {"MACRO", {"ENDMACRO"}}};
  return ends;
}

bool IsBlockEnd(const std::string& word) {
  static const std::set<std::string> closers = [] {
    std::set<std::string> all;
    for (const auto& [open, ends] : BlockEnds()) all.insert(ends.begin(), ends.end());
    return all;
  }();
  return closers.count(word) > 0;
}

bool IsBuiltinConstant(const std::string& name) {
  static const std::set<std::string> builtin = {
      "TRUE", "FALSE", "NULL", "NUL",    "NUL$",    "CRLF", "CRLF$",  "LF",  "LF$",   "CR",
      "CR$",  "TAB",   "TAB$", "DQUOTE", "DQUOTE$", "ESC",  "ESC$",   "EOL", "EOL$",  "EMPTY$",
      "BS",   "BS$",   "PS",   "PS$",    "NPS",     "NPS$", "PI",     "E",   "WHITE", "BLACK",
      "RED",  "GREEN", "BLUE", "YELLOW", "GRAY",    "CYAN", "MAGENTA"};
  return name.compare(0, 3, "PB_") == 0 || builtin.count(name) > 0;
}

// The name after a procedure keyword: type, blanks and "*" skipped.
std::string ProcedureName(const std::string& code, size_t after_keyword) {
  size_t at = after_keyword;
  if (at < code.size() && code[at] == '.') {
    ++at;
    while (at < code.size() && IsWordByte(static_cast<unsigned char>(code[at]))) ++at;
  }
  while (at < code.size() && (code[at] == ' ' || code[at] == '\t')) ++at;
  if (at < code.size() && code[at] == '*') ++at;
  size_t end = at;
  while (end < code.size() && IsWordByte(static_cast<unsigned char>(code[end]))) ++end;
  return UpperAscii(code.substr(at, end - at));
}

class ProgramChecker {
 public:
  explicit ProgramChecker(const ProgramFiles& files) : files_(files) {}

  std::vector<std::string> Check(const std::string& main_file) {
    ReadFile(main_file, "main");
    Judge();
    return problems_;
  }

 private:
  struct Block {
    std::string keyword;
    std::string where;
  };
  struct Use {
    std::string name;
    std::string where;
    bool known_then;  // declared or defined at that point of the program
  };
  struct Enumeration {
    std::string name;
    long long next = 0;
    bool known = true;
    long long step = 1;
    bool binary = false;
  };

  void ReadFile(const std::string& name, const std::string& where) {
    std::string text;
    if (!files_(name, &text)) {
      problems_.push_back("included file missing: " + name + " (" + where + ")");
      return;
    }
    if (depth_ > 16) {
      problems_.push_back("includes nested too deep: " + name);
      return;
    }
    ++depth_;
    const size_t blocks_at_start = blocks_.size();
    std::istringstream in(Normalised(text));
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      const std::string code = CodeOf(line);
      size_t start = 0;
      while (start <= code.size()) {
        // "Module::Name" is one name, not two statements.
        size_t end = code.find(':', start);
        while (end != std::string::npos && end + 1 < code.size() && code[end + 1] == ':') end = code.find(':', end + 2);
        if (end == std::string::npos) end = code.size();
        Statement(line, code.substr(start, end - start), start, name + ":" + std::to_string(number));
        start = end + 1;
      }
    }
    if (blocks_.size() > blocks_at_start) {
      problems_.push_back("block " + blocks_.back().keyword + " not closed in its file (" + blocks_.back().where + ")");
      blocks_.resize(blocks_at_start);
    }
    --depth_;
  }

  void Statement(const std::string& line, const std::string& code, size_t offset, const std::string& where) {
    const std::string word = FirstWord(code);
    if (in_macro_) {
      if (word == "ENDMACRO") {
        in_macro_ = false;
        Close(word, where);
      }
      return;
    }
    if (code.find_first_not_of(" \t") == std::string::npos) return;
    if (word == "INCLUDEFILE" || word == "XINCLUDEFILE") {
      const size_t a = line.find('"', offset);
      const size_t b = a == std::string::npos ? a : line.find('"', a + 1);
      if (b == std::string::npos) return;
      const std::string name = line.substr(a + 1, b - a - 1);
      if (word == "XINCLUDEFILE" && !included_.insert(UpperAscii(name)).second) return;
      ReadFile(name, where);
      return;
    }
    const size_t keyword_end = code.find_first_not_of(" \t") + word.size();
    if (BlockEnds().count(word)) {
      Open(word, where);
      if (word == "MACRO") in_macro_ = true;
    } else if (IsBlockEnd(word)) {
      Close(word, where);
    }
    if (word == "ENUMERATION" || word == "ENUMERATIONBINARY") StartEnumeration(code.substr(keyword_end), word);
    if (word == "PROCEDURE" || word == "PROCEDUREC" || word == "PROCEDUREDLL" || word == "PROCEDURECDLL") {
      const std::string name = ProcedureName(code, keyword_end);
      if (defined_.count(name) && !InCompilerBlock())
        problems_.push_back("procedure " + name + " defined twice (" + where + ")");
      defined_.insert(name);
      return;  // the signature's defaults use no procedure of ours
    }
    if (word == "DECLARE" || word == "DECLAREC" || word == "DECLAREDLL" || word == "DECLARECDLL") {
      const std::string name = ProcedureName(code, keyword_end);
      declared_.insert(name);
      return;
    }
    if (word == "PROTOTYPE" || word == "PROTOTYPEC" || InBlock("INTERFACE") || InBlock("IMPORT") ||
        InBlock("IMPORTC") || InBlock("STRUCTURE")) {
      return;
    }
    Constants(line, code, offset, where);
    Calls(code, where);
  }

  bool InBlock(const std::string& keyword) const {
    for (const Block& block : blocks_) {
      if (block.keyword == keyword) return true;
    }
    return false;
  }
  bool InCompilerBlock() const { return InBlock("COMPILERIF") || InBlock("COMPILERSELECT"); }

  void Open(const std::string& word, const std::string& where) { blocks_.push_back({word, where}); }

  void Close(const std::string& word, const std::string& where) {
    if (blocks_.empty() || !BlockEnds().at(blocks_.back().keyword).count(word)) {
      problems_.push_back(word + " without its block (" + where + ")");
      return;
    }
    blocks_.pop_back();
  }

  void StartEnumeration(const std::string& rest_text, const std::string& word) {
    std::istringstream rest(rest_text);
    std::vector<std::string> parts;
    for (std::string part; rest >> part;) parts.push_back(part);
    Enumeration e;
    e.binary = word == "ENUMERATIONBINARY";
    e.next = e.binary ? 1 : 0;
    size_t at = 0;
    if (at < parts.size() && (std::isalpha(static_cast<unsigned char>(parts[at][0])) || parts[at][0] == '_')) {
      e.name = UpperAscii(parts[at++]);
      const auto named = named_.find(e.name);
      if (named != named_.end()) e = named->second;
    }
    if (at < parts.size()) {
      e.known = IsNumber(parts[at]);
      if (e.known) e.next = std::stoll(parts[at]);
      if (at + 2 < parts.size() && UpperAscii(parts[at + 1]) == "STEP") {
        e.known = e.known && IsNumber(parts[at + 2]);
        if (e.known) e.step = std::stoll(parts[at + 2]);
      }
    }
    enumeration_ = e;
  }

  std::string NextEnumerationValue(const std::string& explicit_value) {
    Enumeration& e = enumeration_;
    if (!explicit_value.empty()) {
      e.known = IsNumber(explicit_value);
      if (e.known) e.next = std::stoll(explicit_value);
    }
    const std::string value = e.known ? "n:" + std::to_string(e.next) : "u:" + std::to_string(++unknown_values_);
    if (e.binary) {
      e.next *= 2;
    } else {
      e.next += e.step;
    }
    if (!e.name.empty()) named_[e.name] = e;
    return value;
  }

  void Constants(const std::string& line, const std::string& code, size_t offset, const std::string& where) {
    const std::vector<Token> tokens = ConstantTokens(code);
    const size_t start = code.find_first_not_of(" \t");
    for (size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      // A module's constant (Module::#Name) is the module's business.
      if (token.at > 0 && code[token.at - 1] == ':') continue;
      if (i == 0 && token.at == start) {
        const size_t after = code.find_first_not_of(" \t", token.at + 1 + token.name.size());
        const bool assigned = after != std::string::npos && code[after] == '=';
        if (assigned || InBlock("ENUMERATION") || InBlock("ENUMERATIONBINARY")) {
          const std::string value_text = assigned ? Trimmed(line.substr(offset + after + 1, code.size() - after - 1))
                                                  : std::string();
          std::string value;
          if (InBlock("ENUMERATION") || InBlock("ENUMERATIONBINARY")) {
            value = NextEnumerationValue(value_text);
          } else {
            value = IsNumber(value_text) ? "n:" + std::to_string(std::stoll(value_text))
                                         : "e:" + UpperAscii(value_text);
          }
          Define(token.name, value, where);
          continue;
        }
      }
      constant_uses_.push_back({token.name, where, values_.count(token.name) > 0});
    }
  }

  void Define(const std::string& name, const std::string& value, const std::string& where) {
    const auto found = values_.find(name);
    if (found != values_.end() && found->second != value && !InCompilerBlock()) {
      problems_.push_back("constant #" + name + " defined twice with different values (" + where + ")");
    }
    values_[name] = value;
  }

  void Calls(const std::string& code, const std::string& where) {
    for (size_t i = 0; i < code.size(); ++i) {
      if (!IsWordByte(static_cast<unsigned char>(code[i])) ||
          (i > 0 && IsWordByte(static_cast<unsigned char>(code[i - 1])))) {
        continue;
      }
      size_t end = i;
      while (end < code.size() && IsWordByte(static_cast<unsigned char>(code[end]))) ++end;
      const char before = i > 0 ? code[i - 1] : ' ';
      const size_t bracket = code.find_first_not_of(" \t", end);
      const bool call = bracket != std::string::npos && code[bracket] == '(';
      if ((call || before == '@') && before != '#' && before != '.' && before != '\\' &&
          !std::isdigit(static_cast<unsigned char>(code[i]))) {
        const std::string name = UpperAscii(code.substr(i, end - i));
        calls_.push_back({name, where, declared_.count(name) > 0 || defined_.count(name) > 0});
      }
      i = end - 1;
    }
  }

  void Judge() {
    for (const Use& use : constant_uses_) {
      if (use.known_then || IsBuiltinConstant(use.name)) continue;
      const bool later = values_.count(use.name) > 0;
      problems_.push_back("constant #" + use.name + (later ? " used before its definition (" : " never defined (") +
                          use.where + ")");
    }
    for (const Use& call : calls_) {
      if (call.known_then || (!declared_.count(call.name) && !defined_.count(call.name))) continue;
      problems_.push_back("procedure " + call.name + " called before its declaration (" + call.where + ")");
    }
    for (const std::string& name : declared_) {
      if (!defined_.count(name)) problems_.push_back("declared procedure " + name + " is not defined");
    }
  }

  const ProgramFiles& files_;
  std::vector<std::string> problems_;
  std::vector<Block> blocks_;
  std::set<std::string> included_;
  std::set<std::string> declared_;
  std::set<std::string> defined_;
  std::map<std::string, std::string> values_;
  std::map<std::string, Enumeration> named_;
  Enumeration enumeration_;
  std::vector<Use> constant_uses_;
  std::vector<Use> calls_;
  long unknown_values_ = 0;
  int depth_ = 0;
  bool in_macro_ = false;
};

}  // namespace

std::vector<std::string> CheckProgram(const std::string& main_file, const ProgramFiles& files) {
  return ProgramChecker(files).Check(main_file);
}

}  // namespace quillon::testing
