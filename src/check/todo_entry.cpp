#include "check/todo_entry.h"

namespace quillon {

Text MakeTodoEntry(TextView old_name, TextView new_name) {
  Text entry(old_name);
  entry.append(" > ");
  entry.append(new_name);
  return entry;
}

TodoParts SplitTodoEntry(TextView entry) {
  const size_t first = entry.find('>');
  if (first == TextView::npos) return {TrimBlanks(entry), Text()};
  const size_t second = entry.find('>', first + 1);
  const size_t new_end = second == TextView::npos ? entry.size() : second;
  return {TrimBlanks(entry.substr(0, first)), TrimBlanks(entry.substr(first + 1, new_end - first - 1))};
}

bool ParseTodoEntry(TextView entry, int kind, Replacement* out) {
  if (entry.find('>') == TextView::npos) return false;
  TodoParts parts = SplitTodoEntry(entry);
  if (parts.old_name.empty() || parts.new_name.empty()) return false;
  out->old_name = std::move(parts.old_name);
  out->new_name = std::move(parts.new_name);
  out->kind = kind;
  return true;
}

}  // namespace quillon
