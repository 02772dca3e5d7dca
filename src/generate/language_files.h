// LoadLanguage.pb and the Catalog: the default texts compiled into the
// program and the translations kept beside it.
#pragma once

#include "model/language_map.h"
#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// Adds the entries of a Catalog's lines (the first line, the header, is
// skipped). A later entry replaces the value of an earlier equal key.
void ParseCatalog(const Lines& lines, LanguageMap& strings);

// The Catalog's lines: the header, then one line per entry in map order.
Lines CatalogLines(const LanguageMap& strings);

// Rewrites "#MaxLanguage =" and the DefaultLanguage data block of `lines`.
// False, with `lines` untouched, when the block's markers are missing.
// A text holding a double quote would end its Data.s string early and let the
// rest of it (a hand-edited Catalog's) run as code: it is left out of the
// block and the count, and added to `left_out` (when given) in map order.
bool UpdateLoadLanguageLines(Lines& lines, const LanguageMap& strings, Lines* left_out = nullptr);

// The same on the workspace's LoadLanguage.pb lines; a missing block is
// logged as a warning.
void UpdateLoadLanguage(Workspace& ws, RunHost& host);

}  // namespace quillon
