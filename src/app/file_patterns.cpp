#include "app/file_patterns.h"

namespace quillon::app {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == separator) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

}  // namespace

std::vector<FileFilter> ParsePatternList(const Text& list) {
  std::vector<FileFilter> filters;
  if (list.empty()) return filters;
  const std::vector<std::string> parts = Split(ToUtf8(list), '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    FileFilter filter;
    filter.name = parts[i];
    for (const std::string& pattern : Split(parts[i + 1], ';')) {
      if (!pattern.empty()) filter.patterns.push_back(pattern);
    }
    filters.push_back(filter);
  }
  return filters;
}

}  // namespace quillon::app
