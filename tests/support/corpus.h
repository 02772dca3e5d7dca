// The real-world forms that lie beside the project, read by path.
#pragma once

#include <string>
#include <vector>

namespace quillon::testing {

// The folder of the corpus forms, with a trailing "/".
std::string CorpusFormsFolder();
// The file names in it, sorted; `designer_only` keeps the designer's .pbf
// files. Empty when there is no corpus.
std::vector<std::string> CorpusFormNames(bool designer_only = false);
// Every line of every corpus form (split at LF only), appended to `lines`;
// false when a form cannot be read.
bool AppendCorpusLines(std::vector<std::string>* lines);

}  // namespace quillon::testing
