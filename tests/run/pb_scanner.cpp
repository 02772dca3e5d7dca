#include "run/pb_scanner.h"

#include <cctype>
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
