#include "generate/language_files.h"

#include <utility>
#include <vector>

#include "host/log_lines.h"
#include "text/view_index.h"

namespace quillon {

namespace {

// Text from `from` up to the next ";" (or the end), quotes trimmed at both ends.
TextView Field(TextView line, size_t from, size_t* next) {
  const size_t semicolon = from > line.size() ? Text::npos : line.find(';', from);
  const size_t end = semicolon == Text::npos ? line.size() : semicolon;
  *next = semicolon == Text::npos ? Text::npos : semicolon + 1;
  if (from >= end) return TextView();
  return TrimmedView(line.substr(from, end - from), '"');
}

}  // namespace

void ParseCatalog(const Lines& lines, LanguageMap& strings) {
  // Entries in file order; a later line with the same entry replaces the
  // value. Both are views into `lines` until the map copies them.
  std::vector<std::pair<TextView, TextView>> entries;
  ViewIndex position;
  position.Reserve(lines.size());
  strings.Reserve(strings.Size() + lines.size());
  for (size_t i = 1; i < lines.size(); ++i) {
    const Text& line = lines[i];
    size_t next = 0;
    const TextView entry = Field(line, 0, &next);
    if (entry.empty()) continue;
    // The translation is the second field only: a ";" inside it ends it.
    const TextView text = next == Text::npos ? TextView() : Field(line, next, &next);
    const TextView value = text.empty() ? entry : text;
    const auto at = static_cast<uint32_t>(entries.size());
    const uint32_t stored = position.Insert(entry);
    if (stored == at) {
      entries.emplace_back(entry, value);
    } else {
      entries[stored].second = value;
    }
  }
  // The map lists the newest key of a bucket first; adding the entries last
  // to first makes it list them in the order the Catalog had, so a catalog
  // written by a run reads back and writes out unchanged.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) strings.Set(it->first, it->second);
}

Lines CatalogLines(const LanguageMap& strings) {
  Lines out;
  out.reserve(strings.Size() + 1);
  out.emplace_back("Default;Language");
  strings.ForEach([&out](const Text& key, const Text& value) {
    // An untranslated text keeps its field empty.
    out.push_back(Concat({"\"", key, "\";\"", value != key ? TextView(value) : TextView(), "\""}));
  });
  return out;
}

bool UpdateLoadLanguageLines(Lines& lines, const LanguageMap& strings, Lines* left_out) {
  size_t start = Text::npos;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find("DefaultLanguage:") != Text::npos) {
      start = i;
      break;
    }
  }
  if (start == Text::npos) return false;
  size_t end = Text::npos;
  for (size_t i = start + 1; i < lines.size(); ++i) {
    if (lines[i].find("EndDefaultLanguage:") != Text::npos || lines[i].find("EndDataSection") != Text::npos) {
      end = i;
      break;
    }
  }
  // Without the closing line the old data block has no end: deleting up to
  // the end of the file would destroy the user's code after it.
  if (end == Text::npos) return false;

  Lines data;
  data.reserve(strings.Size());
  strings.ForEach([&data, left_out](const Text& key, const Text&) {
    if (key.find('"') != Text::npos) {
      if (left_out) left_out->push_back(key);
    } else {
      data.push_back(Concat({"  Data.s \"", key, "\""}));
    }
  });
  const Text count_line = Text("#MaxLanguage = ") + ToText(static_cast<long long>(data.size()));
  for (size_t i = 0; i <= start; ++i) {
    if (lines[i].find("#MaxLanguage =") != Text::npos) lines[i] = count_line;
  }
  lines.erase(lines.begin() + static_cast<long>(start + 1), lines.begin() + static_cast<long>(end));
  lines.insert(lines.begin() + static_cast<long>(start + 1), std::make_move_iterator(data.begin()),
               std::make_move_iterator(data.end()));
  return true;
}

void UpdateLoadLanguage(Workspace& ws, RunHost& host) {
  Lines left_out;
  if (!UpdateLoadLanguageLines(ws.analysis.load_language_lines, ws.analysis.language_strings, &left_out)) {
    host.AddLogLine(Text(log::kNoLoadLanguageBlock));
  }
  for (const Text& text : left_out) host.AddLogLine(log::QuotedTextLeftOut(text));
}

}  // namespace quillon
