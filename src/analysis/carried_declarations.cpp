#include "analysis/carried_declarations.h"

#include <unordered_set>

#include "analysis/code_words.h"
#include "analysis/constant_tokens.h"
#include "analysis/own_names.h"

namespace quillon {

namespace {

bool IsOneOf(const Text& word, std::initializer_list<TextView> words) {
  for (const TextView w : words) {
    if (word == w) return true;
  }
  return false;
}

// The constant that a line whose code starts with "#" names first ("$" kept
// for a string constant), or empty.
Text LeadingConstant(const Text& line, size_t* after = nullptr) {
  // Only blanks and tabs come before it: the line's first token, if any.
  const size_t start = SkipBlanksAndTabs(line);
  ConstantToken token;
  if (start == Text::npos || !ConstantTokenAt(line, start, &token)) return Text();
  if (after) *after = token.hash + 1 + token.length + (token.string_constant ? 1 : 0);
  Text name(token.Name(line));
  if (token.string_constant) name += '$';
  return name;
}

// The first member of an Enumeration written on one line: the first
// constant after its opening statement (which may name a start value).
Text FirstMember(const std::vector<TextView>& statements) {
  std::vector<ConstantToken> tokens;
  for (size_t i = 1; i < statements.size(); ++i) {
    FindConstantTokens(statements[i], &tokens);
    if (tokens.empty()) continue;
    Text name(tokens.front().Name(statements[i]));
    if (tokens.front().string_constant) name += '$';
    return name;
  }
  return Text();
}

// "CatchImage(...", alone or assigned to a variable.
bool IsCatchImageLine(const Text& line, const Text& first_word) {
  if (first_word == "CATCHIMAGE") return true;
  const size_t eq = line.find('=');
  if (eq == Text::npos || eq >= CodeEnd(line)) return false;
  const Text left = TrimBlanksAndTabs(TextView(line).substr(0, eq));
  if (left.empty() || !IsNameStart(left[0])) return false;
  for (const char c : left) {
    if (!IsNameChar(c)) return false;
  }
  Text word;
  FirstWordUpper(TextView(line).substr(eq + 1), &word);
  const size_t after = SkipBlanksAndTabs(line, eq + 1);
  return word == "CATCHIMAGE" && line.find('(', after) == after + word.size();
}

bool IsDecoderWord(const Text& word) {
  constexpr TextView kUse = "USE";
  constexpr TextView kDecoder = "IMAGEDECODER";
  return word.size() > kUse.size() + kDecoder.size() && word.compare(0, kUse.size(), kUse) == 0 &&
         word.compare(word.size() - kDecoder.size(), kDecoder.size(), kDecoder) == 0;
}

}  // namespace

void DeclarationReader::Add(const Text& line, Text name, bool decoder) {
  DeclarationCandidate candidate;
  candidate.line = line;
  candidate.name = std::move(name);
  candidate.enumeration = block_ == Block::kEnumeration ? enumeration_ : -1;
  candidate.decoder = decoder;
  model_.declaration_candidates.push_back(std::move(candidate));
}

bool DeclarationReader::EndsBlock(const Text& line, size_t from) {
  SplitStatements(line, &statements_);
  for (size_t i = from; i < statements_.size(); ++i) {
    FirstWordUpper(statements_[i], &word_);
    if (word_ == block_end_) return true;
  }
  return false;
}

void DeclarationReader::Line(const Text& line) {
  if (block_ != Block::kNone) {
    // Members are judged by their name; blank and comment lines stay.
    Add(line, block_ == Block::kEnumeration ? LeadingConstant(line) : Text());
    if (EndsBlock(line, 0)) block_ = Block::kNone;
    return;
  }
  FirstWordUpper(line, &word_);
  if (compiler_depth_ > 0 || IsOneOf(word_, {"COMPILERIF", "COMPILERSELECT"})) {
    if (IsOneOf(word_, {"COMPILERIF", "COMPILERSELECT"})) ++compiler_depth_;
    if (IsOneOf(word_, {"COMPILERENDIF", "COMPILERENDSELECT"})) --compiler_depth_;
    outside_.Line(line);
    return;
  }
  TopLevel(line);
}

void DeclarationReader::TopLevel(const Text& line) {
  for (const auto& [start, end] : {std::pair<TextView, TextView>{"ENUMERATION", "ENDENUMERATION"},
                                   {"ENUMERATIONBINARY", "ENDENUMERATION"},
                                   {"DATASECTION", "ENDDATASECTION"},
                                   {"STRUCTURE", "ENDSTRUCTURE"},
                                   {"MACRO", "ENDMACRO"}}) {
    if (word_ != start) continue;
    const bool enumeration = end == "ENDENUMERATION";
    block_ = enumeration ? Block::kEnumeration : Block::kWhole;
    block_end_ = Text(end);
    // Block numbers run across files: the model holds every file's candidates.
    if (enumeration) enumeration_ = static_cast<long>(model_.declaration_candidates.size());
    // A block written on one line ends there; such an Enumeration is judged
    // by its first member, as a "#Name =" line by its first name.
    if (!EndsBlock(line, 1)) {
      Add(line);
    } else {
      Add(line, enumeration ? FirstMember(statements_) : Text());
      block_ = Block::kNone;
    }
    return;
  }
  if (IsOneOf(word_, {"GLOBAL", "DEFINE", "DECLARE", "DECLAREC", "DECLAREDLL", "DECLARECDLL"}) ||
      IsCatchImageLine(line, word_)) {
    Add(line);
    return;
  }
  if (IsDecoderWord(word_)) {
    Add(line, Text(), true);
    return;
  }
  size_t after = 0;
  const Text constant = LeadingConstant(line, &after);
  if (!constant.empty()) {
    const size_t eq = SkipBlanksAndTabs(line, after);
    if (eq != Text::npos && line[eq] == '=') Add(line, constant);
    return;
  }
  PbAnyAssignment match;
  if (MatchPbAnyAssignment(line, &match) && Upper(match.command) == "LOADIMAGE") {
    // The image code loads it as the image #V; the variable keeps its number.
    Add(Concat({TextView(line).substr(0, match.indent), match.variable, " = #", match.variable}));
  }
}

void CarryDeclarations(AnalysisModel& model) {
  std::vector<DeclarationCandidate>& candidates = model.declaration_candidates;
  if (candidates.empty()) return;
  const OwnNames own(model);
  std::vector<bool> keep(candidates.size(), true);
  std::unordered_set<long> enumerations_with_members;
  for (size_t i = 0; i < candidates.size(); ++i) {
    const DeclarationCandidate& c = candidates[i];
    if (c.name.empty()) continue;
    keep[i] = !own.Contains(c.name);
    if (keep[i] && c.enumeration >= 0) enumerations_with_members.insert(c.enumeration);
  }
  // Only the carried candidates stay, one for one with the carried lines.
  size_t kept = 0;
  for (size_t i = 0; i < candidates.size(); ++i) {
    const long block = candidates[i].enumeration;
    if (block >= 0 && enumerations_with_members.count(block) == 0) keep[i] = false;
    if (!keep[i]) continue;
    model.carried_declarations.push_back(candidates[i].line);
    candidates[kept++] = std::move(candidates[i]);
  }
  candidates.resize(kept);
  candidates.shrink_to_fit();  // a designer header of many windows is mostly our own names
}

void DropDecodersOfImageCode(AnalysisModel& model) {
  std::unordered_set<Text> written;
  for (const Text& line : model.images_code) written.insert(Upper(TrimBlanksAndTabs(line)));
  Lines& carried = model.carried_declarations;
  const std::vector<DeclarationCandidate>& candidates = model.declaration_candidates;
  size_t kept = 0;
  for (size_t i = 0; i < carried.size(); ++i) {
    const TextView code = TextView(carried[i]).substr(0, CodeEnd(carried[i]));
    const bool decoder = i < candidates.size() && candidates[i].decoder;
    if (decoder && written.count(Upper(TrimBlanksAndTabs(code))) > 0) continue;
    if (kept != i) carried[kept] = std::move(carried[i]);
    ++kept;
  }
  carried.resize(kept);
}

}  // namespace quillon
