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

}  // namespace quillon::testing
