#include "support/corpus.h"

#include <algorithm>

#include "io/file_io.h"

namespace quillon::testing {

std::string CorpusFormsFolder() { return std::string(QUILLON_SOURCE_DIR) + "/../shared/corpus/forms/"; }

std::vector<std::string> CorpusFormNames(bool designer_only) {
  std::vector<std::string> names;
  if (!ListDirectory(CorpusFormsFolder(), &names)) return {};
  if (designer_only) {
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) { return n.size() < 4 || n.substr(n.size() - 4) != ".pbf"; }),
                names.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool AppendCorpusLines(std::vector<std::string>* lines) {
  const std::string forms = CorpusFormsFolder();
  for (const std::string& name : CorpusFormNames()) {
    std::string bytes;
    if (!ReadFileBytes(forms + name, &bytes)) return false;
    for (size_t start = 0, end; start < bytes.size(); start = end + 1) {
      end = std::min(bytes.find('\n', start), bytes.size());
      lines->push_back(bytes.substr(start, end - start));
    }
  }
  return true;
}

}  // namespace quillon::testing
